// The first click of a game: the initial force bought before the game lands
// around the clicked cell, and the view moves there.
#pragma once

#include "core/GameState.h"

namespace tarq {

// The type whose landing rewrites the deposits around the base.
constexpr int kMiningComplexType = 39;

// Whether the base may be placed at (col, row): a plain-land cell of the map
// and, when landing sectors were marked, inside a marked sector (its terrain
// picture shown); never in a sector another player took.
bool BaseCellAccepted(const Game& game, int col, int row);

// Places every purchase entry with a type, in list order, by the square search
// around (col, row), each with its cargo, none in a sector another player
// took. A purchase that fits nowhere on the map is skipped. A mining complex sets the deposits around the clicked cell.
// Afterwards the landing marks are cleared. Returns false, changing nothing,
// when the cell is refused. Does not touch the view (see CentreViewOnBase).
bool PlaceInitialForce(Game& game, int col, int row);

// Amount 0 in the 5 x 5 cells around (col, row), then its three deposits, and
// layer 7 copied again. Cells off the map are left alone.
void SetBaseDeposits(Game& game, int col, int row);

// With the geometry for the zoom already computed: the first visible cell puts
// (col, row) in the middle of the view, the view centre follows, and the base
// counts as placed.
void CentreViewOnBase(Game& game, int col, int row);

}  // namespace tarq
