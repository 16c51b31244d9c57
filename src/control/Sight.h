// What a player can see of the map and its objects. Every rule and every
// view that must not tell a player more than their side sees asks here.
#pragma once

#include "core/GameState.h"

namespace tarq {

// True while the cell (col, row) lies in `player`'s sight.
bool SeesCell(const Match& match, u8 player, int col, int row);

// True while `player` sees the object in `slot`: their own always, another
// player's while one of its cells is in their sight.
bool SeesObject(const Match& match, u8 player, int slot);

}  // namespace tarq
