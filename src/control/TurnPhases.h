// The start of a player's turn and the summary it gives them.
//
// When END TURN passes the turn, the next player's turn begins with these
// steps, always in this order (each rule adds its step at its place here and
// in the rules for players, docs/rules.md):
//   1. the summary of the player who ended their turn is cleared: they saw it;
//   2. the path orders of the player whose turn begins walk on (PathOrders.h);
//   3. the objects of the player on turn get their shots back (RefillShots);
//   4. the mines of the other players are hidden from the player on turn
//      and their own shown (ShowOwnMinesOnly);
//   5. the economy of the player whose turn begins (control/Economy.h): power,
//      mining, refinery, refills of builders and factories;
//   6. the reinforcements they bought land next to their landing module.
// A step that has something to tell the player adds a notice (AddNotice).
#pragma once

#include <string>

#include "core/GameState.h"

namespace tarq {

// Adds a line to `player`'s start-of-turn summary; (col, row) is the cell it
// is about, (0, 0) for none. The oldest lines go past kMaxNotices.
void AddNotice(Match& match, u8 player, int col, int row, std::string text);

// The summary's lines of `player` (none for a number that is no player).
const std::vector<TNotice>& NoticesOf(const Match& match, u8 player);

// A mine is drawn only for its owner: the pictures of every mine are shown
// or hidden for the player on turn, and the map layers follow.
void ShowOwnMinesOnly(Game& game);

// Called by END TURN: `ended` is the player who ended their turn; the turn
// has already passed to the current player.
void BeginTurn(Game& game, u8 ended);

}  // namespace tarq
