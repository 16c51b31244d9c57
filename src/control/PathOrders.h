// Path orders: a unit sent to a distant cell walks there by itself, as far as
// its moves reach this turn and on at the start of its owner's next turns.
//
// A step to any of the eight neighbours costs one move, as the one-cell step
// does. The planner is A* with the Chebyshev distance as its estimate, over
// the cells the unit's owner knows (Sight.h) and its movement class, with the
// other objects taken as the placement test takes them now. Neighbours are
// tried in a fixed order and equal candidates in the order they were found,
// so the same match always gives the same path.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"
#include "view/MapOverlays.h"

namespace tarq {

// The cells `unit` would walk through to (col, row), from the first step to
// the target; empty when there is no way (or the unit is not one that walks,
// or it stands there already).
std::vector<TCellPos> PlanPath(const Game& game, int unit, int col, int row);

// For each cell of a path of `unit`, the turn it is reached in: 0 this turn,
// 1 the next one, and so on; -1 for a unit that never moves.
std::vector<int> TurnsOfPath(const TGameObject& unit, std::size_t steps);

// The unit's order, or nullptr when it has none.
const TPathOrder* PathOrderOf(const Match& match, int unit);
void DropPathOrder(Match& match, int unit);

// Why `unit` of `player` cannot be sent to (col, row) now; empty when it can.
// A unit with no moves left may be sent: it walks from its next turn.
std::string PathRefusal(const Game& game, u8 player, int unit, int col, int row);

// Gives the order (replacing the unit's earlier one) and walks at once; an
// order that arrived is kept no longer. Returns the cells stepped through.
std::vector<TCellPos> GivePathOrder(Game& game, int unit, int col, int row);

// The start-of-turn step: every order of `player` walks on. A unit whose way
// is closed is planned again from where it stands; when that finds no way
// either the order stops and the player's summary says so.
void WalkPathOrders(Game& game, u8 player);

// The panel's line for a unit's order ("Путь: к 12x30, клеток 7, ходов до
// цели: 2", the turns after this one), empty without one.
std::string PathOrderLine(const Game& game, int unit);

// The path the map shows: the one being planned for the selected unit, else
// its order's, for an own unit of the current player; each cell where a new
// turn of the walk begins carries the number of turns from now (1 the next).
std::vector<PathCell> ShownPath(const Game& game);

}  // namespace tarq
