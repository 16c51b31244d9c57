// The end of the player's turn: every object of theirs gets its moves for the
// new turn and every construction of theirs advances by one turn; finished
// sites get their ready marker in map layer 8. Then the next player's turn
// begins.
#pragma once

#include "core/GameState.h"

namespace tarq {

// ENDTURNClick's work on the current player's objects (every object in a
// game of one player), then the turn passes (PassTurn): after the last
// player Turn counts one more. ReadyLayerOn ends at 1 exactly when some
// finished site was marked or, of another player, waits for its exit.
void EndTurn(Game& game);

}  // namespace tarq
