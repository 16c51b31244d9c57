// Creation and reset of the game state, and the two slot operations every
// subsystem shares.
#pragma once

#include <memory>

#include "core/GameState.h"

namespace tarq {

// Allocates a zeroed game on the heap (the tables are too large for the stack).
std::unique_ptr<Game> NewGame();

// Resets the world tables and fills the sprite table and the catalogue; the
// game has one player again.
void InitData(Game& game);

// The record every free slot holds (the catalogue's ObjectTemplate).
TGameObject BlankObject();

// Releases a slot: its pictures leave layers 6 and 8, the template is copied
// over it, the cells it joined to the connector grid leave it (unless another
// structure keeps them), a selection of it is cleared and the layers are rebuilt.
void DeleteObject(Game& game, int slot);

// Takes the pictures naming `slot` out of layers 6 and 8 of the object's map
// cells: the object rebuild stamps those layers but never clears them (an
// aircraft, a connector structure, the ready marker of a site), so this runs
// before an object leaves its cells, its layer or the table.
void TakeUnrebuiltPictures(Game& game, int slot);

// Clears the order fields of an object.
void ClearOrder(Game& game, int slot);

// Object layer rebuild: layers 2-4 of the map from the object table, redrawing
// only the cells whose occupants changed since the last rebuild. Slots are
// stamped in ascending order with construction sites last, so on a shared
// cell a site shows over a road, platform or bridge, and otherwise the higher
// slot wins. A ready marker in layer 8 is never overwritten. Defined in
// ObjectLayers.cpp.
void RebuildObjectLayers(Game& game);
// The same from scratch over the whole map (and the stamps made to match).
void RebuildObjectLayersFull(Game& game);

inline bool SlotInUse(const TGameObject& object) { return object.Owner != 0; }

}  // namespace tarq
