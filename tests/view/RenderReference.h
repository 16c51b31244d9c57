// Plain per-pixel drawing used as the yardstick for the renderer's fast paths:
// every pixel of the destination square looks up its source pixel on its own.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/Bitmap.h"
#include "core/GameState.h"
#include "core/Random.h"
#include "view/Fog.h"
#include "view/ImageList.h"

namespace tarq::testref {

// alpha < 0 draws opaque; 0..255 blends.
inline void RefDraw(Bitmap& dst, const ImageItem& item, int k, int x, int y, int size, int alpha = -1) {
    if (k < 0 || k >= item.patternCount() || size < 1) return;
    const int perRow = item.picture.width / item.patternWidth;
    const int px = (k % perRow) * item.patternWidth;
    const int py = (k / perRow) * item.patternHeight;
    for (int dy = 0; dy < size; ++dy)
        for (int dx = 0; dx < size; ++dx) {
            if (!dst.contains(x + dx, y + dy)) continue;
            const int sx = static_cast<int>(std::floor(static_cast<double>(dx) * item.patternWidth / size));
            const int sy = static_cast<int>(std::floor(static_cast<double>(dy) * item.patternHeight / size));
            const Pixel s = item.picture.at(px + sx, py + sy);
            if (item.transparent && s == item.transparentColour) continue;
            Pixel& d = dst.at(x + dx, y + dy);
            if (alpha < 0) {
                d = s;
                continue;
            }
            const Pixel a = static_cast<Pixel>(alpha);
            Pixel out = 0xFF000000u;
            for (int shift : {0, 8, 16}) {
                const double mixed = (((s >> shift) & 0xFF) * a + ((d >> shift) & 0xFF) * (255 - a)) / 255.0;
                out |= static_cast<Pixel>(std::lround(mixed)) << shift;
            }
            d = out;
        }
}

// The frame as the drawing tick defines it, drawn onto a black buffer of the
// given size from the game state as it is (view already clamped, pulse stepped).
inline Bitmap RefFrame(const Game& game, const ImageList& images, int width, int height) {
    Bitmap out(width, height, 0xFF000000u);
    const TViewSettings& v = game.ViewSettings;
    const int cellPx = game.CellPixels;
    const int gap = v.ShowGrid == 1 ? 1 : 0;
    const int size = cellPx - gap;
    const int c0 = v.FirstCol == 1 ? 1 : v.FirstCol - 1;
    const int r0 = v.FirstRow == 1 ? 1 : v.FirstRow - 1;
    const int c1 = v.FirstCol + game.VisibleCols + 1;
    const int r1 = v.FirstRow + game.VisibleRows + 1;
    const bool pulsing = game.ClickMode == 1 || game.ClickMode == 2;
    auto pulses = [&](int id) {
        if (!pulsing) return false;
        if (id == std::abs(static_cast<int>(game.LastCreatedObject))) return true;
        if (game.ClickMode != 2) return false;
        for (int m : game.ExitMarkers)
            if (m > 0 && m == id) return true;
        return false;
    };
    auto draw = [&](int c, int r, int layer, bool mayPulse) {
        if (c >= kGridSpan || r >= kGridSpan) return;
        const TSpriteRef& s = game.Map(c, r).Layers[layer];
        if (s.show == 0 || !images.has(s.idU)) return;
        const int x = v.ViewOffsetX + (c - v.FirstCol) * cellPx + gap;
        const int y = v.ViewOffsetY + (r - v.FirstRow) * cellPx + gap;
        RefDraw(out, images[s.idU], s.Spr, x, y, size, mayPulse && pulses(s.id) ? game.PulseAlpha : -1);
    };
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r)
            for (int layer = 1; layer <= 7; ++layer) draw(c, r, layer, true);
    if (game.ReadyLayerOn == 1)
        for (int c = c0; c <= c1; ++c)
            for (int r = r0; r <= r1; ++r) draw(c, r, 8, false);
    return out;
}

