#include "control/MapClick.h"

#include <utility>

#include "control/BasePlacement.h"
#include "control/CombatRules.h"
#include "control/UnitMoves.h"
#include "core/Players.h"
#include "core/World.h"

namespace tarq {

namespace {

bool CanMoveNow(const TGameObject& o) { return o.MovesLeft > 0 && o.OrderState == 0; }

// A click on an object: a new selection arms the move when the object can
// move; a second click on the selected one opens the menu and disarms it.
void ClickObject(Game& game, const CellFind& find, const ClickContext& context, ClickResult& result) {
    if (!OwnedByCurrentPlayer(game, find.object)) {
        // Another player's object is only looked at: no menu, no move.
        game.SelectedObject = find.object;
        game.MoveArmed = 0;
        result.memo = ShowObjectInfo(game, find.object, context.checks);
        result.updateCursor = true;
        return;
    }
    if (find.readyMarker) game.SelectedObject = find.object;
    if (find.object == game.SelectedObject) {
        game.MoveArmed = 0;
        result.memo = ShowObjectInfo(game, game.SelectedObject, context.checks);
        result.openMenu = true;
        result.menuX = game.DragStartX;
        result.menuY = game.DragStartY;
        return;
    }
    game.SelectedObject = find.object;
    result.memo = ShowObjectInfo(game, find.object, context.checks);
    game.MoveArmed = CanMoveNow(game.Object(find.object)) ? 1 : 0;
    result.updateCursor = true;
}

// A click on an empty cell: the read-out of the cell, or a step when armed.
void ClickEmptyCell(Game& game, const ClickContext& context, ClickResult& result) {
    if (!OwnedByCurrentPlayer(game, game.SelectedObject)) game.MoveArmed = 0;
    if (game.MoveArmed == 0) {
        result.memo = ShowCellLayers(game, game.HoverCol, game.HoverRow);
        return;
    }
    if (StepToward(game, game.SelectedObject, game.HoverCol, game.HoverRow))
        result.memo = ShowObjectInfo(game, game.SelectedObject, context.checks);
}

void SelectOrStep(Game& game, const ClickContext& context, ClickResult& result) {
    const CellFind find = ObjectAt(game, game.HoverCol, game.HoverRow);
    if (find.object != 0)
        ClickObject(game, find, context, result);
    else
        ClickEmptyCell(game, context, result);
}

// The zoom goes to 100 (the bar raises its change only when it moves), then
// the view centres on the clicked cell.
void LandBase(Game& game, const ClickContext& context, ClickResult& result) {
    const int col = game.HoverCol, row = game.HoverRow;
    LandingResult landing = PlaceInitialForce(game, col, row);
    if (!landing) {
        if (!landing.refusal.empty()) result.messages.push_back(std::move(landing.refusal));
        return;
    }
    if (context.zoomBarPosition != kBaseZoom)
        result.zoomTo100 = SScaleChange(game, kBaseZoom, context.surfaceWidth, context.surfaceHeight);
    CentreViewOnBase(game, col, row);
    result.baseLanded = true;
}

}  // namespace

namespace {

// Another player's mine, hidden from the player on turn: no click finds it.
bool HiddenMine(const Game& game, const TSpriteRef& ref) {
    if (ref.show != 0 || ref.id < 1 || ref.id > kMaxObjects) return false;
    return IsMine(game.Object(ref.id).TypeId);
}

}  // namespace

CellFind ObjectAt(const Game& game, int col, int row) {
    CellFind find;
    if (!game.InMap(col, row)) return find;
    const TMapCell& cell = game.Map(col, row);
    for (int layer : {kLayerAircraft, kLayerFlat, kLayerLarge, kLayerUnits})
        if (cell.Layers[layer].id != 0 && !HiddenMine(game, cell.Layers[layer])) find.object = cell.Layers[layer].id;
    if (game.ReadyLayerOn == 1 && cell.Layers[kLayerReady].id != 0) find = {cell.Layers[kLayerReady].id, true};
    return find;
}

ClickResult DXDrawClick(Game& game, const ClickContext& context) {
    UpdateHoverCell(game);
    ClickResult result;
    if (CurrentPlayerEntry(game).BasePlaced == 1 && game.ClickMode == kClickNormal) SelectOrStep(game, context, result);
    if (CurrentPlayerEntry(game).BasePlaced == 0) LandBase(game, context, result);
    if (game.ClickMode == kClickPlaceSite) ConfirmSite(game);
    if (game.ClickMode == kClickChooseExit) {
        ConstructionResult exit = ChooseExitCell(game, game.HoverCol, game.HoverRow);
        for (std::string& text : exit.messages) result.messages.push_back(std::move(text));
    }
    return result;
}

ConstructionResult RightPress(Game& game) {
    ConstructionResult result;
    if (game.ClickMode == kClickPlaceSite) result = CancelSite(game);
    if (game.ClickMode == kClickChooseExit) result = CancelExitChoice(game);
    game.MoveArmed = 0;
    return result;
}

}  // namespace tarq
