// Drawing primitives of the map surface. A pattern of an image-list item is
// stretched into a square by nearest neighbour, with the item's colour key, or
// blended with what is already there at an opacity 0..255 (keyed pixels left
// alone). The renderer draws from patterns pre-scaled to the cell size, whose
// opaque pixels are kept as spans per row so that rows copy with memcpy.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Bitmap.h"
#include "view/ImageList.h"

namespace tarq {

// Destination clip rectangle; right and bottom edges excluded.
struct ClipRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
};

inline ClipRect WholeBitmap(const Bitmap& b) { return {0, 0, b.width, b.height}; }

// Source offset for destination offset d when `from` pixels are stretched to `to`.
inline int StretchSource(int d, int from, int to) { return static_cast<int>(static_cast<std::int64_t>(d) * from / to); }

// src over dst at opacity alpha (0 keeps dst, 255 gives src), rounded per channel.
inline Pixel BlendPixel(Pixel src, Pixel dst, int alpha) {
    const std::uint32_t a = static_cast<std::uint32_t>(alpha);
    const std::uint32_t na = 255u - a;
    auto mix = [&](int shift) {
        const std::uint32_t s = (src >> shift) & 0xFFu;
        const std::uint32_t d = (dst >> shift) & 0xFFu;
        return ((s * a + d * na + 127u) / 255u) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

inline int ClampAlpha(int alpha) { return alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha); }

// Stretches pattern k of the item into the square (x, y)-(x + size, y + size)
// of dst, skipping the transparent colour of a transparent item. Nothing is
// drawn when k is not a pattern of the item. Clipped to dst.
void DrawPattern(Bitmap& dst, const ImageItem& item, int k, int x, int y, int size);

// The same, blended at opacity alpha (clamped to 0..255).
void DrawPatternBlended(Bitmap& dst, const ImageItem& item, int k, int x, int y, int size, int alpha);

// One pattern stretched once to size x size, with its drawn pixels as spans
// and, for small keyed patterns, as a mask: a few pixels a row copy faster
// through a mask than span by span.
struct ScaledPattern {
    static constexpr int kMaskedSize = 16;  // keyed patterns up to this size carry a mask

    enum class Kind : std::uint8_t { Empty, Opaque, Keyed };
    struct Span {
        std::int32_t start;
        std::int32_t length;
    };

    int size = 0;
    Kind kind = Kind::Empty;
    std::vector<Pixel> pixels;                // size x size, row by row
    std::vector<Span> spans;                  // opaque spans of every row in turn
    std::vector<std::uint32_t> rowSpanStart;  // spans of row y: [rowSpanStart[y], rowSpanStart[y + 1])
    std::vector<Pixel> mask;                  // keyed and small: all ones where drawn, else zero

    const Pixel* row(int y) const { return pixels.data() + offset(y); }
    const Pixel* maskRow(int y) const { return mask.data() + offset(y); }
    // Row y's spans are spans[spanBegin(y)] up to spans[spanEnd(y)].
    std::uint32_t spanBegin(int y) const { return rowSpanStart[static_cast<std::size_t>(y)]; }
    std::uint32_t spanEnd(int y) const { return rowSpanStart[static_cast<std::size_t>(y) + 1]; }

private:
    std::size_t offset(int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(size); }
};

// Pre-scales pattern k of the item to size x size; Kind::Empty when k is not a
// pattern of the item or size < 1.
ScaledPattern ScalePattern(const ImageItem& item, int k, int size);

// Copies rows of a scaled pattern whole, unclipped: `out` is where its
// top-left pixel goes and `stride` the pixels from one row of `out` to the next.
void CopyScaled(Pixel* out, int stride, const ScaledPattern& p);

// Copies a scaled pattern with its top-left corner at (x, y), clipped to clip.
void BlitScaled(Bitmap& dst, const ScaledPattern& p, int x, int y, const ClipRect& clip);

// The same, blended at opacity alpha (clamped to 0..255).
void BlitScaledBlended(Bitmap& dst, const ScaledPattern& p, int x, int y, int alpha, const ClipRect& clip);

}  // namespace tarq
