// The restrictions and purchases pages through the window: start gold,
// restrictions, buying by dragging from the tree onto the list, the red
// warnings and their end, cargo steps, and the type card.
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "ui/Widgets.h"

namespace tarq::testing {
namespace {

const QColor kRed(255, 0, 0);

class PurchasePageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteStandardPictures();
        OpenWindow();
        // The slow timer is ticked by hand so a warning ends exactly when the test says.
        form->Timer1->stop();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->PageControl1->setCurrentIndex(0);
        form->newGamePage()->PageControl2->setCurrentIndex(2);
    }

    void ChooseGold(int item) {
        const QList<QRadioButton*> buttons =
            form->newGamePage()->restrictions()->Sstartmoney->findChildren<QRadioButton*>();
        buttons.at(item)->click();
    }

    QStringList ListLines() const {
        QStringList lines;
        for (int i = 0; i < form->newGamePage()->purchases()->ListBox1->count(); ++i)
            lines << form->newGamePage()->purchases()->ListBox1->item(i)->text();
        return lines;
    }

    QTreeWidgetItem* Node(int type) const {
        QTreeWidgetItemIterator it(form->newGamePage()->purchases()->TreeView1);
        for (; *it; ++it)
            if ((*it)->data(0, Qt::UserRole).toInt() == type) return *it;
        return nullptr;
    }

    // A drag of `node` from the tree onto the list. The offscreen platform runs
    // no drag loop (a drag ends at once and its events carry no source), so
    // the drag is played through its handlers with the tree as the source:
    // the decision while over the list, then the drop once it was accepted.
    void DragOntoList(QTreeWidgetItem* node) {
        form->newGamePage()->purchases()->TreeView1->setCurrentItem(node);
        if (form->newGamePage()->purchases()->ListBox1DragOver(form->newGamePage()->purchases()->TreeView1))
            form->newGamePage()->purchases()->ListBox1DragDrop(form->newGamePage()->purchases()->TreeView1);
    }

    // A drag by the mouse through the platform's own drag loop: press on the
    // node, move until the tree starts its drag, warp the pointer over the
    // list and release there. Only platforms with a drag loop (X11) run it.
    void MouseDragOntoList(QTreeWidgetItem* node) {
        QTreeWidget* tree = form->newGamePage()->purchases()->TreeView1;
        tree->expandAll();
        tree->scrollToItem(node);
        const QPoint from = tree->visualItemRect(node).center();
        QWidget* list = form->newGamePage()->purchases()->ListBox1->viewport();
        const QPoint local = list->rect().center();
        const QPoint global = list->mapToGlobal(local);
        QWindow* window = form->windowHandle();
        QTimer::singleShot(200, form.get(), [global, local, window] {
            QCursor::setPos(global);
            QTest::qWait(100);
            QCursor::setPos(global + QPoint(2, 2));
            QTest::qWait(100);
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), QPointF(global), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &release);
        });
        // Ends a drag the platform did not finish, so a fault fails the test instead of hanging it.
        QTimer::singleShot(5000, form.get(), [] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(qApp, &escape);
        });
        QCursor::setPos(tree->viewport()->mapToGlobal(from));
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(tree->viewport(), from + QPoint(30, 0));
        QTest::mouseMove(tree->viewport(), from + QPoint(60, 0));
        QTest::qWait(100);
    }

    // Drag events as the platform delivers them to the list's viewport.
    template <typename Event>
    bool Deliver(Event& event) {
        event.setAccepted(false);
        QCoreApplication::sendEvent(form->newGamePage()->purchases()->ListBox1->viewport(), &event);
        return event.isAccepted();
    }

    bool Red(const QWidget* w) const { return w->palette().color(QPalette::Base) == kRed; }
    bool LabelRed() const {
        return form->newGamePage()->purchases()->StaticText7->palette().color(QPalette::Window) == kRed;
    }

    QStringList GridRow(int row) const {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells << (form->newGamePage()->purchases()->Str->item(row, c)
                          ? form->newGamePage()->purchases()->Str->item(row, c)->text()
                          : QString());
        return cells;
    }
    int GridRowOf(const QString& label) const {
        for (int r = 0; r < form->newGamePage()->purchases()->Str->rowCount(); ++r)
            if (form->newGamePage()->purchases()->Str->item(r, 0) &&
                form->newGamePage()->purchases()->Str->item(r, 0)->text() == label)
                return r;
        return -1;
    }

    const QStringList kKit = {QStringLiteral("Шахтный комплекс (15)"), QStringLiteral("Энергогенератор"),
                              QStringLiteral("Конструктор (полн)"), QStringLiteral("Инженер (полн)"),
                              QStringLiteral("Геолог")};
};

