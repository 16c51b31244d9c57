// The map page's orders: clicks on the map (the engine decides what a click
// means; here the side panel, the command menu, the zoom after the landing and
// the pointer follow), the command menu, construction orders and END TURN.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "control/Construction.h"
#include "control/EndTurn.h"
#include "control/InfoPanel.h"
#include "control/MapClick.h"
#include "control/SitePreview.h"
#include "core/Players.h"
#include "core/World.h"
#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "ui/PageHost.h"
#include "view/Overlays.h"

namespace tarq {

namespace {

QColor FromBgrValue(u32 bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QColor ColourOf(InfoColour colour, const QTextEdit* memo) {
    switch (colour) {
        case InfoColour::Navy: return FromBgrValue(kInfoNavyBgr);
        case InfoColour::Red: return FromBgrValue(kInfoRedBgr);
        case InfoColour::WindowText: break;
    }
    return memo->palette().color(QPalette::Text);
}

// Rewrites the memo, each line with its own weight and colour.
void WriteMemo(QTextEdit* memo, const std::vector<InfoLine>& lines) {
    memo->clear();
    QTextCursor cursor(memo->document());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QTextCharFormat format;
        format.setFontWeight(lines[i].bold ? QFont::Bold : QFont::Normal);
        format.setForeground(ColourOf(lines[i].colour, memo));
        if (i > 0) cursor.insertBlock(QTextBlockFormat(), format);
        cursor.setCharFormat(format);
        cursor.insertText(QString::fromStdString(lines[i].text), format);
    }
}

InfoChecks ShownItems(const TSettings& settings) {
    InfoChecks checks{};
    for (std::size_t i = 0; i < checks.size(); ++i) checks[i] = settings.InfoShown[i] != 0;
    return checks;
}

}  // namespace

// --- Clicks -------------------------------------------------------------------------

ClickContext MapPage::CurrentClickContext() const {
    return {SScale->value(), DXDraw->pixelWidth(), DXDraw->pixelHeight(), ShownItems(host_.game().Settings)};
}

void MapPage::DXDrawClick() { ShowClickResult(tarq::DXDrawClick(host_.game(), CurrentClickContext())); }

void MapPage::ShowClickResult(const ClickResult& result) {
    // The minimap marks every player's objects: a click may have moved or made one.
    if (SeveralPlayers(host_.game())) host_.game().MinimapDirty = 1;
    if (result.memo) WriteMemo(Memo2, *result.memo);
    if (result.zoomTo100) {
        // The engine has already applied the zoom; the bar only shows it.
        const QSignalBlocker block(SScale);
        SScale->setValue(kBaseZoom);
        SetScaleLabels(*result.zoomTo100);
    }
    if (result.updateCursor) StepMapCursor();
    ENDTURN->setEnabled(EndTurnEnabled(host_.game()));
    for (const std::string& text : result.messages) host_.ShowMessage(QString::fromStdString(text), MessageWeight::Warning);
    RenderAndPresent();
    if (result.openMenu) {
        // Not modal: the drawing timer keeps running while the menu is open.
        BuildCommandMenu();
        PMenu->popup(DXDraw->mapToGlobal(DXDraw->toLogical(result.menuX, result.menuY)));
    }
}

// Runs after DXDrawMouseMove; takes the position again so it does not depend
// on that order.
void MapPage::DXDrawMouseMoveSite(int x, int y) {
    Game& g = host_.game();
    if (g.ClickMode != kClickPlaceSite) return;
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    if (MoveSiteWithMouse(g)) RenderAndPresent();
}

// --- The command menu -----------------------------------------------------------------

// Every item becomes an action of `menu`; an item with children becomes a
// submenu. The item's value rides on the action's data.
void MapPage::AddMenuItem(QMenu* menu, const MenuItem& item) {
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

void MapPage::BuildCommandMenu() {
    PMenu->clear();
    // The submenus of the last opening are children of PMenu; clear() leaves them.
    qDeleteAll(PMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
    for (const MenuItem& item : tarq::BuildCommandMenu(host_.game())) AddMenuItem(PMenu, item);
}

void MapPage::MenuItemChosen(MenuAction action, int value, const std::string& caption) {
    switch (action) {
        case MenuAction::None: return;
        case MenuAction::Move: N81Click(); return;
        case MenuAction::TechnicalPage: emit technicalPageRequested(); return;
        case MenuAction::DestroyStructure: N4Click(); return;
        case MenuAction::StartConstruction:
        case MenuAction::TakeOutBuilder:
        case MenuAction::CancelConstruction:
            ConstructionOrder(action, value, caption);
            return;
    }
}

void MapPage::N81Click() {
    host_.game().MoveArmed = 1;
    SetMapCursor(NextMapCursor(cursorNumber_, true));
}

void MapPage::N4Click() {
    Game& g = host_.game();
    DeleteObject(g, g.SelectedObject);
    Memo2->clear();  // the panel described the structure that is gone
    RenderAndPresent();
}

// --- Construction orders and the end of the turn ----------------------------------------

void MapPage::ConstructionOrder(MenuAction action, int value, const std::string& caption) {
    Game& g = host_.game();
    ConstructionResult result;
    switch (action) {
        case MenuAction::StartConstruction: result = StartConstruction(g, value, caption); break;
        case MenuAction::TakeOutBuilder: result = TakeOutBuilder(g, value); break;
        case MenuAction::CancelConstruction: result = CancelConstruction(g, value); break;
        default: return;
    }
    ENDTURN->setEnabled(EndTurnEnabled(g));
    for (const std::string& text : result.messages) host_.ShowMessage(QString::fromStdString(text), MessageWeight::Warning);
    if (result.acted) RenderAndPresent();
}

void MapPage::ENDTURNClick() {
    EndTurn(host_.game());
    ShowTurn();
    emit turnEnded();
}

void MapPage::ShowSelectionInfo() {
    const Game& g = host_.game();
    if (g.SelectedObject >= 1 && g.SelectedObject <= kMaxObjects && SlotInUse(g.Object(g.SelectedObject)))
        WriteMemo(Memo2, ShowObjectInfo(g, g.SelectedObject, ShownItems(g.Settings)));
    else
        ShowControlHints();
}

void MapPage::CancelWaiting() {
    Game& g = host_.game();
    const ConstructionResult cancelled = RightPress(g);
    ENDTURN->setEnabled(EndTurnEnabled(g));
    if (cancelled.acted) RenderAndPresent();
}

}  // namespace tarq
