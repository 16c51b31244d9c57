// The purchase list: the initial force bought before the game.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Empties the current player's list and writes the starting kit (it costs no credits).
void ResetPurchases(Game& game);
// The same for any player's list; entry k at [k + 1].
void ResetPurchaseList(const Game& game, Array1<TPurchase, kPurchaseEntries>& list);

}  // namespace tarq
