// The end of the player's turn: every object gets its moves for the new turn
// and every construction advances by one turn; finished sites get their ready
// marker in map layer 8.
#pragma once

#include "core/GameState.h"

namespace tarq {

// ENDTURNClick's work; Turn counts one more. ReadyLayerOn ends at 1 exactly
// when some finished site was marked.
void EndTurn(Game& game);

}  // namespace tarq
