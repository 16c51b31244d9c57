// The window at start: pages, panels, defaults, and what it does without its pictures.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <fstream>

#include "WindowFixture.h"
#include "ui/Widgets.h"

namespace tarq::testing {
namespace {

using StartupTest = WindowTest;

template <typename W>
W* Find(TMainForm& form, const char* name) {
    W* w = form.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST_F(StartupTest, OpensOnTheWelcomePageWithHiddenTabsAndNoPanels) {
    WriteStandardPictures();
    OpenWindow();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    auto* pages = Find<QTabWidget>(*form, "PageControl1");
    EXPECT_EQ(pages->currentIndex(), 2);
    EXPECT_EQ(pages->count(), 6);
    EXPECT_TRUE(pages->isTabVisible(0));
    EXPECT_FALSE(pages->isTabVisible(1));
    EXPECT_TRUE(pages->isTabVisible(2));
    EXPECT_TRUE(pages->isTabVisible(3));
    EXPECT_FALSE(pages->isTabVisible(4));
    EXPECT_FALSE(pages->isTabVisible(5));
    EXPECT_EQ(Find<QWidget>(*form, "Panel1")->width(), 0);
    EXPECT_EQ(Find<QWidget>(*form, "Panel5")->height(), 0);
    EXPECT_FALSE(form->mapPage()->DXTimer->isActive());
    EXPECT_EQ(form->size(), QSize(776, 600));
    auto* inner = Find<QTabWidget>(*form, "PageControl2");
    EXPECT_EQ(inner->currentIndex(), 0);
    EXPECT_FALSE(inner->isTabVisible(3));
    EXPECT_EQ(inner->tabText(0), QStringLiteral("Начальные условия"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Карта (рабочая) :)"));
}

TEST_F(StartupTest, SettingsAndGeneratorControlsHaveTheirDefaults) {
    WriteStandardPictures();
    OpenWindow();
    EXPECT_EQ(Find<QLineEdit>(*form, "SFPS2")->text(), "10");
    EXPECT_EQ(Find<QLineEdit>(*form, "SFPS3")->text(), "18");
    struct Check {
        const char* name;
        bool checked, enabled;
    };
    for (const Check& c :
         {Check{"CheckBox2", false, true}, Check{"CheckBox3", false, true}, Check{"CheckBox4", false, true},
          Check{"CheckBox5", false, true}, Check{"CheckBox6", true, true}, Check{"CheckBox7", false, true},
          Check{"CheckBox8", false, false}, Check{"CheckBox9", false, false}, Check{"CheckBox10", true, true},
          Check{"CheckBox11", true, true}, Check{"CheckBox12", false, true}, Check{"StrToBuy", false, true},
          Check{"AlienToBuy", false, true}}) {
        auto* box = Find<QCheckBox>(*form, c.name);
        EXPECT_EQ(box->isChecked(), c.checked) << c.name;
        EXPECT_EQ(box->isEnabledTo(form.get()), c.enabled) << c.name;
    }
    struct Group {
        const char* name;
        int index;
        bool enabled;
    };
    for (const Group& g : {Group{"MapType", 0, false}, Group{"MapSize", 1, true}, Group{"Ttype", 0, false},
                           Group{"Sstartmoney", 0, true}, Group{"Winmode", 0, false}, Group{"RadioGroup1", 0, false},
                           Group{"RadioGroup2", 2, false}}) {
        auto* group = Find<RadioGroup>(*form, g.name);
        EXPECT_EQ(group->itemIndex(), g.index) << g.name;
        EXPECT_EQ(group->isEnabled(), g.enabled) << g.name;
    }
    struct Bar {
        const char* name;
        int min, max, value;
    };
    for (const Bar& b : {Bar{"Mountains", 0, 200, 40}, Bar{"Stones", 0, 200, 80}, Bar{"Emaxmstrj", 0, 500, 100},
                         Bar{"ismass", 0, 600, 400}, Bar{"LandMass", 0, 40, 10}, Bar{"Estripcount", 0, 100, 15},
                         Bar{"EstripL", 1, 100, 20}, Bar{"EstripW", 0, 20, 10}, Bar{"SScale", 5, 120, 15}}) {
        auto* bar = Find<QScrollBar>(*form, b.name);
        EXPECT_EQ(std::vector<int>({bar->minimum(), bar->maximum(), bar->value()}),
                  std::vector<int>({b.min, b.max, b.value}))
            << b.name;
    }
    EXPECT_EQ(Find<QScrollBar>(*form, "SScale")->pageStep(), 50);  // a click in the trough
    EXPECT_EQ(Find<QTabWidget>(*form, "PageControl5")->currentIndex(), 1);
    auto* list = Find<QListWidget>(*form, "CheckListBox1");
    ASSERT_EQ(list->count(), 12);
    for (int i = 0; i < 12; ++i) {
        const bool expected = i == 3 || i == 4 || i == 6 || i == 8 || i == 10 || i == 11;
        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, expected) << i;
    }
    EXPECT_EQ(Find<QComboBox>(*form, "ComboBox1")->count(), 7);
    EXPECT_EQ(Find<QComboBox>(*form, "ComboBox1")->currentIndex(), 0);
}

TEST_F(StartupTest, StartValuesOfTheGameAndTheReadOuts) {
    WriteStandardPictures();
    OpenWindow();
    const Game& g = form->game();
    EXPECT_EQ(g.ViewSettings.ShowConnectors, 1);
    EXPECT_EQ(g.CurrentPlayer, 1);
    EXPECT_EQ(CurrentPlayerEntry(g).BasePlaced, 0);
    EXPECT_EQ(CurrentPlayerEntry(g).Credits, 0);
    EXPECT_EQ(g.MapGenerated, 0);
    EXPECT_EQ(g.AppActive, 1);  // the map draws before any activation
    EXPECT_EQ(g.UnitTypes[1].Name, "Конструктор");
    EXPECT_EQ(Find<QLabel>(*form, "StaticText7")->text(), QStringLiteral("Кредиты: 0"));
    auto* grid = Find<QTableWidget>(*form, "Str");
    EXPECT_EQ(grid->columnCount(), 5);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Показатель"));
    EXPECT_EQ(grid->horizontalHeaderItem(4)->text(), QStringLiteral("+"));
    EXPECT_EQ(QList<int>({grid->columnWidth(3), grid->columnWidth(4)}), QList<int>({20, 21}));
    EXPECT_TRUE(
        Find<QTextEdit>(*form, "Memo4")->toPlainText().startsWith(QStringLiteral("На данный момент выполнено:")));
    EXPECT_TRUE(
        Find<QTextEdit>(*form, "Memo2")
            ->toPlainText()
            .startsWith(QStringLiteral("Двигай экран нажав правую клавишу мыши.\nМасштаб изменяй колесом мыши.")));
    EXPECT_TRUE(Find<QTextEdit>(*form, "Memo6")->toPlainText().startsWith(QStringLiteral("Всякие примечания")));
    EXPECT_TRUE(Find<QTextEdit>(*form, "Memo3")->toPlainText().startsWith(QStringLiteral("Игра начинается так:")));
    // The starting kit, as the purchase list shows it.
    QStringList lines;
    auto* purchases = Find<QListWidget>(*form, "ListBox1");
    for (int i = 0; i < purchases->count(); ++i) lines << purchases->item(i)->text();
    EXPECT_EQ(lines, QStringList({QStringLiteral("Шахтный комплекс (15)"), QStringLiteral("Энергогенератор"),
                                  QStringLiteral("Конструктор (полн)"), QStringLiteral("Инженер (полн)"),
                                  QStringLiteral("Геолог")}));
}

TEST_F(StartupTest, PurchaseTreeNodesAreNamedFromTheCatalogueAndSorted) {
    WriteStandardPictures();
    OpenWindow();
    auto* tree = Find<QTreeWidget>(*form, "TreeView1");
    QStringList headings;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) headings << tree->topLevelItem(i)->text(0);
    EXPECT_EQ(headings, QStringList({QStringLiteral("Боевые юниты"), QStringLiteral("Небоевые юниты"),
                                     QStringLiteral("Строения"), QStringLiteral("Экзотика")}));
    int typed = 0;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* node) {
        const int type = node->data(0, Qt::UserRole).toInt();
        if (type > 0) {
            ++typed;
            EXPECT_EQ(node->text(0).toStdString(), form->game().UnitTypes[type].Name);
        }
        for (int i = 1; i < node->childCount(); ++i)
            EXPECT_LE(node->child(i - 1)->text(0).localeAwareCompare(node->child(i)->text(0)), 0)
                << node->child(i - 1)->text(0).toStdString();
        for (int i = 0; i < node->childCount(); ++i) walk(node->child(i));
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i));
    EXPECT_EQ(typed, 67);
}

