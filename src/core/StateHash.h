// A 64-bit fingerprint of a match, for checking that two runs (a replay, a
// game saved and read back) reached the same state.
#pragma once

#include <cstdint>

#include "core/GameState.h"

namespace tarq {

// The whole match and nothing else: the world over the cells a game file
// holds (the map and two cells past it, from column and row 0), every field
// of the objects but the pictures they show (Sprites, CellSprites) and their
// animation phase (AnimTicks), the players' table, the turn, the random
// source, the command log (by its digest), the players' start-of-turn
// notices, the game id and the current
// player's order in progress. The view, the selection, the mouse, the
// preferences and the caches never count, so neither looking around nor the
// animation changes it. Field by field, so padding never counts; the same
// state gives the same value on every run and build of this program.
std::uint64_t StateHash(const Match& match);

// A fingerprint of what the players did: the objects (not the pictures their
// animation steps through), connectors, terrain and deposits, the players
// (their credits, landings and purchases among them), the turn and the
// current player. What StateHash adds (the random source, the log, the order
// in progress) is left out: a game that differs there alone lost no play.
std::uint64_t PlayHash(const Match& match);

}  // namespace tarq
