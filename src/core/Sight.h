// What a player can see of the map and its objects. Every rule and every
// view that must not tell a player more than their side sees asks here.
//
// Under the fog of war a player sees the cells within the scan circle of any
// of their objects (core/SightCounts.h counts them), remembers every cell
// ever seen (explored) and the structures of others as they last saw them.
// Nobody sees another player's mine. The fog covers a player while the game
// was set up with it, has several players, the player has not lost (their
// base landed and nothing of theirs is left) and the game is not over (every
// base landed and at most one player has anything left).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include <vector>

#include "core/GameState.h"

namespace tarq {

// The types of mines: never seen by another player under the fog.
bool IsMineType(int type);

// Whether the fog of war hides anything from `player` now.
bool FogCovers(const Match& match, u8 player);

// True while the cell (col, row) lies in `player`'s sight.
bool SeesCell(const Match& match, u8 player, int col, int row);

// True while `player` sees the object in `slot`: their own always, another
// player's while one of its cells is in their sight (a mine never).
bool SeesObject(const Match& match, u8 player, int slot);

// Whether `player` has ever seen the cell (always, while the fog does not
// cover them).
bool KnowsCell(const Match& match, u8 player, int col, int row);

// Brings every covered player's remembered structures up to date with what
// they see now: a structure of another player with a cell in their sight is
// remembered as it is; a remembered one with a cell in sight that is no
// longer there as remembered is forgotten. Run by the executor after every
// order and when a game is set up.
void RememberStructures(Game& game);

// After an order: the sight counters follow the slots the order wrote
// (ObjectTable::TakeWritten) and `alsoSlots`, whose circles depend on the
// click mode rather than on the object alone (the site being placed and its
// builder, before and after the order). Then the players whose sight changed
// since `before` (TSight::Changes taken before the order) remember what they
// see, and every covered player does when a structure may have changed.
void FollowOrder(Game& game, const std::array<std::uint32_t, kMaxPlayers + 1>& before,
                 std::initializer_list<int> alsoSlots);

// Whether remembering now would change nothing of `player`'s memory (the
// invariant the executor keeps after every order).
bool MemoryCurrent(const Game& game, u8 player);

// The structures of others `player` remembers, by slot.
const std::vector<TSeenStructure>& SeenStructures(const Match& match, u8 player);

}  // namespace tarq
