// Terrain tiles that the map generator puts side by side continue each other
// across their shared edge: plain land and its variants, water and its
// variants, and the coast tiles of generated maps with their neighbours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "GraphFixture.h"
#include "Terrain.h"
#include "core/World.h"
#include "world/MapGenerator.h"
#include "world/TerrainTables.h"

namespace sheetgen {
namespace {

using testing::TheGraph;

QImage TileOf(int kind, int code) {
    const QImage& sheet = FindFile(TheGraph(), TerrainFile(kind))->image;
    return sheet.copy((code % kTerrainPerRow) * 64, (code / kTerrainPerRow) * 64, 64, 64);
}

struct EdgeDiff {
    double mean = 0;  // mean of the largest channel difference per pixel
    int large = 0;    // pixels differing by more than 64 in some channel
};

EdgeDiff CompareLines(const QImage& a, int lineA, const QImage& b, int lineB, bool horizontal) {
    EdgeDiff d;
    for (int i = 0; i < 64; ++i) {
        const QRgb p = horizontal ? a.pixel(lineA, i) : a.pixel(i, lineA);
        const QRgb q = horizontal ? b.pixel(lineB, i) : b.pixel(i, lineB);
        const int m =
            std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        d.mean += m / 64.0;
        d.large += m > 64;
    }
    return d;
}

// Across the seam (a's right or bottom edge against b's left or top edge)
// two tiles may differ no more than neighbouring lines inside the tiles do:
// the texture's own grain sets the tolerance.
void ExpectSeamless(const QImage& a, const QImage& b, bool horizontal, const std::string& what) {
    const EdgeDiff seam = CompareLines(a, 63, b, 0, horizontal);
    double grain = 0;
    int large = 0;
    for (const QImage* tile : {&a, &b})
        for (int line : {15, 31, 47}) {
            const EdgeDiff inside = CompareLines(*tile, line, *tile, line + 1, horizontal);
            grain = std::max(grain, inside.mean);
            large = std::max(large, inside.large);
        }
    EXPECT_LT(seam.mean, grain * 1.5 + 3) << what << ": " << seam.mean << " across, " << grain << " inside";
    EXPECT_LE(seam.large, 2 * large + 4) << what;
}

TEST(TerrainSeamTest, PlainTilesAndVariantsJoinInEveryDirection) {
    const std::vector<int> land = {2, 47, 48, 49, 50, 51, 52, 53}, water = {1, 54, 55, 56, 57, 58, 59};
    for (int kind = 0; kind < kTerrainKinds; ++kind)
        for (const auto* group : {&land, &water})
            for (int a : *group)
                for (int b : *group)
                    for (bool horizontal : {true, false})
                        ExpectSeamless(TileOf(kind, a), TileOf(kind, b), horizontal,
                                       "kind " + std::to_string(kind) + ": " + std::to_string(a) + " | " +
                                           std::to_string(b));
}

bool IsWater(int code) { return code == 1 || (code >= 54 && code <= 59); }

// Water neighbours of a cell as bits, in the order of the Neighbour enum.
int WaterAround(const tarq::Game& g, int c, int r) {
    static const int dx[8] = {0, 1, 1, 1, 0, -1, -1, -1}, dy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    int mask = 0;
    for (int i = 0; i < 8; ++i)
        if (IsWater(g.World.Terrain(c + dx[i], r + dy[i]))) mask |= 1 << i;
    return mask;
}

// A diagonal neighbour matters only when both cells beside it are land.
int Effective(int m) {
    for (int diag : {kNE, kSE, kSW, kNW}) {
        const int before = diag >> 1, after = diag == kNW ? kN : diag << 1;
        if (m & (before | after)) m &= ~diag;
    }
    return m;
}

// Whether the cell's tile shows the shore around it as it really is; the
// coast table leaves some shapes (one-cell spits, lone cells) as plain land,
// and no tile can match those.
bool TileFitsCell(const tarq::Game& g, int c, int r) {
    const int code = g.World.Terrain(c, r);
    if (IsWater(code)) return true;
    const int around = Effective(WaterAround(g, c, r));
    if (code == 2 || (code >= 47 && code <= 53)) return around == 0;
    if (code >= 3 && code <= 46) return around == Effective(CoastWaterMasks()[static_cast<std::size_t>(code)]);
    return false;  // obstacles are checked on their own sheet
}

TEST(TerrainSeamTest, CoastTilesOfGeneratedMapsJoinTheirNeighbours) {
    int shoreEdges = 0, fitting = 0;
    for (int model : {0, 1})
        for (std::uint32_t seed : {7u, 1234u, 99991u}) {
            auto game = tarq::NewGame();
            tarq::InitData(*game);
            tarq::MapControls controls;
            controls.model = model;
            controls.mapSizeItem = 1;
            tarq::RandomSource rng([seed] { return seed; });
            tarq::GenerateFromControls(*game, controls, rng);
            const tarq::Game& g = *game;
            for (int c = 1; c < g.World.MapWidth; ++c)
                for (int r = 1; r < g.World.MapHeight; ++r)
                    for (bool horizontal : {true, false}) {
                        const int c2 = horizontal ? c + 1 : c, r2 = horizontal ? r : r + 1;
                        const int a = g.World.Terrain(c, r), b = g.World.Terrain(c2, r2);
                        const bool shore = (a >= 3 && a <= 46) || (b >= 3 && b <= 46);
                        if (!shore || a >= 60 || b >= 60) continue;
                        ++shoreEdges;
                        if (!TileFitsCell(g, c, r) || !TileFitsCell(g, c2, r2)) continue;
                        ++fitting;
                        for (int kind : {0, 3})
                            ExpectSeamless(TileOf(kind, a), TileOf(kind, b), horizontal,
                                           "seed " + std::to_string(seed) + " at " + std::to_string(c) + "," +
                                               std::to_string(r) + ": " + std::to_string(a) + " | " +
                                               std::to_string(b));
                    }
        }
    ASSERT_GT(shoreEdges, 1000);
    // Nearly every coast cell gets a tile made for its shape.
    EXPECT_GT(fitting, shoreEdges * 97 / 100) << fitting << " of " << shoreEdges;
}

const tarq::ObstacleTile* TileAt(const tarq::ObstacleKind& k, int dc, int dr) {
    for (const tarq::ObstacleTile& t : k.tiles)
        if (t.dc == dc && t.dr == dr) return &t;
    return nullptr;
}

// Within each obstacle footprint neighbouring tiles continue each other, and
// every edge toward a cell the obstacle leaves alone shows plain ground.
TEST(TerrainSeamTest, ObstacleTilesJoinTheirFootprintAndTheGround) {
    int joined = 0;
    for (int kind : {0, 3}) {
        const QImage land = TileOf(kind, tarq::kTerrainLand);
        for (const auto* kinds : {&tarq::LargeObstacles(), &tarq::SmallObstacles()})
            for (const tarq::ObstacleKind& k : *kinds)
                for (const tarq::ObstacleTile& t : k.tiles)
                    for (bool horizontal : {true, false}) {
                        const int dc = horizontal ? 1 : 0, dr = horizontal ? 0 : 1;
                        const QImage a = TileOf(kind, t.code);
                        const std::string what = "kind " + std::to_string(kind) + ": " + std::to_string(t.code) +
                                                 (horizontal ? " right" : " down");
                        if (const tarq::ObstacleTile* n = TileAt(k, t.dc + dc, t.dr + dr)) {
                            ExpectSeamless(a, TileOf(kind, n->code), horizontal, what + " of footprint");
                            ++joined;
                        } else {
                            ExpectSeamless(a, land, horizontal, what + " to open ground");
                        }
                        if (!TileAt(k, t.dc - dc, t.dr - dr))
                            ExpectSeamless(land, a, horizontal, what + " from open ground");
                    }
    }
    EXPECT_GT(joined, 200);
}

}  // namespace
}  // namespace sheetgen
