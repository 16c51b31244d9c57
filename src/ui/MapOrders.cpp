// The map page's orders: what a click, a right press, the pointer over a
// waiting site, a menu item and END TURN mean is decided by the engine
// (control/ClickOrders.h, the menu's orders); the page submits that order
// and shows its outcome: the side panel, the command menu, the zoom bar, the
// pointer, END TURN, the notice strip and a fresh frame.
#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "control/ClickOrders.h"
#include "control/InfoPanel.h"
#include "control/PathOrders.h"
#include "core/World.h"
#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "ui/PageHost.h"

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

// --- Submitting and showing outcomes ------------------------------------------------

// The orders that move the view work in the surface's device pixels: the
// game learns a new size before the order that needs it.
Outcome MapPage::Submit(const Order& order) {
    const Game& g = host_.game();
    if (g.SurfaceWidth != DXDraw->pixelWidth() || g.SurfaceHeight != DXDraw->pixelHeight())
        host_.Submit(
            host_.Mine(cmd::Resize{static_cast<i16>(DXDraw->pixelWidth()), static_cast<i16>(DXDraw->pixelHeight())}));
    return host_.Submit(order);
}

Outcome MapPage::Submit(Command command) { return Submit(host_.Mine(std::move(command))); }

// A refusal is told in the notice strip while the map is on show; the pages
// that submit elsewhere tell their own.
void MapPage::ShowOutcome(const Outcome& out, bool onShow) {
    if (out.memo) WriteMemo(Memo2, *out.memo);
    if (out.zoomTo) {
        // The engine has already applied the zoom; the bar only shows it.
        const QSignalBlocker block(SScale);
        SScale->setValue(host_.game().ViewSettings.Scale);
        SetScaleLabels(*out.zoomTo);
    }
    if (out.updateCursor) StepMapCursor();
    if (out.accepted) frameCache_.SetPath(ShownPath(host_.game()));
    ENDTURN->setEnabled(out.endTurnEnabled);
    if (onShow && !out.accepted && !out.reason.empty())
        ShowNotice(QString::fromStdString(out.reason));
    else if (out.notice)
        ShowNotice(QString::fromStdString(*out.notice));
    if (out.accepted) RenderAndPresent();
    for (const GameEvent& e : out.events)
        if (e.kind == EventKind::TurnEnded) ShowTurnSummary();
    if (out.openMenu) {
        // Not modal: the drawing timer keeps running while the menu is open.
        BuildCommandMenu();
        PMenu->popup(DXDraw->mapToGlobal(DXDraw->toLogical(out.menuX, out.menuY)));
    }
}

// --- Clicks -------------------------------------------------------------------------

// The cell under the pointer, then what a click there means now.
void MapPage::DXDrawClick() {
    Game& g = host_.game();
    UpdateHoverCell(g);
    const bool path = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    const std::optional<Order> order =
        path ? InterpretPathClick(g, g.HoverCol, g.HoverRow) : InterpretClick(g, g.HoverCol, g.HoverRow);
    if (order) Submit(*order);
}

// Runs after DXDrawMouseMove; takes the position again so it does not depend
// on that order. The site being placed follows the pointer.
void MapPage::DXDrawMouseMoveSite(int x, int y) {
    Game& g = host_.game();
    if (g.ClickMode != kClickPlaceSite) return;
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    if (const std::optional<Order> order = InterpretHover(g, g.HoverCol, g.HoverRow)) Submit(*order);
}

// A right press or Esc: what the game waits for is cancelled, the move disarmed.
void MapPage::CancelWaiting() { Submit(InterpretRightPress(host_.game())); }

// --- The command menu -----------------------------------------------------------------

// Every item becomes an action of `menu`; an item with children becomes a
// submenu. An order rides on its action's data, for what looks at the menu.
void MapPage::AddMenuItem(QMenu* menu, const MenuItem& item) {
    const QString caption = QString::fromStdString(item.caption);
    QAction* action = nullptr;
    if (item.children.empty()) {
        action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, [this, item] { MenuItemChosen(item); });
    } else {
        QMenu* sub = menu->addMenu(caption);
        for (const MenuItem& child : item.children) AddMenuItem(sub, child);
        action = sub->menuAction();
    }
    if (!item.name.empty()) action->setObjectName(QString::fromStdString(item.name));
    if (item.action == MenuAction::Submit) action->setData(QVariant::fromValue(item.order));
    action->setVisible(item.visible);
    action->setEnabled(item.enabled);
    if (!item.enabled && !item.reason.empty()) {
        // A greyed item says why: in its tooltip, and in the notice strip while the pointer is on it.
        const QString reason = QString::fromStdString(item.reason);
        action->setToolTip(reason);
        connect(action, &QAction::hovered, this, [this, reason] { ShowNotice(reason); });
    }
}

void MapPage::BuildCommandMenu() {
    PMenu->clear();
    // The submenus of the last opening are children of PMenu; clear() leaves them.
    qDeleteAll(PMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
    PMenu->setToolTipsVisible(true);
    for (const MenuItem& item : tarq::BuildCommandMenu(host_.game())) AddMenuItem(PMenu, item);
}

// "Идти" (N81Click), a build option, "Отменить", the exits and the end of the
// destruction chain (N4Click) submit their order; the technical data (N41Click)
// is the window's.
void MapPage::MenuItemChosen(const MenuItem& item) {
    switch (item.action) {
        case MenuAction::None: return;
        case MenuAction::TechnicalPage: emit technicalPageRequested(); return;
        case MenuAction::Submit: Submit(item.order); return;
    }
}

// --- The end of the turn -------------------------------------------------------------

void MapPage::ENDTURNClick() {
    if (!Submit(cmd::EndTurn{}).accepted) return;
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

}  // namespace tarq
