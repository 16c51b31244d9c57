// Setting up the players of a game: how many there are, their colours, and
// what every player starts with once the first one has launched the game. A
// player joins the game on the new-game pages (their clan, colour, sectors,
// restrictions and purchases) and then lands on the map like the first one.
#pragma once

#include <string>

#include "core/GameState.h"

namespace tarq {

// "Игроков": players 1..count (clamped to 1..kMaxPlayers) take their numbers;
// a new player gets the lowest colour no other player has, the players past
// the count are removed. Meant for the first player's setup, before the launch.
void SetPlayerCount(Game& game, int count);

// The current player takes colour `colour`. A player who has already joined
// keeps theirs and the choice is refused with a message for the player; a
// player who has not joined yet gives it up for the chooser's old colour.
// Empty on success.
std::string ChoosePlayerColour(Game& game, int colour);

// Whether the current player of a game of several players has not landed
// yet in a game some player has started (pressed the start button for): their
// setup is a joining one (the map and the start gold are the game's), and
// they get it at the start of every turn until they land, so they can choose
// their sectors and purchases again. The first player of a new game sets it
// up instead.
bool JoiningPlayer(const Match& game);

// The start button's part for the players, once the launch has passed its
// checks: the current player has joined, and on the first launch of a new
// game every other player starts with the game's start gold as credits, the
// starting kit, no restrictions and no sectors.
void JoinCurrentPlayer(Game& game);

}  // namespace tarq