TEST_F(PurchasePageTest, StartGoldSetsTheLabelWithTwoSpacesAndRestoresTheKit) {
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты: 0"));
    ChooseGold(2);  // 100
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты:  100"));
    EXPECT_EQ(CurrentPlayerEntry(form->game()).Credits, 100);
    DragOntoList(Node(38));
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты: 60"));
    EXPECT_EQ(ListLines(), kKit + QStringList({QStringLiteral("Завод тяжелой техники")}));
    EXPECT_FALSE(Red(form->newGamePage()->purchases()->ListBox1));
    EXPECT_FALSE(LabelRed());
    ChooseGold(0);
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты:  0"));
    EXPECT_EQ(form->game().World.StartGold, 0);
    EXPECT_EQ(ListLines(), kKit);
}

// Drops reach the list's viewport as real events: one whose source is not the
// tree (another program, or none) is refused, and the list never inserts the
// dropped items itself.
TEST_F(PurchasePageTest, DropEventsFromElsewhereAreRefusedAndNeverInserted) {
    ChooseGold(12);  // 900
    QTreeWidget* tree = form->newGamePage()->purchases()->TreeView1;
    tree->setCurrentItem(Node(40));
    std::unique_ptr<QMimeData> data(tree->model()->mimeData({tree->currentIndex()}));
    const QPoint at = form->newGamePage()->purchases()->ListBox1->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    EXPECT_FALSE(Deliver(enter));
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    EXPECT_FALSE(Deliver(move));
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    Deliver(drop);
    EXPECT_EQ(ListLines(), kKit);
    EXPECT_EQ(CurrentPlayerEntry(form->game()).Credits, 900);
    EXPECT_EQ(form->game().PurchaseList(5).TypeId, 0);
    EXPECT_FALSE(Red(form->newGamePage()->purchases()->ListBox1));
}

// The whole drag by the mouse, on a platform that runs drags (the offscreen
// one does not): QT_QPA_PLATFORM=xcb xvfb-run -a tarq_ui_tests
// --gtest_filter='PurchasePageTest.MouseDrag*'.
TEST_F(PurchasePageTest, MouseDragFromTheTreeBuysAndKeepsTheNodeInTheTree) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) GTEST_SKIP() << "no drag loop on this platform";
    ChooseGold(1);  // 50
    const auto nodes = [&] {
        int n = 0;
        for (QTreeWidgetItemIterator it(form->newGamePage()->purchases()->TreeView1); *it; ++it) ++n;
        return n;
    };
    const int before = nodes();
    MouseDragOntoList(Node(40));
    EXPECT_EQ(ListLines(), kKit + QStringList({QStringLiteral("Энергогенератор")}));
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты: 42"));
    EXPECT_EQ(nodes(), before);  // bought by copy: the tree never gives its node away
    MouseDragOntoList(Node(39));
    EXPECT_EQ(ListLines().size(), 6);
    EXPECT_TRUE(Red(form->newGamePage()->purchases()->ListBox1));
}

TEST_F(PurchasePageTest, RefusedDragsFlashTheirControlForFourTicks) {
    ChooseGold(1);  // 50
    struct Case {
        const char* what;
        int type;  // -1: the first heading
        bool listRed, labelRed;
    };
    const Case cases[] = {
        {"heading", -1, false, false},
        {"unbuyable mining complex", 39, true, false},
        {"too expensive", 47, false, true},  // costs 40 after the 40 spent below
    };
    DragOntoList(Node(38));
    ASSERT_EQ(CurrentPlayerEntry(form->game()).Credits, 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DragOntoList(c.type < 0 ? form->newGamePage()->purchases()->TreeView1->topLevelItem(0) : Node(c.type));
        EXPECT_EQ(ListLines().size(), 6);
        EXPECT_EQ(CurrentPlayerEntry(form->game()).Credits, 10);
        EXPECT_EQ(Red(form->newGamePage()->purchases()->ListBox1), c.listRed);
        EXPECT_EQ(LabelRed(), c.labelRed);
        for (int tick = 1; tick <= 3; ++tick) form->Timer1Timer();
        EXPECT_EQ(Red(form->newGamePage()->purchases()->ListBox1), c.listRed);
        EXPECT_EQ(LabelRed(), c.labelRed);
        form->Timer1Timer();
        EXPECT_FALSE(Red(form->newGamePage()->purchases()->ListBox1));
        EXPECT_FALSE(LabelRed());
    }
}