TEST_F(StartupTest, TheColourStripTakesTheCentreOfEachTerrainTile) {
    WriteStandardPictures();
    OpenWindow();
    const Bitmap& strip = form->terrainStrip();
    ASSERT_EQ(strip.width, 3 * (2 + 2) + 1);
    ASSERT_EQ(strip.height, 1);
    const Bitmap sheet = SmallTerrainSheet();
    for (int t = 0; t < 6; ++t) EXPECT_EQ(strip.at(t, 0), sheet.at((t % 3) * 64 + 32, (t / 3) * 64 + 32)) << t;
}

TEST_F(StartupTest, MissingPicturesAreNamedAndTheWindowStillOpens) {
    OpenWindow();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Terrain0.bmp"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[1].contains(QStringLiteral("00.bmp"))) << messages[1].toStdString();
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
    EXPECT_EQ(form->game().UnitTypes[67].Name, "Подъемный Мост");
}

TEST_F(StartupTest, ACorruptTerrainSheetIsReportedNotTrusted) {
    std::filesystem::create_directories(dir / "graph");
    { std::ofstream(dir / "graph" / "Terrain0.bmp") << "BM this is not a picture"; }
    WriteBitmap("graph/00.bmp", Bitmap(78, 78));
    OpenWindow();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Terrain0.bmp")));
}

