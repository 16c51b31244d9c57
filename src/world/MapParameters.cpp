#include "world/MapParameters.h"

#include <algorithm>
#include <cmath>

namespace tarq {
namespace {

int Clamp(int position, ControlRange range) { return std::clamp(position, range.min, range.max); }

// Obstacle density: a share of the map width, truncated.
i16 ObstacleCount(int width, int position) { return static_cast<i16>(std::trunc(width * position / 100.0)); }

}  // namespace

MapParameters ReadMapParameters(Game& game, const MapControls& controls) {
    MapParameters p;
    const int item = std::clamp(controls.mapSizeItem, 0, static_cast<int>(kMapSizes.size()) - 1);
    p.MapWidth = static_cast<i16>(kMapSizes[static_cast<std::size_t>(item)]);
    p.MapHeight = p.MapWidth;
    p.MapModel = static_cast<u8>(std::clamp(controls.model, 0, 1));
    const int m = std::min(p.MapWidth, p.MapHeight);

    const int ismass = Clamp(controls.ismass, kIsmassRange);
    p.IslandCountBase = m * ismass / 800;
    if (p.IslandCountBase < 2) p.IslandCountBase = 5;
    p.IslandCountRange = m * ismass / 400;
    const int landMass = Clamp(controls.landMass, kLandMassRange);
    p.IslandSizeBase = m * landMass / 200;
    p.IslandSizeRange = m * landMass / 100;

    const int strips = Clamp(controls.stripCount, kStripCountRange);
    p.StripCountLow = strips;
    p.StripCountHigh = 2 * strips;
    const int length = Clamp(controls.stripLength, kStripLengthRange);
    p.StripStepsLow = 3 * length;
    p.StripStepsHigh = 6 * length;
    const int width = Clamp(controls.stripWidth, kStripWidthRange);
    p.StripWidthLow = width / 10;
    p.StripWidthHigh = 2 * width;

    p.BigObstacleCount = ObstacleCount(p.MapWidth, Clamp(controls.mountains, kMountainsRange));
    p.SmallObstacleCount = ObstacleCount(p.MapWidth, Clamp(controls.stones, kStonesRange));
    // Only whole hundreds count: the division comes before the product.
    p.DepositCount = Clamp(controls.deposits, kDepositsRange) / 100 * p.MapWidth;

    game.World.MapWidth = p.MapWidth;
    game.World.MapHeight = p.MapHeight;
    return p;
}

}  // namespace tarq
