// The map's eight picture layers are a cache: everything in them follows
// from the match and the view. This rebuilds them whole, for a game built
// from a file, and writes the one picture the end of turn adds by hand, the
// ready marker of a finished site.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Writes the ready marker into layer 8 of the first CellCount cells of the
// site of `builder` (the picture of the built type); false, with nothing
// written, when the builder names no site in use.
bool MarkReady(Game& game, const TGameObject& builder);

// Layers 1-8 of the cells a game file holds (the map and two cells past it),
// from scratch: the terrain pictures, their landing marks (the current
// player's sectors while they have not landed in a game that uses them), the
// deposits shown as ShowGeology says, the connector pictures as
// ShowConnectors says, the objects (with the layer rebuild's records made to
// match) and the ready marker of every finished site. The same layers the
// game built up as it was played.
void RebuildMapLayers(Game& game);

}  // namespace tarq
