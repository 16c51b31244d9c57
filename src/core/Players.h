// The players of a game: their team colours and who owns what. One player is
// the game as it always was: every object is theirs and nothing is refused.
#pragma once

#include <array>
#include <string>

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

// A team colour in the three shades the unit and structure pictures are
// drawn with. Colour 0 is the look the pictures are drawn in; the others are
// painted over those exact three shades when the pictures are loaded.
struct TeamColour {
    const char* name;  // for the player, in the colour list
    Pixel base;
    Pixel dark;
    Pixel light;
};

const std::array<TeamColour, kTeamColourCount>& TeamColours();
// Colour `index`, or colour 0 for an index outside the list.
const TeamColour& TeamColourAt(int index);

// One player, number 1, colour 0, with the catalogue's types on sale, and no
// player's view kept: what every game starts with.
void ResetPlayers(Game& game);

inline bool SeveralPlayers(const Match& game) { return game.Players.Count > 1; }

// Whether `number` names a player of the game.
inline bool IsPlayer(const Match& game, int number) { return number >= 1 && number <= game.Players.Count; }

// The team colour of player `number`; colour 0 for anyone else (a free slot's
// owner 0, a number past the players).
int PlayerColourIndex(const Match& game, int number);

// "Игрок N", and in a game of several players their colour's name after it:
// "Игрок 2 (желтый)".
std::string PlayerName(const Match& game, int number);

// Whether the object in `slot` takes the current player's orders: always in a
// game of one player, else when it is in use and theirs.
bool OwnedByCurrentPlayer(const Match& game, int slot);

// Whether map cell (col, row) belongs to another player than the current one:
// a connector of theirs, or one of their objects drawn there. Never in a game
// of one player.
bool CellOfAnotherPlayer(const Game& game, int col, int row);
bool FootprintOfAnotherPlayer(const Game& game, const TFootprint& footprint);

}  // namespace tarq