// The frame under the current player's fog (no pulse): a black cell shows
// nothing, a dimmed one what the fog leaves of it, each colour then halved.
inline Bitmap RefFogFrame(const Game& game, const ImageList& images, int width, int height) {
    Bitmap out(width, height, 0xFF000000u);
    const TViewSettings& v = game.ViewSettings;
    const int cellPx = game.CellPixels;
    const int gap = v.ShowGrid == 1 ? 1 : 0;
    const int size = cellPx - gap;
    const int c0 = v.FirstCol == 1 ? 1 : v.FirstCol - 1;
    const int r0 = v.FirstRow == 1 ? 1 : v.FirstRow - 1;
    const int c1 = std::min(v.FirstCol + game.VisibleCols + 1, kGridSpan - 1);
    const int r1 = std::min(v.FirstRow + game.VisibleRows + 1, kGridSpan - 1);
    FogView fog;
    fog.Prepare(game, c0, c1, r0, r1);
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) {
            const FogState state = fog.StateAt(game, c, r);
            if (state == FogState::Black) continue;
            TMapCell cell = game.Map(c, r);
            if (state == FogState::Dim) fog.DimmedCell(game, c, r, game.Map(c, r), cell);
            if (state == FogState::Lit && fog.MayShowMines()) fog.LitCell(game, game.Map(c, r), cell);
            const int x = v.ViewOffsetX + (c - v.FirstCol) * cellPx + gap;
            const int y = v.ViewOffsetY + (r - v.FirstRow) * cellPx + gap;
            for (int layer = 1; layer <= (game.ReadyLayerOn == 1 ? 8 : 7); ++layer) {
                const TSpriteRef& s = cell.Layers[layer];
                if (s.show != 0 && images.has(s.idU)) RefDraw(out, images[s.idU], s.Spr, x, y, size);
            }
            if (state == FogState::Dim)
                for (int dy = 0; dy < size; ++dy)
                    for (int dx = 0; dx < size; ++dx)
                        if (out.contains(x + dx, y + dy)) out.at(x + dx, y + dy) = DimPixel(out.at(x + dx, y + dy));
        }
    return out;
}

// A sheet of cols x rows patterns of the given size with varied pixels: some
// rows all key, some with no key, the rest with runs of key; pixel (1, 1) of
// the sheet is the key when transparent.
inline ImageItem MakeSheet(int patternSize, int cols, int rows, bool transparent, std::uint32_t seed) {
    RandomSource rng([seed] { return seed; });
    rng.Reseed();
    const Pixel key = 0xFFFF00FFu;
    Bitmap b(patternSize * cols, patternSize * rows);
    for (int y = 0; y < b.height; ++y) {
        const int rowKind = rng.Random(4);  // 0 all key, 1 no key, 2-3 mixed
        for (int x = 0; x < b.width; ++x) {
            Pixel p = 0xFF000000u | static_cast<Pixel>(rng.Random(0x1000000));
            if (p == key) p ^= 1;
            if (rowKind == 0 || (rowKind >= 2 && rng.Random(3) == 0)) p = key;
            b.at(x, y) = p;
        }
    }
    b.at(1, 1) = key;
    ImageItem item;
    SetSheet(item, std::move(b), patternSize, patternSize, transparent);
    return item;
}

// A sheet whose patterns are each one flat colour (pattern k gets colours[k]).
inline ImageItem MakeFlatSheet(int patternSize, std::initializer_list<Pixel> colours, bool transparent, Pixel key) {
    Bitmap b(patternSize * static_cast<int>(colours.size()), patternSize);
    int k = 0;
    for (Pixel c : colours) {
        for (int y = 0; y < patternSize; ++y)
            for (int x = 0; x < patternSize; ++x) b.at(k * patternSize + x, y) = c;
        ++k;
    }
    ImageItem item;
    SetSheet(item, std::move(b), patternSize, patternSize, false);
    item.transparent = transparent;
    item.transparentColour = key;
    return item;
}

}  // namespace tarq::testref
