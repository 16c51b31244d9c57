// The object factory: creating units and structures on the map, the placement
// test, the free-slot search, the connector pictures of layer 5 and the
// square search that places the initial base. The layer rebuild itself is
// declared in World.h and lives in ObjectLayers.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "core/GameState.h"

namespace tarq {

// The four cells in the given order.
TFootprint MakeFootprint(int c1, int r1, int c2, int r2, int c3, int r3, int c4, int r4);
// One cell repeated four times.
TFootprint SingleCellFootprint(int col, int row);
// The 2 x 2 block (c, r), (c+1, r), (c, r+1), (c+1, r+1).
TFootprint BlockFootprint(int col, int row);

// Copies the current values and the whole characteristics record of `type`
// into NewObject. Types outside the catalogue's 1..68 copy nothing.
void CopyTypeStats(Game& game, int type);

// 1 when an object of movement class `movement` may stand on every cell of
// the footprint: the ground admits the class and no other object blocks it.
// Cells outside the map are blocked for every class, aircraft included.
u8 CanPlace(const Game& game, const TFootprint& footprint, int movement);

// 1 when an object of `type` with its first cell at (col, row) passes the
// placement test CreateObject makes (its footprint and movement class); 0 for
// a type outside the catalogue. Free slots are not counted.
u8 CanPlaceType(const Game& game, int col, int row, int type);

// Lowest free slot (Owner and TypeId both 0), or 0 when all are taken.
i16 FindFreeObjectSlot(const Game& game);

// Recomputes the connector pictures of layer 5 over the map from Connectors;
// they are shown while ShowConnectors is on. The outermost rows and columns
// get no picture.
void UpdateConnectorPictures(Game& game);

// Whether connector pictures are computed for cell (col, row): inside the
// map, off its outermost rows and columns.
bool HasConnectorPicture(const Game& game, int col, int row);

// Whether the object's cells belong in the connector grid: a structure of a
// connected type that is not a construction site (sites are created
// provisional and register nothing).
bool JoinsConnectorGrid(const TGameObject& object);

// After `released` has left the object table: its cells that no other object
// keeps in the connector grid leave it, their connector picture goes and
// the pictures of their neighbours are drawn again.
void ReleaseConnectors(Game& game, const TGameObject& released);

// Visibility values for layers 1..7: 1 shows, 0 hides, anything else keeps.
using LayerVisibility = std::array<int, 7>;
constexpr int kKeepVisibility = 2;
void SetCellLayerVisibility(Game& game, int col, int row, const LayerVisibility& values);

// Whether the ground code `passability` admits the movement class.
bool GroundAdmits(u8 passability, int movement);

// Whether an object of type `type` blocks a newcomer of movement class
// `movement` on a shared cell.
bool BlocksMovement(int type, int movement);

// When the map layers are brought up to date after a creation.
enum class LayerRefresh {
    Now,       // every creation updates the connectors and rebuilds the layers
    Deferred,  // the caller runs RefreshMapLayers once after a batch
};

// Creates one object of `type` with its first cell at (col, row). Returns 1
// and stores the slot in LastCreatedObject when it was placed, 0 otherwise.
// A refusal (bad type, blocked cells, full table) leaves Objects, Map and
// Connectors untouched. `provisional` 1 keeps the structure out of the
// connector grid (construction sites, exit markers).
u8 CreateObject(Game& game, int col, int row, int type, u8 provisional, LayerRefresh refresh = LayerRefresh::Now);

// UpdateConnectorPictures followed by RebuildObjectLayers.
void RefreshMapLayers(Game& game);

// Places one object of `type` by the square search around (col, row): rings of
// growing size are tried cell by cell until a creation succeeds. Returns the
// new slot, or 0 when no cell of the map takes the object (the search ends
// once its square covers the whole map). The created object is not provisional.
// `allowed`, when given, must also accept the footprint.
using FootprintFilter = std::function<bool(const TFootprint& footprint)>;
int PlaceBySquareSearch(Game& game, int col, int row, int type, LayerRefresh refresh = LayerRefresh::Now,
                        const FootprintFilter& allowed = nullptr);

// The same layers as a full rebuild, redrawing only the cells covered, before
// or after, by slots whose placement or pictures changed since the last call;
// layers other than 2-4 are stamped again for every object, as the full
// rebuild does. Falls back to the full rebuild when the map size changed.
// RebuildObjectLayers runs it with the game's own stamps.
void RebuildObjectLayersIncremental(Game& game, TLayerStamps& stamps);

}  // namespace tarq