// A refresh shows the game state in every page, as a loaded game needs, and
// leaves the state as it was.
TEST_F(StartupTest, RefreshShowsTheGameStateInEveryPage) {
    WriteStandardPictures();
    WriteBitmap("graph/03.bmp", Bitmap(78, 78, 0xFF00FF00u));
    OpenWindow();
    Game& g = form->game();
    g.SlowAnimPeriod = 7;
    g.Settings.InfoShown[0] = 1;
    g.Settings.ScrollBars = 0;
    CurrentPlayerEntry(g).PlayerClan = 3;
    g.UseLandingSectors = 1;
    g.World.StartGold = 300;
    CurrentPlayerEntry(g).Credits = 42;
    CurrentPlayerEntry(g).Restrictions.NoAlienUnits = 1;
    g.PurchaseList(5) = {40, 0, 8};
    g.ViewSettings.Scale = 60;
    g.ViewSettings.ShowGrid = 1;
    g.ViewSettings.ShowConnectors = 0;
    g.ViewSettings.Overlays.On[static_cast<std::size_t>(MapOverlay::Names)] = 1;
    const TSettings settings = g.Settings;
    const TNewGameChoices choices = CurrentPlayerEntry(g).Restrictions;
    form->RefreshFromGame();
    const SettingsPage* s = form->settingsPage();
    EXPECT_EQ(s->SFPS2->text(), "7");
    EXPECT_EQ(s->CheckListBox1->item(0)->checkState(), Qt::Checked);
    EXPECT_FALSE(s->CheckBox10->isChecked());
    const StartConditionsPage* start = form->newGamePage()->startConditions();
    EXPECT_EQ(start->ComboBox1->currentIndex(), 3);
    EXPECT_EQ(start->Image4->image().pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_TRUE(start->CheckBox2->isChecked());
    const RestrictionsPage* r = form->newGamePage()->restrictions();
    EXPECT_EQ(r->Sstartmoney->itemText(r->Sstartmoney->itemIndex()).trimmed(), "300");
    EXPECT_TRUE(r->AlienToBuy->isChecked());
    EXPECT_EQ(form->newGamePage()->purchases()->StaticText7->text(), QStringLiteral("Кредиты: 42"));
    EXPECT_EQ(form->newGamePage()->purchases()->ListBox1->count(), 6);
    EXPECT_EQ(form->mapPage()->SScale->value(), 60);
    EXPECT_TRUE(form->mapPage()->Button6->font().bold());
    EXPECT_FALSE(form->mapPage()->Button11->font().bold());
    const QFont names = form->mapPage()->Button9->font();
    EXPECT_TRUE(names.bold() && !names.strikeOut());
    form->mapPage()->Button2->click();  // a switch like "Сетка"
    EXPECT_TRUE(g.ViewSettings.Overlays[MapOverlay::Hits] && form->mapPage()->Button2->font().bold());
    form->mapPage()->Button9->click();
    EXPECT_TRUE(!g.ViewSettings.Overlays[MapOverlay::Names] && form->mapPage()->Button9->font().strikeOut());
    EXPECT_EQ(g.Settings, settings);
    EXPECT_EQ(CurrentPlayerEntry(g).Restrictions, choices);
    EXPECT_EQ(CurrentPlayerEntry(g).PlayerClan, 3);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

// Whether the caption of `w` shows whole in its font: a label on one line is
// as wide as its text, a wrapped one tall enough for its lines, a check box
// or radio button as wide as its box and text, a button's text inside its
// frame, a group tall enough for its items; and all of it inside the parent.
bool CaptionFits(const QWidget* w, QString& text) {
    const QFontMetrics fm(w->font());
    int needed = 0;
    bool fits = true;
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        text = label->text();
        needed = label->wordWrap() ? 0 : label->sizeHint().width();
        fits = !label->wordWrap() || label->heightForWidth(label->width()) <= label->height();
    } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        text = button->text();
        needed = qobject_cast<const QPushButton*>(w) ? fm.horizontalAdvance(text) + 8 : button->sizeHint().width();
    } else if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        text = group->title();
        needed = fm.horizontalAdvance(text) + 16;
        fits = group->minimumSizeHint().height() <= group->height();
    }
    return text.isEmpty() || (fits && needed <= w->width() && w->x() + needed <= w->parentWidget()->width());
}

