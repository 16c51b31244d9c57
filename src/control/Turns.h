// Passing the turn from player to player. The current player's working values
// (clan, credits, base, purchases, restrictions, sectors, view) are kept in
// their entry of the players' table and the next player's are put in their
// place; after the last player the turn counter goes up. A game of one player
// only counts the turn.
#pragma once

#include "core/GameState.h"

namespace tarq {

// The current player's entry of the table from the working values.
void StoreCurrentPlayer(Game& game);

// Player `number` (a player of the game) becomes the current player: their
// values become the working ones, the sectors of the others show as taken,
// nothing is selected and, with landing sectors in use, the map shows their
// landing area until their base has landed.
void LoadPlayer(Game& game, int number);

// The number of the player after `number`, the first after the last.
int NextPlayer(const Game& game, int number);

// After the current player's END TURN: the next player's turn begins. The
// counter stays at kMaxTurn once it is there.
void PassTurn(Game& game);

}  // namespace tarq
