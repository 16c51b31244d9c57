#include "ui/PurchasesPage.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "setup/PurchaseListLines.h"
#include "setup/Shop.h"
#include "ui/PageHost.h"
#include "ui/UiHelpers.h"

namespace tarq {
namespace {

// Drags arriving at the purchase list go to the page's drag handlers; the
// list never inserts dropped items itself.
class PurchaseDropFilter : public QObject {
public:
    explicit PurchaseDropFilter(PurchasesPage* page) : QObject(page), page_(page) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (page_->ListBox1DragOver(drag->source())) {
                    // A copy: a move would make the tree remove the dragged node.
                    drag->setDropAction(Qt::CopyAction);
                    drag->accept();
                } else {
                    drag->ignore();
                }
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                page_->ListBox1DragDrop(drop->source());
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                return true;
            }
            case QEvent::DragLeave: return true;
            default: return false;
        }
    }

private:
    PurchasesPage* page_;
};

// Type of the tree's selected node; headings and no selection give -1.
int SelectedTreeType(const QTreeWidget* tree) {
    const QTreeWidgetItem* node = tree->currentItem();
    return node ? node->data(0, Qt::UserRole).toInt() : -1;
}

// A refused purchase shows the control red until the slow timer restores it.
void FlashRed(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::red);
    palette.setColor(QPalette::Base, Qt::red);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void FillCardGrid(QTableWidget* grid, const std::vector<CardRow>& rows) {
    grid->clearContents();
    grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < grid->rowCount(); ++r) {
        const CardRow& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < 5; ++c)
            grid->setItem(r, c, new QTableWidgetItem(QString::fromStdString(row[static_cast<std::size_t>(c)])));
    }
}

QString CellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

PurchasesPage::PurchasesPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("TabSheet5"));
    TreeView1 = Place(Named(new QTreeWidget(this), "TreeView1"), 4, 4, 200, 468);
    TreeView1->setHeaderHidden(true);
    TreeView1->setDragEnabled(true);
    BuildPurchaseTree();
    ListBox1 = Place(Named(new QListWidget(this), "ListBox1"), 210, 4, 170, 200);
    ListBox1->setAcceptDrops(true);
    StaticText5 = Place(Named(new QLabel(QStringLiteral("Просто перетащи себе то что ты хочешь купить. Улучшай здесь "
                                                        "же. Убедись что правильно указал ограничения на вкладке "
                                                        "\"Ограничения\""),
                                         this),
                              "StaticText5"),
                        386, 4, 170, 110);
    StaticText5->setWordWrap(true);
    StaticText5->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    StaticText7 = Place(Named(new QLabel(this), "StaticText7"), 386, 120, 170, 20);
    StaticText7->setAutoFillBackground(true);

    Panel4 = Place(Named(new QFrame(this), "Panel4"), 210, 210, 345, 200);
    Panel4->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(Panel4);
    layout->setContentsMargins(1, 1, 1, 1);
    Str = Named(new QTableWidget(0, 5, Panel4), "Str");
    Str->horizontalHeader()->setMinimumSectionSize(20);  // the "-" and "+" columns are narrower than Qt's default
    const int widths[] = {150, 71, 54, 20, 21};
    for (int c = 0; c < 5; ++c) Str->setColumnWidth(c, widths[c]);
    Str->verticalHeader()->hide();
    Str->verticalHeader()->setDefaultSectionSize(18);
    Str->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Str->setHorizontalHeaderLabels({QStringLiteral("Показатель"), QStringLiteral("Величина"), QStringLiteral("Стоим"),
                                    QStringLiteral("-"), QStringLiteral("+")});
    layout->addWidget(Str);

    connect(TreeView1, &QTreeWidget::itemClicked, this, &PurchasesPage::TreeView1Click);
    // The card follows the current line whether it changed by mouse or by
    // keyboard; a click on a line whose card is not shown (hidden, or the card
    // of a tree node) shows it.
    connect(ListBox1, &QListWidget::currentRowChanged, this, &PurchasesPage::ListBox1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (cardEntry_ != ListBox1->currentRow()) ListBox1Click();
    });
    connect(Str, &QTableWidget::cellClicked, this, [this](int row, int column) { StrSelectCell(column, row); });
    // The tree is only a source: nothing may be dropped into it or moved out of it.
    TreeView1->setDragDropMode(QAbstractItemView::DragOnly);
    TreeView1->setDefaultDropAction(Qt::CopyAction);
    ListBox1->viewport()->installEventFilter(new PurchaseDropFilter(this));
}

// Headings carry no type (image index -1); every other node's image index is its type.
void PurchasesPage::BuildPurchaseTree() {
    struct Group {
        const char* heading;
        const char* subheading;
        std::vector<int> types;
    };
    const Group groups[] = {
        {"Боевые юниты", "Наземные+амфибии", {2, 3, 4, 7, 5, 6, 19, 18, 32}},
        {"Боевые юниты", "Воздушные", {28, 29}},
        {"Боевые юниты", "Наводные", {22, 25, 23, 21, 20, 33}},
        {"Небоевые юниты", "Наземные+Амфибии", {1, 13, 17, 9, 8, 10, 11, 12, 16, 14, 15}},
        {"Небоевые юниты", "Воздушные", {30, 31}},
        {"Небоевые юниты", "Наводные", {26, 27, 24}},
        {"Строения", nullptr, {39, 40, 41, 42, 38, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52,
                               53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67}},
        {"Экзотика", nullptr, {35, 34, 36, 37}},
    };
    auto heading = [](QTreeWidgetItem* node, const char* text) {
        node->setText(0, QString::fromUtf8(text));
        node->setData(0, Qt::UserRole, -1);
        return node;
    };
    QTreeWidgetItem* top = nullptr;
    for (const Group& g : groups) {
        if (!top || top->text(0) != QString::fromUtf8(g.heading))
            top = heading(new QTreeWidgetItem(TreeView1), g.heading);
        QTreeWidgetItem* parent = g.subheading ? heading(new QTreeWidgetItem(top), g.subheading) : top;
        for (int type : g.types) {
            auto* node = new QTreeWidgetItem(parent);
            node->setText(0, QStringLiteral("Тип %1").arg(type));
            node->setData(0, Qt::UserRole, type);
        }
    }
}

