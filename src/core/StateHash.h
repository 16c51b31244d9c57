// A 64-bit fingerprint of a whole game, for checking that two runs (a replay,
// a game saved and read back) reached the same state.
#pragma once

#include <cstdint>

#include "core/GameState.h"

namespace tarq {

// Every field of the game except the layer rebuild's record of what it drew
// last (LayerStamps), which is a cache of the object table. Field by field,
// so padding never counts; the same state gives the same value on every run
// and build of this program.
std::uint64_t StateHash(const Game& game);

// A fingerprint of what the players did: the objects (not the pictures their
// animation steps through), connectors, terrain and deposits, the players,
// the purchases, the turn, and the current player's number, credits and
// landing. The view, the selection, the pointer and the settings are left
// out: changing them loses no play.
std::uint64_t PlayHash(const Game& game);

}  // namespace tarq
