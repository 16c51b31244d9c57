// The random map generator: water, land masses (islands or winding strips),
// coasts, terrain classes, obstacles, variants, terrain layer and deposits.
#pragma once

#include <vector>

#include "core/GameState.h"
#include "core/Random.h"
#include "world/MapParameters.h"
#include "world/TerrainTables.h"

namespace tarq {

constexpr int kMinMapSize = 10;

// The whole generation on `params`: sets the world's map size, draws the
// seed at the start and again for the deposits, and writes Terrain,
// Passability, Resources and map layers 1 and 7 of every map cell. Reads
// World.TerrainSet (obstacles only for set 0). A size outside 10..500 is
// clamped into it.
void GenerateMap(Game& game, const MapParameters& params, RandomSource& rng);

// What the generate button does before drawing: read the page, generate,
// and mark the map as generated.
MapParameters GenerateFromControls(Game& game, const MapControls& controls, RandomSource& rng);

// Generates from the controls only when no map was generated yet; true when
// it did, so the caller knows to draw the preview.
bool EnsureMapGenerated(Game& game, const MapControls& controls, RandomSource& rng);

// Empties the picture layers of the two columns and rows past the map's edge
// (the view shows them), so nothing of an earlier, larger map remains there.
void ClearBeyondMapEdge(Game& game);

// The steps of GenerateMap, in their order; each works on the world's
// current map size and draws its random numbers from `rng`.
void FillWater(Game& game);
void RaiseIslands(Game& game, const MapParameters& params, RandomSource& rng);
void LayStrips(Game& game, const MapParameters& params, RandomSource& rng);
// (the coast pass: CoastPass.h)
void AssignTerrainClasses(Game& game);
// count + 1 attempts when count > 0; kinds drawn from `kinds`.
void PlaceObstacles(Game& game, int count, const std::vector<ObstacleKind>& kinds, RandomSource& rng);
void PickVariants(Game& game, RandomSource& rng);
void SetTerrainLayer(Game& game);

// Passability class of a terrain code before obstacles.
u8 TerrainClass(u8 code);

}  // namespace tarq
