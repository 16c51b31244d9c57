// The purchases page (TabSheet5) of the new game: the catalogue tree to drag
// from, the purchase list to drop on, the credits label, and the grid of the
// type card with the cargo steps. The card's picture, name and description sit
// beside the inner pages; the new-game page shows them on cardShown.
#pragma once

#include <QWidget>

#include "setup/TypeCard.h"

class QFrame;
class QLabel;
class QListWidget;
class QTableWidget;
class QTreeWidget;

namespace tarq {

class PageHost;

class PurchasesPage : public QWidget {
    Q_OBJECT
public:
    explicit PurchasesPage(PageHost& host, QWidget* parent = nullptr);

    // The list and the credits label from the game state.
    void RefreshFromGame();
    // Names the tree's nodes from the catalogue and sorts them.
    void NamePurchaseTreeNodes();
    void SetCreditsText(const QString& text);
    // The slow timer ended a refused purchase's red warning.
    void EndWarning();

    void RefreshPurchaseList();
    void TreeView1Click();
    bool ListBox1DragOver(QObject* source);
    void ListBox1DragDrop(QObject* source);
    void ListBox1Click();
    void StrSelectCell(int column, int row);
    // The card of `type`; `entry` is the purchase list entry it describes (-1 for a tree node).
    void ShowTypeCard(int type, CardSource source, int entry = -1);
    // Hides the card and empties its grid, so no "+" or "-" of a card not shown acts.
    void HideTypeCard();

signals:
    // The card's picture file (as the game names it), name and description.
    void cardShown(const QString& picture, const QString& name, const QString& description);
    void cardHidden();

private:
    void BuildPurchaseTree();

    PageHost& host_;
    int cardEntry_ = -1;  // the purchase list entry whose card is shown, -1 for none or a tree node

public:
    QTreeWidget* TreeView1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QFrame* Panel4 = nullptr;
    QTableWidget* Str = nullptr;
    QLabel* StaticText7 = nullptr;
    QLabel* StaticText5 = nullptr;
};

}  // namespace tarq
