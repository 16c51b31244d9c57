// The first click of a game: the initial force bought before the game lands
// around the clicked cell, and the view moves there.
#pragma once

#include <string>

#include "core/GameState.h"

namespace tarq {

// The type whose landing rewrites the deposits around the base.
constexpr int kMiningComplexType = 39;

// Whether the base may be placed at (col, row): a plain-land cell of the map
// and, when landing sectors were marked, inside a marked sector (its terrain
// picture shown); never in a sector another player took.
bool BaseCellAccepted(const Game& game, int col, int row);

// The first click's outcome: whether the force landed, and why not when the
// player is to be told (a refused cell is ignored without a word).
struct LandingResult {
    bool landed = false;
    std::string refusal;
    explicit operator bool() const { return landed; }
};

// Places every purchase entry with a type, in list order, by the square search
// around (col, row), each with its cargo. A mining complex sets the deposits
// around the clicked cell. Afterwards the landing marks are cleared. Nothing
// changes when the cell is refused. Does not touch the view (see
// CentreViewOnBase).
// In a game of one player a purchase that fits nowhere on the map is skipped.
// In a game of several players every object lands inside the player's claimed
// sectors (outside the sectors others took, when the game uses none) and on
// no cell of another player's object or connector; when some purchase finds
// no such place the whole landing is refused with the reason, changing nothing.
LandingResult PlaceInitialForce(Game& game, int col, int row);

// Amount 0 in the 5 x 5 cells around (col, row), then its three deposits, and
// layer 7 copied again. Cells off the map are left alone.
void SetBaseDeposits(Game& game, int col, int row);

// With the geometry for the zoom already computed: the first visible cell puts
// (col, row) in the middle of the view, the view centre follows, and the base
// counts as placed.
void CentreViewOnBase(Game& game, int col, int row);

}  // namespace tarq
