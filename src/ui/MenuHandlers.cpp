// The command menu in the window: PMenu is filled from the engine's menu each
// time it opens, and a chosen item's action is carried out here; END TURN.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>

#include "control/EndTurn.h"
#include "core/World.h"
#include "ui/MainWindow.h"
#include "ui/MapSurface.h"
#include "view/Overlays.h"

namespace tarq {

void TMainForm::ConnectMenuHandlers() {
    connect(ENDTURN, &QPushButton::clicked, this, &TMainForm::ENDTURNClick);
}

// Every item becomes an action of `menu`; an item with children becomes a
// submenu. The item's value rides on the action's data.
void TMainForm::AddMenuItem(QMenu* menu, const MenuItem& item) {
    const QString caption = QString::fromStdString(item.caption);
    QAction* action = nullptr;
    if (item.children.empty()) {
        action = menu->addAction(caption);
        const MenuAction kind = item.action;
        const int value = item.value;
        const std::string text = item.caption;
        connect(action, &QAction::triggered, this, [this, kind, value, text] { MenuItemChosen(kind, value, text); });
    } else {
        QMenu* sub = menu->addMenu(caption);
        for (const MenuItem& child : item.children) AddMenuItem(sub, child);
        action = sub->menuAction();
    }
    if (!item.name.empty()) action->setObjectName(QString::fromStdString(item.name));
    action->setData(item.value);
    action->setVisible(item.visible);
    action->setEnabled(item.enabled);
}

void TMainForm::BuildCommandMenu() {
    PMenu->clear();
    // The submenus of the last opening are children of PMenu; clear() leaves them.
    qDeleteAll(PMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
    for (const MenuItem& item : tarq::BuildCommandMenu(*game_)) AddMenuItem(PMenu, item);
}

void TMainForm::MenuItemChosen(MenuAction action, int value, const std::string& caption) {
    switch (action) {
        case MenuAction::None: return;
        case MenuAction::Move: N81Click(); return;
        case MenuAction::TechnicalPage: N41Click(); return;
        case MenuAction::DestroyStructure: N4Click(); return;
        case MenuAction::StartConstruction:
        case MenuAction::TakeOutBuilder:
        case MenuAction::CancelConstruction:
            ConstructionOrder(action, value, caption);
            return;
    }
}

void TMainForm::N81Click() {
    game_->MoveArmed = 1;
    SetMapCursor(NextMapCursor(cursorNumber_, true));
}

void TMainForm::N4Click() {
    DeleteObject(*game_, game_->SelectedObject);
    Memo2->clear();  // the panel described the structure that is gone
    RenderAndPresent();
}

void TMainForm::ENDTURNClick() { EndTurn(*game_); }

}  // namespace tarq
