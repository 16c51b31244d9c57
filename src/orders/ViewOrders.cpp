// The orders that change only what the player looks at: the selection, the
// panel, the menu, the zoom, the scroll and the switches of the map page.
#include "control/KeyOrders.h"
#include "control/MapClick.h"
#include "control/Sight.h"
#include "orders/OrderRules.h"
#include "view/Overlays.h"
#include "view/Viewport.h"

namespace tarq::orders {

namespace {

bool CanMoveNow(const TGameObject& o) { return o.MovesLeft > 0 && o.OrderState == 0; }

// Another player's object can be looked at, never ordered.
bool Orderable(const Game& game, u8 player, int slot) {
    return OwnObject(game, player, slot) && player == game.CurrentPlayer;
}

}  // namespace

// A click on an object that is not the selection selects it; an own object
// that can move arms its move.
// Nothing the fog hides can be picked out.
Verdict CheckOrder(const Game& game, u8 player, const cmd::Select& c) {
    return LiveSlot(game, c.object) && SeesObject(game, player, c.object) ? Verdict::Yes() : Verdict::No();
}

void RunOrder(Game& game, u8 player, const cmd::Select& c, Outcome& out) {
    game.SelectedObject = c.object;
    game.AttackArmed = 0;
    game.MoveArmed = Orderable(game, player, c.object) && CanMoveNow(game.Object(c.object)) ? 1 : 0;
    out.memo = ShowObjectInfo(game, c.object, ShownInfo(game));
    out.selectionChanged = out.updateCursor = true;
}

// A second click on the selection (or a click on a ready marker) opens the
// command menu of an own object at the press point.
Verdict CheckOrder(const Game& game, u8 player, const cmd::OpenMenu& c) {
    if (!Orderable(game, player, c.object)) return Verdict::No();
    return c.readyMarker != 0 || c.object == game.SelectedObject ? Verdict::Yes() : Verdict::No();
}

void RunOrder(Game& game, u8, const cmd::OpenMenu& c, Outcome& out) {
    game.SelectedObject = c.object;
    game.MoveArmed = 0;
    out.memo = ShowObjectInfo(game, c.object, ShownInfo(game));
    out.openMenu = true;
    out.menuX = game.DragStartX;
    out.menuY = game.DragStartY;
    out.selectionChanged = out.updateCursor = true;
}

// The developer's read-out of a cell's layers.
Verdict CheckOrder(const Game&, u8, const cmd::ShowCell&) { return Verdict::Yes(); }
void RunOrder(Game& game, u8, const cmd::ShowCell& c, Outcome& out) { out.memo = ShowCellLayers(game, c.col, c.row); }

// "Идти".
Verdict CheckOrder(const Game& game, u8 player, const cmd::ArmMove&) {
    return Orderable(game, player, game.SelectedObject) && CanMoveNow(game.Object(game.SelectedObject)) ? Verdict::Yes()
                                                                                                        : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::ArmMove&, Outcome& out) {
    game.MoveArmed = 1;
    game.AttackArmed = 0;
    out.updateCursor = true;
}

Verdict CheckOrder(const Game&, u8, const cmd::Disarm&) { return Verdict::Yes(); }
void RunOrder(Game& game, u8, const cmd::Disarm&, Outcome& out) {
    game.MoveArmed = 0;
    game.PathArmed = 0;
    game.PathPreviewUnit = 0;
    game.AttackArmed = 0;
    out.updateCursor = true;
}

// Tab: the next own unit that can still move, selected and centred.
Verdict CheckOrder(const Game& game, u8, const cmd::NextUnit&) {
    return SelectionKeysAllowed(game) ? Verdict::Yes() : Verdict::No();
}

void RunOrder(Game& game, u8, const cmd::NextUnit& c, Outcome& out) {
    const int unit = NextReadyUnit(game, game.SelectedObject, c.backwards != 0);
    if (unit == 0) {
        out.notice = "Все юниты походили";
        return;
    }
    const ClickResult result =
        SelectAndCentre(game, unit, {game.ViewSettings.Scale, game.SurfaceWidth, game.SurfaceHeight, ShownInfo(game)});
    out.memo = result.memo;
    out.notice = std::string();
    out.selectionChanged = out.updateCursor = out.viewChanged = true;
}

// Space: the menu of the selection, where it stands.
Verdict CheckOrder(const Game& game, u8 player, const cmd::OpenSelectionMenu&) {
    return SelectionKeysAllowed(game) && Orderable(game, player, game.SelectedObject) ? Verdict::Yes() : Verdict::No();
}

void RunOrder(Game& game, u8, const cmd::OpenSelectionMenu&, Outcome& out) {
    const ClickResult result =
        OpenSelectionMenu(game, {game.ViewSettings.Scale, game.SurfaceWidth, game.SurfaceHeight, ShownInfo(game)});
    out.memo = result.memo;
    out.openMenu = result.openMenu;
    out.menuX = result.menuX;
    out.menuY = result.menuY;
    out.viewChanged = out.updateCursor = true;
}

// --- Zoom, scroll and switches --------------------------------------------------

Verdict CheckOrder(const Game&, u8, const cmd::Zoom& c) {
    return c.position >= kScaleMin && c.position <= kScaleMax ? Verdict::Yes() : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::Zoom& c, Outcome& out) {
    out.zoomTo = SScaleChange(game, c.position, game.SurfaceWidth, game.SurfaceHeight);
    out.viewChanged = true;
}

namespace {
bool KeptOrWithin(int value, int last) { return value == cmd::ScrollTo::kKeep || (value >= 0 && value <= last); }
}  // namespace

Verdict CheckOrder(const Game& game, u8, const cmd::ScrollTo& c) {
    return KeptOrWithin(c.firstCol, game.World.MapWidth) && KeptOrWithin(c.firstRow, game.World.MapHeight)
               ? Verdict::Yes()
               : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::ScrollTo& c, Outcome& out) {
    if (c.firstCol != cmd::ScrollTo::kKeep) ScrollColumnsTo(game, c.firstCol);
    if (c.firstRow != cmd::ScrollTo::kKeep) ScrollRowsTo(game, c.firstRow);
    out.viewChanged = true;
}

Verdict CheckOrder(const Game&, u8, const cmd::ScrollBy&) { return Verdict::Yes(); }
void RunOrder(Game& game, u8, const cmd::ScrollBy& c, Outcome& out) {
    ScrollByCells(game, c.cols, c.rows);
    out.viewChanged = true;
}

Verdict CheckOrder(const Game&, u8, const cmd::ToggleView& c) {
    return c.which < cmd::ToggleView::kFirstOverlay + kMapOverlays ? Verdict::Yes() : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::ToggleView& c, Outcome& out) {
    switch (c.which) {
        case cmd::ToggleView::kGeology: ToggleGeology(game); break;
        case cmd::ToggleView::kGrid: ToggleGrid(game); break;
        case cmd::ToggleView::kConnectors: ToggleConnectors(game); break;
        default: ToggleOverlay(game, static_cast<MapOverlay>(c.which - cmd::ToggleView::kFirstOverlay)); break;
    }
    out.viewChanged = true;
}

Verdict CheckOrder(const Game&, u8, const cmd::Resize& c) {
    return c.width >= 0 && c.height >= 0 ? Verdict::Yes() : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::Resize& c, Outcome& out) {
    game.SurfaceWidth = c.width;
    game.SurfaceHeight = c.height;
    out.viewChanged = true;
}

}  // namespace tarq::orders
