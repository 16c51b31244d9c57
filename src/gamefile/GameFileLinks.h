// The links between the records of a game built from a file, which the game
// cannot derive from one another and a file may hold broken: where objects
// stand, construction orders linked both ways, the construction in progress
// tied to its order (the site being placed and its waiting builder, the exit
// candidates and their markers), connectors under their structures and the
// pictures of layers 6 and 8 on the objects they name. They are checked after
// the game rebuilt what it can derive (BuildGame) and before it is accepted.
#pragma once

#include <QString>

#include "core/GameState.h"

namespace tarq {

// Empty when every link holds, else the first broken one in the player's words.
QString CheckLinks(const Game& game);

}  // namespace tarq