// Shows every page of `pages` in turn, and every page of the page controls on it.
void VisitPages(QTabWidget* pages, const std::function<void()>& check) {
    const QSignalBlocker block(pages);
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QCoreApplication::sendPostedEvents();
        check();
        for (QTabWidget* inner : pages->widget(i)->findChildren<QTabWidget*>())
            if (inner->parentWidget() && inner->parentWidget()->isVisible()) VisitPages(inner, check);
    }
}

TEST_F(StartupTest, EveryCaptionFitsItsControl) {
    WriteStandardPictures();
    OpenWindow();
    form->show();
    // The pages as the window opens, then the side panel as the launch sizes it.
    QSet<QString> cut;
    const auto check = [&](bool sidePanel) {
        for (const QWidget* w : form->findChildren<QWidget*>()) {
            QString text;
            if (form->mapPage()->Panel1->isAncestorOf(w) == sidePanel && w->parentWidget()->isVisible() &&
                !CaptionFits(w, text))
                cut << text;
        }
    };
    VisitPages(form->PageControl1, [&] { check(false); });
    form->mapPage()->Panel1->setFixedWidth(200);
    QCoreApplication::sendPostedEvents();
    check(true);
    EXPECT_TRUE(cut.isEmpty()) << QStringList(cut.values()).join("\n").toStdString();
}

}  // namespace
}  // namespace tarq::testing