void PurchasesPage::NamePurchaseTreeNodes() {
    const Game& g = host_.game();
    std::function<void(QTreeWidgetItem*)> name = [&](QTreeWidgetItem* node) {
        const int imageIndex = node->data(0, Qt::UserRole).toInt();
        if (imageIndex > 0 && imageIndex <= kTypeCount)
            node->setText(0, QString::fromStdString(g.UnitTypes[imageIndex].Name));
        for (int i = 0; i < node->childCount(); ++i) name(node->child(i));
    };
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) name(TreeView1->topLevelItem(i));
    TreeView1->sortItems(0, Qt::AscendingOrder);
}

void PurchasesPage::RefreshFromGame() {
    RefreshPurchaseList();
    SetCreditsText(QString::fromStdString(CreditsLabel(CurrentPlayerEntry(host_.game()).Credits)));
}

void PurchasesPage::SetCreditsText(const QString& text) { StaticText7->setText(text); }

void PurchasesPage::EndWarning() {
    StaticText7->setPalette(QPalette());
    ListBox1->setPalette(QPalette());
}

// The card described a line of the old list: it goes with it.
void PurchasesPage::RefreshPurchaseList() {
    HideTypeCard();
    ListBox1->clear();
    for (const std::string& line : PurchaseListLines(host_.game())) ListBox1->addItem(QString::fromStdString(line));
}

void PurchasesPage::TreeView1Click() {
    const int type = SelectedTreeType(TreeView1);
    if (type >= 1 && type <= kTypeCount) ShowTypeCard(type, CardSource::Tree);
}

bool PurchasesPage::ListBox1DragOver(QObject* source) {
    if (source != TreeView1) return false;
    switch (JudgeDragOver(host_.game(), SelectedTreeType(TreeView1))) {
        case DragVerdict::Accept: return true;
        case DragVerdict::RefuseNotPurchasable: FlashRed(ListBox1); return false;
        case DragVerdict::RefuseTooExpensive: FlashRed(StaticText7); return false;
        case DragVerdict::RefuseNoType: return false;
    }
    return false;
}

void PurchasesPage::ListBox1DragDrop(QObject* source) {
    if (source != TreeView1) return;
    const int type = SelectedTreeType(TreeView1);
    if (type < 1 || type > kTypeCount) return;
    if (!host_.Submit(host_.Mine(cmd::BuyType{static_cast<u8>(type)})).accepted) return;
    StaticText7->setText(QString::fromStdString(CreditsLabel(CurrentPlayerEntry(host_.game()).Credits)));
    RefreshPurchaseList();
}

void PurchasesPage::ListBox1Click() {
    const int entry = ListBox1->currentRow();
    if (entry < 0 || entry >= kPurchaseEntries) return;
    const int type = host_.game().PurchaseList(entry).TypeId;
    if (type != 0) ShowTypeCard(type, CardSource::List, entry);
}

// "-" and "+" on the cargo row of the card of a list entry: a step of cargo
// bought or sold back; a "+" refused for want of credits flashes the label.
void PurchasesPage::StrSelectCell(int column, int row) {
    const int entry = cardEntry_;
    const QString cell = CellText(Str, row, column);
    if (entry < 0 || CellText(Str, row, 0) != QStringLiteral("Груз") ||
        (cell != QStringLiteral("+") && cell != QStringLiteral("-")))
        return;
    const Outcome out = host_.Submit(
        host_.Mine(cmd::CargoStep{static_cast<u8>(entry), static_cast<u8>(cell == QStringLiteral("+") ? 1 : 0)}));
    const Game& g = host_.game();
    if (!out.accepted && !out.reason.empty()) {
        host_.game().WarnFlashTicks = kWarnFlashTicks;  // the slow timer ends the warning
        FlashRed(StaticText7);
    }
    ShowTypeCard(g.PurchaseList(entry).TypeId, CardSource::List, entry);
    // The line shows the new cargo too; rebuilding the list would lose its selection.
    const std::vector<std::string> lines = PurchaseListLines(g);
    if (entry < static_cast<int>(lines.size()) && ListBox1->item(entry))
        ListBox1->item(entry)->setText(QString::fromStdString(lines[static_cast<std::size_t>(entry)]));
    StaticText7->setText(QString::fromStdString(CreditsLabel(CurrentPlayerEntry(g).Credits)));
}

void PurchasesPage::ShowTypeCard(int type, CardSource source, int entry) {
    const TypeCard card = MakeTypeCard(host_.game(), type, source, entry);
    cardEntry_ = entry;
    emit cardShown(QString::fromStdString(card.picture), QString::fromStdString(card.name),
                   QString::fromStdString(card.description));
    FillCardGrid(Str, card.rows);
}

void PurchasesPage::HideTypeCard() {
    emit cardHidden();
    Str->setRowCount(0);
    cardEntry_ = -1;
}

}  // namespace tarq
