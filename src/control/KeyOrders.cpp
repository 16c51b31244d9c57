#include "control/KeyOrders.h"

#include <algorithm>

#include "core/Players.h"
#include "core/World.h"

namespace tarq {

namespace {

bool ReadyToMove(const Game& game, int slot) {
    const TGameObject& o = game.Object(slot);
    return SlotInUse(o) && o.Owner == game.CurrentPlayer && o.MovesLeft > 0 && o.OrderState == 0;
}

bool SelectionOnMap(const Game& game) {
    const int s = game.SelectedObject;
    if (s < 1 || s > kMaxObjects || !SlotInUse(game.Object(s))) return false;
    const TCellPos cell = game.Object(s).Cells[1];
    return game.InMap(cell.col, cell.row);
}

// `first` moved by `delta`, held within 1..last (the first visible cell ClampView allows).
int Within(int first, int delta, int last) { return std::clamp(first + delta, 1, std::max(1, last)); }

}  // namespace

void ScrollByCells(Game& game, int dcol, int drow) {
    ClampView(game);
    const TViewSettings& v = game.ViewSettings;
    if (dcol != 0) ScrollColumnsTo(game, Within(v.FirstCol, dcol, game.World.MapWidth - game.VisibleCols));
    if (drow != 0) ScrollRowsTo(game, Within(v.FirstRow, drow, game.World.MapHeight - game.VisibleRows));
}

bool SelectionKeysAllowed(const Game& game) {
    return CurrentPlayerEntry(game).BasePlaced == 1 && game.ClickMode == kClickNormal;
}

int NextReadyUnit(const Game& game, int from, bool backwards) {
    if (from < 0 || from > kMaxObjects) from = 0;
    const int step = backwards ? kMaxObjects - 1 : 1;  // -1 modulo the table size
    int slot = from == 0 ? (backwards ? 1 : kMaxObjects) : from;
    for (int n = 0; n < kMaxObjects; ++n) {
        slot = (slot - 1 + step) % kMaxObjects + 1;
        if (ReadyToMove(game, slot)) return slot;
    }
    return 0;
}

void CentreViewOn(Game& game, int col, int row) {
    TViewSettings& v = game.ViewSettings;
    v.ViewCenterCol = static_cast<i16>(col);
    v.ViewCenterRow = static_cast<i16>(row);
    v.FirstCol = static_cast<i16>(col - game.VisibleCols / 2);
    v.FirstRow = static_cast<i16>(row - game.VisibleRows / 2);
    v.ViewOffsetX = static_cast<i16>(v.ScreenCenterX - game.CellPixels * (game.VisibleCols / 2));
    v.ViewOffsetY = static_cast<i16>(v.ScreenCenterY - game.CellPixels * (game.VisibleRows / 2));
    game.ViewChanged = 1;
}

ClickResult SelectAndCentre(Game& game, int unit, const ClickContext& context) {
    ClickResult result;
    if (unit < 1 || unit > kMaxObjects || !SlotInUse(game.Object(unit))) return result;
    const TGameObject& o = game.Object(unit);
    game.SelectedObject = unit;
    game.MoveArmed = o.MovesLeft > 0 && o.OrderState == 0 ? 1 : 0;
    result.memo = ShowObjectInfo(game, unit, context.checks);
    result.updateCursor = true;
    CentreViewOn(game, o.Cells[1].col, o.Cells[1].row);
    return result;
}

ClickResult OpenSelectionMenu(Game& game, const ClickContext& context) {
    ClickResult result;
    if (!SelectionKeysAllowed(game) || !SelectionOnMap(game) || !OwnedByCurrentPlayer(game, game.SelectedObject))
        return result;
    const TCellPos cell = game.Object(game.SelectedObject).Cells[1];
    auto middle = [&game, cell](int& x, int& y) {
        ClampView(game);
        const TViewSettings& v = game.ViewSettings;
        x = v.ViewOffsetX + (cell.col - v.FirstCol) * game.CellPixels + game.CellPixels / 2;
        y = v.ViewOffsetY + (cell.row - v.FirstRow) * game.CellPixels + game.CellPixels / 2;
    };
    middle(result.menuX, result.menuY);
    if (result.menuX < 0 || result.menuY < 0 || result.menuX >= context.surfaceWidth ||
        result.menuY >= context.surfaceHeight) {
        CentreViewOn(game, cell.col, cell.row);
        middle(result.menuX, result.menuY);
    }
    game.MoveArmed = 0;
    result.memo = ShowObjectInfo(game, game.SelectedObject, context.checks);
    result.openMenu = true;
    return result;
}

}  // namespace tarq
