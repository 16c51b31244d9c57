// The render benchmark's fixed scene, shared with the sound benchmark (which
// measures sound triggers against the same still frame): a 400 x 400 world
// built from a seeded random source (terrain, deposits with geology shown,
// objects of every type, connectors, ready markers, a pulsing site) with
// synthetic sheets of the real pattern sizes, and the view set to a zoom.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "core/Random.h"
#include "core/TypeSetup.h"
#include "core/World.h"
#include "view/ImageList.h"
#include "view/Overlays.h"
#include "view/Viewport.h"

namespace tarq::bench {

constexpr int kSurfaceW = 1024;
constexpr int kSurfaceH = 768;
constexpr int kMapSize = 400;
constexpr Pixel kKey = 0xFFFF00FFu;
constexpr int kTerrainCodes = 40;
constexpr int kGeoPatterns = 16;
constexpr int kConnectorPatterns = 16;

// ---- synthetic sheets -----------------------------------------------------

enum class Shape { Noise, Blob, Dots, Bars };

inline Pixel ShadeOf(RandomSource& rng, int pattern) {
    const Pixel base = static_cast<Pixel>((static_cast<Pixel>(pattern) * 0x2F4B1Du) & 0xFFFFFFu);
    return 0xFF000000u | (base ^ static_cast<Pixel>(rng.Random(0x10) * 0x010101));
}

inline bool ShapeCovers(Shape shape, int x, int y, int size, int pattern) {
    const int c = size / 2;
    switch (shape) {
        case Shape::Noise: return true;
        case Shape::Blob: {
            const int r = size * 42 / 100;
            return (x - c) * (x - c) + (y - c) * (y - c) < r * r;
        }
        case Shape::Dots:  // pattern k shows k + 1 small squares: more deposit, more dots
            for (int d = 0; d <= pattern % 16; ++d) {
                const int dx = 3 + (d * 7) % (size - 6), dy = 3 + (d * 11) % (size - 6);
                if (x >= dx && x < dx + 3 && y >= dy && y < dy + 3) return true;
            }
            return false;
        case Shape::Bars:  // connector arms toward the sides named by the pattern's bits
            if (std::abs(x - c) < 4 && std::abs(y - c) < 4) return true;
            if ((pattern & 1) && std::abs(x - c) < 3 && y < c) return true;
            if ((pattern & 2) && std::abs(y - c) < 3 && x > c) return true;
            if ((pattern & 4) && std::abs(x - c) < 3 && y > c) return true;
            if ((pattern & 8) && std::abs(y - c) < 3 && x < c) return true;
            return false;
    }
    return false;
}

inline ImageItem Sheet(int patternSize, int perRow, int rows, Shape shape, std::uint32_t seed) {
    RandomSource rng([seed] { return seed; });
    rng.Reseed();
    Bitmap b(patternSize * perRow, patternSize * rows, kKey);
    for (int k = 0; k < perRow * rows; ++k) {
        const int px = (k % perRow) * patternSize, py = (k / perRow) * patternSize;
        for (int y = 0; y < patternSize; ++y)
            for (int x = 0; x < patternSize; ++x)
                if (ShapeCovers(shape, x, y, patternSize, k)) b.at(px + x, py + y) = ShadeOf(rng, k);
    }
    if (shape != Shape::Noise) b.at(1, 1) = kKey;
    ImageItem item;
    SetSheet(item, std::move(b), patternSize, patternSize, shape != Shape::Noise);
    return item;
}

// Items 0..14 with the real pattern sizes and enough patterns for every
// picture the sprite table names.
inline ImageList MakeImages() {
    ImageList list;
    for (std::uint32_t i = 0; i < 3; ++i)
        list.append() = Sheet(64, 8, 8, Shape::Noise, 10 + i);  // structures over terrain
    list.append() = Sheet(64, 8, 8, Shape::Blob, 13);           // 3 structures
    list.append() = Sheet(64, 16, 8, Shape::Noise, 14);         // 4 terrain
    for (std::uint32_t i = 0; i < 3; ++i)
        list.append() = Sheet(32, kGeoPatterns, 1, Shape::Dots, 15 + i);  // 5-7 geology
    list.append() = Sheet(28, kConnectorPatterns, 1, Shape::Bars, 18);    // 8 connectors
    list.append() = Sheet(63, 16, 24, Shape::Blob, 19);                   // 9 units
    list.append() = Sheet(63, 16, 9, Shape::Blob, 20);                    // 10 units
    list.append() = Sheet(93, 8, 13, Shape::Blob, 21);                    // 11 large units
    list.append() = Sheet(63, 8, 1, Shape::Blob, 22);                     // 12 units
    list.append() = Sheet(93, 8, 7, Shape::Blob, 23);                     // 13 turrets
    list.append() = Sheet(64, 68, 1, Shape::Blob, 24);                    // 14 notices
    return list;
}

// ---- the world -------------------------------------------------------------

inline TSpriteRef Shown(TSpriteRef s, int id) {
    s.id = static_cast<i16>(id);
    s.show = 1;
    return s;
}

// An object of `type` at (col, row), written straight into its slot.
inline void StampObject(Game& game, int slot, int type, int col, int row) {
    const TypeSetup* setup = FindTypeSetup(type);
    TGameObject& o = game.World.Objects[slot];
    o = game.ObjectTemplate;
    o.Owner = 1;
    o.Active = 1;
    o.TypeId = static_cast<i16>(type);
    o.CellCount = setup->TwoByTwo ? 4 : 1;
    for (int k = 1; k <= 4; ++k) {
        const int dc = setup->TwoByTwo ? (k - 1) % 2 : 0, dr = setup->TwoByTwo ? (k - 1) / 2 : 0;
        o.Cells[k] = {static_cast<i16>(col + dc), static_cast<i16>(row + dr)};
        const int entry = setup->CellSpriteEntries[static_cast<std::size_t>(k - 1)];
        if (entry > 0) o.CellSprites[k] = Shown(game.SpriteTable[static_cast<std::size_t>(entry)], slot);
    }
    o.Layer = setup->Layer;
    o.SecondLayer = setup->SecondLayer;
    o.AnimClass = setup->AnimClass;
    // The type's characteristics, and hits, ammunition and moves spent in
    // every proportion, for the overlays.
    o.Stats = game.UnitStats[type];
    o.Stats.Movement = setup->Movement;
    o.HitsLeft = static_cast<u8>(o.Stats.Hits * (slot % 4) / 3);
    o.AmmoLeft = static_cast<u8>(o.Stats.Ammo * (slot % 3) / 2);
    o.MovesLeft = slot % 3 == 0 ? 0 : o.Stats.Speed;
    if (setup->Connected)
        for (int k = 1; k <= o.CellCount; ++k) game.World.Connectors(o.Cells[k].col, o.Cells[k].row) = {1, 1};
}

inline std::unique_ptr<Game> MakeWorld() {
    auto game = NewGame();
    InitData(*game);
    RandomSource rng([] { return 20261207u; });
    rng.Reseed();
    game->World.MapWidth = kMapSize;
    game->World.MapHeight = kMapSize;
    game->SlowAnimPeriod = 10;
    game->TwoFrameAnimPeriod = 18;
    for (int c = 1; c <= kMapSize; ++c)
        for (int r = 1; r <= kMapSize; ++r) {
            const u8 terrain = static_cast<u8>(rng.Random(kTerrainCodes));
            const int p = rng.Random(20);
            game->World.Terrain(c, r) = terrain;
            game->World.Passability(c, r) =
                p == 0 ? kPassBlocked : (p < 4 ? kPassWater : (p < 6 ? kPassCoast : kPassLand));
            game->Map(c, r).Layers[kLayerTerrain] = {4, terrain, 0, 0, 1};
            const u8 kind = static_cast<u8>(1 + rng.Random(3));
            const u8 amount = static_cast<u8>(rng.Random(3) == 0 ? rng.Random(kGeoPatterns) : 0);
            game->World.Resources(c, r) = {kind, amount};
            game->Map(c, r).Layers[kLayerGeology] = {static_cast<u8>(kind + 4), amount, 0, 0, 0};
        }
    // Every type, 60 of each, scattered; the pulsing site in the middle of the view.
    int slot = 0;
    for (int n = 0; n < 60; ++n)
        for (int type = 1; type <= kDefinedTypes; ++type)
            StampObject(*game, ++slot, type, 1 + rng.Random(kMapSize - 1), 1 + rng.Random(kMapSize - 1));
    StampObject(*game, ++slot, 41, kMapSize / 2, kMapSize / 2);
    game->LastCreatedObject = static_cast<i16>(slot);
    game->ClickMode = kClickPlaceSite;
    RebuildObjectLayers(*game);
    for (int c = 1; c <= kMapSize; ++c)
        for (int r = 1; r <= kMapSize; ++r)
            if (game->World.Connectors(c, r).Present)
                game->Map(c, r).Layers[kLayerConnectors] = {8, static_cast<i16>(rng.Random(kConnectorPatterns)), 0, 0,
                                                            0};
    // Ready markers on one cell in 50.
    for (int i = 0; i < kMapSize * kMapSize / 50; ++i)
        game->Map(1 + rng.Random(kMapSize), 1 + rng.Random(kMapSize)).Layers[kLayerReady] = {
            14, static_cast<i16>(rng.Random(67)), 0, 0, 1};
    game->ReadyLayerOn = 1;
    game->ViewSettings.ShowGrid = 1;
    game->ViewSettings.ShowGeology = 1;
    ApplyGeologyOverlay(*game);
    game->ViewSettings.ShowConnectors = 1;
    ApplyConnectorsOverlay(*game);
    return game;
}

// The zoom change of the zoom bar, centred on the middle of the map.
inline void SetScale(Game& game, int scale, int surfaceW = kSurfaceW, int surfaceH = kSurfaceH) {
    TViewSettings& v = game.ViewSettings;
    v.Scale = static_cast<u16>(scale);
    UpdateViewGeometry(game, surfaceW, surfaceH);
    v.ViewCenterCol = v.ViewCenterRow = kMapSize / 2;
    v.ScreenCenterX = surfaceW / 2;
    v.ScreenCenterY = surfaceH / 2;
    v.FirstCol = static_cast<i16>(v.ViewCenterCol - game.VisibleCols / 2);
    v.FirstRow = static_cast<i16>(v.ViewCenterRow - game.VisibleRows / 2);
    v.ViewOffsetX = static_cast<i16>(v.ScreenCenterX - game.CellPixels * (game.VisibleCols / 2));
    v.ViewOffsetY = static_cast<i16>(v.ScreenCenterY - game.CellPixels * (game.VisibleRows / 2));
}

}  // namespace tarq::bench
