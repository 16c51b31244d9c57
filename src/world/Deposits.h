// Mineral deposits: clusters of the three minerals laid over the whole map,
// under land, water and obstacles alike, and their pictures in layer 7.
#pragma once

#include "core/GameState.h"
#include "core/Random.h"
#include "world/MapParameters.h"

namespace tarq {

// Draws a new seed, resets the whole deposit grid to (kind 1, amount 0), lays
// DepositCount clusters and copies them into layer 7. Cells of a cluster that
// fall outside the map are skipped, their random numbers still drawn.
void GenerateResources(Game& game, const MapParameters& params, RandomSource& rng);

// GenerateResources without the copy into layer 7: new seed, reset, clusters.
void LayDeposits(Game& game, const MapParameters& params, RandomSource& rng);

// One cluster around (x, y), three minerals in cyclic order.
void LayDepositCluster(Game& game, int x, int y, RandomSource& rng);

// Layer 7 of every map cell: the geology picture of its deposit.
void CopyResourcesToMap(Game& game);

}  // namespace tarq
