// Handlers of the restrictions and purchases pages: start gold, the two
// restrictions, buying by dragging a type from the tree onto the list, cargo
// steps in the characteristics grid, and the card of the selected type.
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include "core/Paths.h"
#include "platform/BmpFile.h"
#include "setup/PurchaseListLines.h"
#include "setup/Purchases.h"
#include "setup/Shop.h"
#include "ui/MainWindow.h"
#include "ui/QtBitmap.h"
#include "ui/Widgets.h"

namespace tarq {
namespace {

// Drags arriving at the purchase list go to the window's drag handlers; the
// list never inserts dropped items itself.
class PurchaseDropFilter : public QObject {
public:
    explicit PurchaseDropFilter(TMainForm* form) : QObject(form), form_(form) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (form_->ListBox1DragOver(drag->source())) {
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
            form_->ListBox1DragDrop(drop->source());
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            return true;
        }
        case QEvent::DragLeave:
            return true;
        default:
            return false;
        }
    }

private:
    TMainForm* form_;
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
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < 5; ++c)
            grid->setItem(r, c, new QTableWidgetItem(QString::fromStdString(rows[static_cast<std::size_t>(r)][c])));
}

QString CellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

void TMainForm::ConnectPurchaseHandlers() {
    connect(Sstartmoney, &RadioGroup::clicked, this, &TMainForm::SstartmoneyClick);
    connect(StrToBuy, &QCheckBox::clicked, this, &TMainForm::StrToBuyClick);
    connect(AlienToBuy, &QCheckBox::clicked, this, &TMainForm::StrToBuyClick);
    connect(TreeView1, &QTreeWidget::itemClicked, this, &TMainForm::TreeView1Click);
    // The card follows the current line whether it changed by mouse or by
    // keyboard; a click on a line whose card is not shown (hidden, or the card
    // of a tree node) shows it.
    connect(ListBox1, &QListWidget::currentRowChanged, this, &TMainForm::ListBox1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (cardEntry_ != ListBox1->currentRow()) ListBox1Click();
    });
    connect(Str, &QTableWidget::cellClicked, this, [this](int row, int column) { StrSelectCell(column, row); });
    // The tree is only a source: nothing may be dropped into it or moved out of it.
    TreeView1->setDragDropMode(QAbstractItemView::DragOnly);
    TreeView1->setDefaultDropAction(Qt::CopyAction);
    ListBox1->viewport()->installEventFilter(new PurchaseDropFilter(this));
}

void TMainForm::SstartmoneyClick() {
    const int index = Sstartmoney->itemIndex();
    bool ok = false;
    const int gold = index >= 0 ? Sstartmoney->itemText(index).trimmed().toInt(&ok) : 0;
    if (!ok) return;
    StaticText7->setText(QString::fromStdString(ChooseStartGold(*game_, gold)));
    RefreshPurchaseList();
}

void TMainForm::StrToBuyClick() {
    TNewGameChoices& choices = game_->NewGameChoices;
    choices.NoStructures = StrToBuy->isChecked() ? 1 : 0;
    choices.NoAlienUnits = AlienToBuy->isChecked() ? 1 : 0;
    ApplyPurchaseRestrictions(*game_, choices.NoStructures == 1, choices.NoAlienUnits == 1);
    ResetPurchases(*game_);
    RefreshPurchaseList();
}

void TMainForm::TreeView1Click() {
    const int type = SelectedTreeType(TreeView1);
    if (type >= 1 && type <= kTypeCount) ShowTypeCard(type, CardSource::Tree);
}

bool TMainForm::ListBox1DragOver(QObject* source) {
    if (source != TreeView1) return false;
    switch (JudgeDragOver(*game_, SelectedTreeType(TreeView1))) {
    case DragVerdict::Accept:
        return true;
    case DragVerdict::RefuseNotPurchasable:
        FlashRed(ListBox1);
        return false;
    case DragVerdict::RefuseTooExpensive:
        FlashRed(StaticText7);
        return false;
    case DragVerdict::RefuseNoType:
        return false;
    }
    return false;
}

void TMainForm::ListBox1DragDrop(QObject* source) {
    if (source != TreeView1) return;
    const DropResult bought = BuyType(*game_, SelectedTreeType(TreeView1));
    if (!bought.bought) return;
    StaticText7->setText(QString::fromStdString(bought.creditsText));
    RefreshPurchaseList();
}

void TMainForm::ListBox1Click() {
    const int entry = ListBox1->currentRow();
    if (entry < 0 || entry >= kPurchaseEntries) return;
    const int type = game_->PurchaseList(entry).TypeId;
    if (type != 0) ShowTypeCard(type, CardSource::List, entry);
}

void TMainForm::StrSelectCell(int column, int row) {
    const int entry = cardEntry_;
    const CargoStepResult step = SelectCargoCell(*game_, entry, CellText(Str, row, 0).toStdString(),
                                                 CellText(Str, row, column).toStdString());
    if (!step.cargoRow) return;
    if (step.warnCredits) FlashRed(StaticText7);
    if (step.showCardAgain) {
        ShowTypeCard(game_->PurchaseList(entry).TypeId, CardSource::List, entry);
        // The line shows the new cargo too; rebuilding the list would lose its selection.
        const std::vector<std::string> lines = PurchaseListLines(*game_);
        if (entry < static_cast<int>(lines.size()) && ListBox1->item(entry))
            ListBox1->item(entry)->setText(QString::fromStdString(lines[static_cast<std::size_t>(entry)]));
    }
    StaticText7->setText(QString::fromStdString(step.creditsText));
}

// A type without a readable picture shows its card without one: the player is
// only browsing, so no message interrupts.
void TMainForm::ShowTypeCard(int type, CardSource source, int entry) {
    const TypeCard card = MakeTypeCard(*game_, type, source, entry);
    cardEntry_ = entry;
    Bitmap picture;
    const bool loaded = LoadBitmapFile(ResolveGamePath(card.picture, workDir_), picture).ok;
    if (loaded) {
        Image5->setImage(ToQImage(picture));
        Image5->resize(picture.width, picture.height);
        const int left = PageControl2->width() + (PageControl1->width() - PageControl2->width() - Image5->width()) / 2;
        Image5->move(left, Image5->y());
        Image5->show();
    } else {
        Image5->setImage(QImage());
        Image5->hide();
    }
    StaticText4->setText(QString::fromStdString(card.description));
    StaticText4->move(StaticText4->x(), loaded ? Image5->y() + Image5->height() + 8 : Image5->y());
    StaticText4->show();
    StaticText6->setText(QString::fromStdString(card.name));
    StaticText6->show();
    FillCardGrid(Str, card.rows);
}

void TMainForm::HideTypeCard() {
    Image5->hide();
    StaticText4->hide();
    StaticText6->hide();
    Str->setRowCount(0);
    cardEntry_ = -1;
}

}  // namespace tarq
