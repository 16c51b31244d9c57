#include "world/MapGenerator.h"

#include <algorithm>
#include <cstring>

#include "world/CoastPass.h"
#include "world/Deposits.h"

namespace tarq {
namespace {

// Column and row steps of directions 1..8 (1 up, then clockwise).
constexpr int kDirCol[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDirRow[9] = {0, -1, -1, 0, 1, 1, 1, 0, -1};

// Island and blob shapes are computed in 64 bits, so that no parameter value
// can overflow them; only columns and rows inside the limits are visited.
using Coord = long long;

// Makes rows first..last of a column land, limited to rows 1..lastRow and
// columns 1..lastCol. Columns are contiguous in storage.
void LandRun(Game& game, Coord col, Coord first, Coord last, int lastCol, int lastRow) {
    if (col < 1 || col > lastCol) return;
    first = std::max<Coord>(first, 1);
    last = std::min<Coord>(last, lastRow);
    if (first > last) return;
    std::memset(&game.World.Terrain(static_cast<int>(col), static_cast<int>(first)), kTerrainLand,
                static_cast<std::size_t>(last - first + 1));
}

// Calls run(col) for the columns first..last that lie in 1..lastCol.
template <typename Run>
void ForColumns(Coord first, Coord last, int lastCol, Run run) {
    for (Coord col = std::max<Coord>(first, 1); col <= std::min<Coord>(last, lastCol); ++col) run(col);
}

// One island of size a with its top-left corner at (b, c): a rising band, a
// full band and a falling band; only cells with x < W - 1 and y < H - 1.
void RaiseIsland(Game& game, Coord a, Coord b, Coord c) {
    const int lastCol = game.World.MapWidth - 2, lastRow = game.World.MapHeight - 2;
    const Coord d = a / 3;
    ForColumns(b, b + d, lastCol, [&](Coord x) {
        const Coord k = x - b;
        LandRun(game, x, c + d - k, c + a - d + k, lastCol, lastRow);
    });
    ForColumns(b + d, b + 2 * d, lastCol, [&](Coord x) { LandRun(game, x, c, c + a, lastCol, lastRow); });
    ForColumns(b + 2 * d, b + a - a / 5, lastCol, [&](Coord x) {
        const Coord k = x - b - 2 * d;
        LandRun(game, x, c + k, c + a - k, lastCol, lastRow);
    });
}

// A blob of width w centred on (x, y): k counts 0, 1, ... over the rising
// band and t, t - 1, ... over the falling band; only cells with 0 < x < W and
// 0 < y < H.
void StampBlob(Game& game, Coord x, Coord y, Coord w) {
    const int lastCol = game.World.MapWidth - 1, lastRow = game.World.MapHeight - 1;
    const Coord h = w / 2, t = w / 3;
    ForColumns(x - h, x - h + t, lastCol, [&](Coord col) {
        const Coord k = col - (x - h);
        LandRun(game, col, y - h + t - k, y + h - t + k, lastCol, lastRow);
    });
    ForColumns(x - h + t, x - h + 2 * t, lastCol,
               [&](Coord col) { LandRun(game, col, y - h, y + h, lastCol, lastRow); });
    ForColumns(x - h + 2 * t, x + h, lastCol, [&](Coord col) {
        const Coord k = t - (col - (x - h + 2 * t));
        LandRun(game, col, y - h + t - k, y + h - t + k, lastCol, lastRow);
    });
}

bool AreaIsPlainLand(const Game& game, int x, int y, const ObstacleKind& kind) {
    if (x < 1 || y < 1 || x + kind.areaCols - 1 > game.World.MapWidth || y + kind.areaRows - 1 > game.World.MapHeight)
        return false;
    for (int c = x; c < x + kind.areaCols; ++c)
        for (int r = y; r < y + kind.areaRows; ++r)
            if (game.World.Terrain(c, r) != kTerrainLand) return false;
    return true;
}

void WriteObstacle(Game& game, int x, int y, const ObstacleKind& kind) {
    for (const ObstacleTile& tile : kind.tiles) {
        if (!game.InMap(x + tile.dc, y + tile.dr)) continue;
        game.World.Terrain(x + tile.dc, y + tile.dr) = tile.code;
        game.World.Passability(x + tile.dc, y + tile.dr) = tile.passable ? kPassLand : kPassBlocked;
    }
}

}  // namespace

u8 TerrainClass(u8 code) {
    if (code == kTerrainLand) return kPassLand;
    if (code == kTerrainWater) return kPassWater;
    if (code >= kTerrainCoastFirst && code <= kTerrainCoastLast) return kPassCoast;
    return kPassBlocked;
}

void FillWater(Game& game) {
    for (int col = 1; col <= game.World.MapWidth; ++col)
        std::memset(&game.World.Terrain(col, 1), kTerrainWater, static_cast<std::size_t>(game.World.MapHeight));
}

void RaiseIslands(Game& game, const MapParameters& p, RandomSource& rng) {
    const int width = game.World.MapWidth, height = game.World.MapHeight;
    const int count = rng.Random(p.IslandCountRange) + p.IslandCountBase;
    for (int i = 0; i < count; ++i) {
        const Coord a = Coord{rng.Random(p.IslandSizeRange)} + p.IslandSizeBase;
        const Coord b = std::max<Coord>(Coord{rng.Random(static_cast<i32>(width - 3 - a))} + 2, 1);
        const Coord c = std::max<Coord>(Coord{rng.Random(static_cast<i32>(height - 3 - a))} + 2, 1);
        RaiseIsland(game, a, b, c);
    }
}

void LayStrips(Game& game, const MapParameters& p, RandomSource& rng) {
    const int width = game.World.MapWidth, height = game.World.MapHeight;
    int dir = rng.RandomRange(1, 8);
    const int strips = rng.RandomRange(p.StripCountLow, p.StripCountHigh);
    for (int s = 0; s < strips; ++s) {
        Coord x = rng.RandomRange(2, width - 2);
        Coord y = rng.RandomRange(2, height - 2);
        const int steps = rng.RandomRange(p.StripStepsLow, p.StripStepsHigh);
        for (int step = 0; step < steps; ++step) {
            StampBlob(game, x, y, rng.RandomRange(p.StripWidthLow, p.StripWidthHigh));
            // The direction carries over from strip to strip.
            dir += rng.RandomRange(-3, 3);
            if (dir < 1) dir = 8;
            if (dir > 8) dir = 1;
            x += kDirCol[dir];
            y += kDirRow[dir];
        }
    }
}

void AssignTerrainClasses(Game& game) {
    for (int col = 1; col <= game.World.MapWidth; ++col) {
        const u8* code = &game.World.Terrain(col, 1);
        u8* pass = &game.World.Passability(col, 1);
        for (int row = 0; row < game.World.MapHeight; ++row) pass[row] = TerrainClass(code[row]);
    }
}

void PlaceObstacles(Game& game, int count, const std::vector<ObstacleKind>& kinds, RandomSource& rng) {
    if (count <= 0) return;
    const int width = game.World.MapWidth, height = game.World.MapHeight;
    for (int attempt = 0; attempt <= count; ++attempt) {
        const int x = rng.Random(width - 2) + 2;
        const int y = rng.Random(height - 2) + 2;
        if (game.World.TerrainSet != 0) continue;
        const ObstacleKind& kind = kinds[static_cast<std::size_t>(rng.Random(static_cast<i32>(kinds.size())))];
        if (AreaIsPlainLand(game, x, y, kind)) WriteObstacle(game, x, y, kind);
    }
}

void PickVariants(Game& game, RandomSource& rng) {
    for (int col = 1; col <= game.World.MapWidth; ++col) {
        u8* code = &game.World.Terrain(col, 1);
        for (int row = 0; row < game.World.MapHeight; ++row) {
            if (code[row] == kTerrainLand) {
                const int r = rng.Random(8) + 1;
                if (r != 1) code[row] = static_cast<u8>(45 + r);
            } else if (code[row] == kTerrainWater) {
                const int r = rng.Random(7) + 1;
                if (r != 1) code[row] = static_cast<u8>(52 + r);
            }
        }
    }
}

namespace {

void SetTerrainPicture(TMapCell& cell, u8 code) {
    TSpriteRef& layer = cell.Layers[kLayerTerrain];
    layer.idU = 4;
    layer.Spr = code;
    layer.show = 1;
}

// Layers 1 and 7 in one sweep over the map cells: the same result as the
// terrain layer step followed by CopyResourcesToMap, with one pass over the
// large cell grid instead of two.
void SetTerrainAndGeologyLayers(Game& game) {
    for (int col = 1; col <= game.World.MapWidth; ++col)
        for (int row = 1; row <= game.World.MapHeight; ++row) {
            TMapCell& cell = game.Map(col, row);
            SetTerrainPicture(cell, game.World.Terrain(col, row));
            const TResourceCell& deposit = game.World.Resources(col, row);
            cell.Layers[kLayerGeology].idU = static_cast<u8>(deposit.Kind + 4);
            cell.Layers[kLayerGeology].Spr = deposit.Amount;
        }
}

}  // namespace

void SetTerrainLayer(Game& game) {
    for (int col = 1; col <= game.World.MapWidth; ++col)
        for (int row = 1; row <= game.World.MapHeight; ++row)
            SetTerrainPicture(game.Map(col, row), game.World.Terrain(col, row));
}

// The view draws up to two cells past the map's last column and row. After a
// larger map those cells still hold its pictures, which would show as a strip
// of the old map along the new one's edge: they are emptied, as on a fresh grid.
void ClearBeyondMapEdge(Game& game) {
    TMapCell empty;
    for (auto& layer : empty.Layers) layer = EmptySpriteRef;
    const int w = game.World.MapWidth, h = game.World.MapHeight;
    for (int col = 0; col < kGridSpan; ++col)
        for (int row = 0; row < kGridSpan; ++row)
            if ((col > w && col <= w + 2) || (row > h && row <= h + 2)) game.Map(col, row) = empty;
}

void GenerateMap(Game& game, const MapParameters& params, RandomSource& rng) {
    game.World.MapWidth = std::clamp<i16>(params.MapWidth, kMinMapSize, kMaxMapSize);
    game.World.MapHeight = std::clamp<i16>(params.MapHeight, kMinMapSize, kMaxMapSize);
    ClearBeyondMapEdge(game);
    FillWater(game);
    rng.Reseed();
    if (params.MapModel == 0) RaiseIslands(game, params, rng);
    if (params.MapModel == 1) LayStrips(game, params, rng);
    RunCoastPass(game);
    AssignTerrainClasses(game);
    PlaceObstacles(game, params.BigObstacleCount, LargeObstacles(), rng);
    PlaceObstacles(game, params.SmallObstacleCount, SmallObstacles(), rng);
    PickVariants(game, rng);
    // The terrain layer, GenerateResources and its copy into layer 7: the
    // deposits do not depend on the layers, so both layers go in one sweep.
    LayDeposits(game, params, rng);
    SetTerrainAndGeologyLayers(game);
}

MapParameters GenerateFromControls(Game& game, const MapControls& controls, RandomSource& rng) {
    const MapParameters params = ReadMapParameters(game, controls);
    GenerateMap(game, params, rng);
    game.MapGenerated = 1;
    return params;
}

bool EnsureMapGenerated(Game& game, const MapControls& controls, RandomSource& rng) {
    if (game.MapGenerated != 0) return false;
    GenerateFromControls(game, controls, rng);
    return true;
}

}  // namespace tarq
