// The purchase list: the initial force bought before the game.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Empties the list and writes the starting kit (it costs no credits).
void ResetPurchases(Game& game);

}  // namespace tarq
