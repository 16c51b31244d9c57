// Passing the turn from player to player. Each player's own values live in
// their entry of the players' table and stay there; what passes is the view:
// the leaving player's place and zoom are kept and the next player's put on
// the screen, and what is seen from the current player's seat (the sectors
// taken by others, the landing marks) is worked out for the next one. After
// the last player the turn counter goes up. A game of one player only counts
// the turn.
#pragma once

#include "core/GameState.h"

namespace tarq {

// The current player's view of the map is kept for their next turn.
void StoreCurrentPlayer(Game& game);

// Player `number` (a player of the game) becomes the current player: the
// sectors of the others show as taken, their kept view comes back, nothing is
// selected and, with landing sectors in use, the map shows their landing
// area until their base has landed.
void LoadPlayer(Game& game, int number);

// The number of the player after `number`, the first after the last.
int NextPlayer(const Match& game, int number);

// After the current player's END TURN: the next player's turn begins. The
// counter stays at kMaxTurn once it is there.
void PassTurn(Game& game);

}  // namespace tarq