TEST_F(PurchasePageTest, RestrictionsApplyToDragsAndResetThePurchases) {
    ChooseGold(8);  // 500
    DragOntoList(Node(40));
    ASSERT_EQ(ListLines().size(), 6);
    form->newGamePage()->restrictions()->StrToBuy->click();
    EXPECT_EQ(ListLines(), kKit);
    EXPECT_EQ(CurrentPlayerEntry(form->game()).Credits, 492);  // spent credits stay spent
    DragOntoList(Node(40));
    EXPECT_EQ(ListLines(), kKit);
    EXPECT_TRUE(Red(form->newGamePage()->purchases()->ListBox1));
    form->newGamePage()->restrictions()->AlienToBuy->click();
    DragOntoList(Node(35));
    EXPECT_EQ(ListLines(), kKit);
    form->newGamePage()->restrictions()->StrToBuy->click();
    form->newGamePage()->restrictions()->AlienToBuy->click();
    DragOntoList(Node(39));  // unbuyable in the catalogue, buyable once the box was cleared
    DragOntoList(Node(35));
    EXPECT_EQ(ListLines(), kKit + QStringList({QStringLiteral("Шахтный комплекс"), QStringLiteral("Танк пришельцев")}));
}

TEST_F(PurchasePageTest, CardFromTheTreeWithItsPicture) {
    WriteBitmap("graph/units/U03.bmp", Bitmap(40, 30, 0xFF00FF00u));
    form->newGamePage()->purchases()->TreeView1->setCurrentItem(Node(3));
    form->newGamePage()->purchases()->TreeView1->scrollToItem(Node(3));
    QTest::mouseClick(form->newGamePage()->purchases()->TreeView1->viewport(), Qt::LeftButton, {},
                      form->newGamePage()->purchases()->TreeView1->visualItemRect(Node(3)).center());
    EXPECT_FALSE(form->newGamePage()->Image5->isHidden());
    EXPECT_EQ(form->newGamePage()->Image5->size(), QSize(40, 30));
    EXPECT_EQ(form->newGamePage()->Image5->image().pixel(5, 5), qRgb(0, 255, 0));
    const int pc1 = form->PageControl1->width(), pc2 = form->newGamePage()->PageControl2->width();
    EXPECT_EQ(form->newGamePage()->Image5->x(), pc2 + (pc1 - pc2 - 40) / 2);
    EXPECT_EQ(form->newGamePage()->StaticText4->y(), form->newGamePage()->Image5->y() + 30 + 8);
    EXPECT_FALSE(form->newGamePage()->StaticText4->isHidden());
    EXPECT_EQ(form->newGamePage()->StaticText6->text(), QStringLiteral("Танк"));
    EXPECT_FALSE(form->newGamePage()->StaticText6->isHidden());
    EXPECT_EQ(form->newGamePage()->StaticText4->text().toStdString(), form->game().UnitTypes[3].Description);
    EXPECT_EQ(form->newGamePage()->purchases()->Str->rowCount(), 9);
    EXPECT_EQ(GridRow(0), QStringList({QStringLiteral("Атака"), QStringLiteral("16"), "", "", ""}));
    EXPECT_EQ(GridRow(8), QStringList({QStringLiteral("Стоимость"), QStringLiteral("12"), "", "", ""}));
    // A heading shows nothing new; a type without a picture shows its card without one.
    QTest::mouseClick(form->newGamePage()->purchases()->TreeView1->viewport(), Qt::LeftButton, {},
                      form->newGamePage()
                          ->purchases()
                          ->TreeView1->visualItemRect(form->newGamePage()->purchases()->TreeView1->topLevelItem(0))
                          .center());
    EXPECT_EQ(form->newGamePage()->StaticText6->text(), QStringLiteral("Танк"));
    WriteBitmap("graph/units/U02.bmp", Bitmap(1, 1, 0));
    std::filesystem::resize_file(dir / "graph/units/U02.bmp", 20);  // truncated
    form->newGamePage()->purchases()->TreeView1->setCurrentItem(Node(2));
    form->newGamePage()->purchases()->TreeView1Click();
    EXPECT_TRUE(form->newGamePage()->Image5->isHidden());
    EXPECT_FALSE(form->newGamePage()->StaticText4->isHidden());
    EXPECT_EQ(form->newGamePage()->StaticText6->text(), QStringLiteral("Скаут"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PurchasePageTest, CardFromTheListShowsThePriceAndCargoSteps) {
    WriteBitmap("graph/units/U01.bmp", Bitmap(64, 48, 0xFF0000FFu));
    ChooseGold(1);                                                 // 50
    form->newGamePage()->purchases()->ListBox1->setCurrentRow(2);  // the kit's constructor: 60 of 60, price 32
    EXPECT_EQ(form->newGamePage()->Image5->size(), QSize(64, 48));
    EXPECT_EQ(form->newGamePage()->StaticText6->text(), QStringLiteral("Конструктор"));
    EXPECT_EQ(GridRow(GridRowOf(QStringLiteral("Стоимость"))),
              QStringList({QStringLiteral("Стоимость"), QStringLiteral("32"), "", "", ""}));
    const int cargo = GridRowOf(QStringLiteral("Груз"));
    ASSERT_EQ(cargo, form->newGamePage()->purchases()->Str->rowCount() - 1);
    EXPECT_EQ(GridRow(cargo), QStringList({QStringLiteral("Груз"), QStringLiteral("60/60"), QStringLiteral("1 (за 5)"),
                                           QStringLiteral("-"), QStringLiteral("+")}));
    const auto clickCell = [&](int column) {
        const int row = GridRowOf(QStringLiteral("Груз"));
        const QRect cell = form->newGamePage()->purchases()->Str->visualRect(
            form->newGamePage()->purchases()->Str->model()->index(row, column));
        QTest::mouseClick(form->newGamePage()->purchases()->Str->viewport(), Qt::LeftButton, {}, cell.center());
    };
    clickCell(3);  // "-" below the kit's cargo sells 5 units for 1 credit
    EXPECT_EQ(GridRow(GridRowOf(QStringLiteral("Груз")))[1], QStringLiteral("55/60"));
    EXPECT_EQ(GridRow(GridRowOf(QStringLiteral("Стоимость")))[1], QStringLiteral("31"));
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты: 51"));
    EXPECT_EQ(form->newGamePage()->purchases()->ListBox1->item(2)->text(), QStringLiteral("Конструктор (55)"));
    // "+" with no credits flashes the label and changes nothing.
    CurrentPlayerEntry(form->game()).Credits = 0;
    clickCell(4);
    EXPECT_TRUE(LabelRed());
    EXPECT_EQ(GridRow(GridRowOf(QStringLiteral("Груз")))[1], QStringLiteral("55/60"));
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты: 0"));
    // After the list is reset no line is selected and the stale row does nothing.
    ChooseGold(2);
    clickCell(4);
    EXPECT_EQ(form->game().PurchaseList(2).Cargo, 60);
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты:  100"));
}

// A rebuilt list clears the card and its grid, so no stale "+" or "-" acts;
// the first click on any line shows that line's card.
TEST_F(PurchasePageTest, ARebuiltListClearsTheCardAndAClickShowsItsLine) {
    ChooseGold(8);  // 500
    form->newGamePage()->purchases()->ListBox1->setCurrentRow(2);
    ASSERT_GT(form->newGamePage()->purchases()->Str->rowCount(), 0);
    DragOntoList(Node(40));
    EXPECT_EQ(form->newGamePage()->purchases()->Str->rowCount(), 0);
    EXPECT_TRUE(form->newGamePage()->StaticText6->isHidden());
    // Line 0 made current without a click (as the list's focus does), the card
    // hidden by a reset on the restrictions page: a click on line 0 shows it.
    form->newGamePage()->purchases()->ListBox1->setCurrentRow(0);
    form->newGamePage()->PageControl2->setCurrentIndex(1);
    form->newGamePage()->restrictions()->StrToBuy->click();
    form->newGamePage()->purchases()->ListBox1->setCurrentRow(0);
    form->newGamePage()->PageControl2->setCurrentIndex(2);
    EXPECT_EQ(form->newGamePage()->purchases()->Str->rowCount(), 0);
    QTest::mouseClick(form->newGamePage()->purchases()->ListBox1->viewport(), Qt::LeftButton, {},
                      form->newGamePage()
                          ->purchases()
                          ->ListBox1->visualItemRect(form->newGamePage()->purchases()->ListBox1->item(0))
                          .center());
    EXPECT_FALSE(form->newGamePage()->StaticText6->isHidden());
    EXPECT_EQ(form->newGamePage()->StaticText6->text(), QStringLiteral("Шахтный комплекс"));
}

}  // namespace
}  // namespace tarq::testing
