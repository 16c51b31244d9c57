// The value checks a game file's contents must pass before a game is built
// from them: every index, count, coordinate and link the game will follow
// lies inside its table or the map's cell region, every flag is 0 or 1,
// every code is one the game knows, every owner is a player of the game and
// every object is laid out as its type is. Values the game never uses as an
// index, a count or a code (money, moves, characteristics) may hold anything
// their width holds. The links between records are checked on the built game
// (GameFileLinks.h).
#pragma once

#include <QString>

#include "gamefile/GameFileContents.h"

namespace tarq {

// Empty when the contents pass, else what is wrong with the first bad value,
// in the player's words (no names of fields). The map size and the grid
// sizes were checked by the decoder.
QString CheckContents(const GameFileContents& contents);

}  // namespace tarq
