#include "view/Blitter.h"

#include <algorithm>
#include <cstring>

namespace tarq {
namespace {

// The part of the square (x, y, w, h) that lies inside both clip and dst.
struct Visible {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

Visible VisiblePart(const Bitmap& dst, const ClipRect& clip, int x, int y, int w, int h) {
    Visible v;
    v.x0 = std::max({x, clip.x0, 0});
    v.y0 = std::max({y, clip.y0, 0});
    v.x1 = std::min({x + w, clip.x1, dst.width});
    v.y1 = std::min({y + h, clip.y1, dst.height});
    return v;
}

// Direct stretch from the sheet; `plot` decides what a drawn pixel does.
template <typename Plot>
void StretchPattern(Bitmap& dst, const ImageItem& item, int k, int x, int y, int size, Plot plot) {
    if (size < 1 || !item.hasPattern(k)) return;
    const Visible v = VisiblePart(dst, WholeBitmap(dst), x, y, size, size);
    if (v.empty()) return;
    const int px = item.patternX(k);
    const int py = item.patternY(k);
    const bool keyed = item.transparent;
    const Pixel key = item.transparentColour;
    for (int dy = v.y0; dy < v.y1; ++dy) {
        const Pixel* src = item.picture.row(py + StretchSource(dy - y, item.patternHeight, size)) + px;
        Pixel* out = dst.row(dy);
        for (int dx = v.x0; dx < v.x1; ++dx) {
            const Pixel p = src[StretchSource(dx - x, item.patternWidth, size)];
            if (keyed && p == key) continue;
            plot(out[dx], p);
        }
    }
}

}  // namespace

void DrawPattern(Bitmap& dst, const ImageItem& item, int k, int x, int y, int size) {
    StretchPattern(dst, item, k, x, y, size, [](Pixel& out, Pixel p) { out = p; });
}

void DrawPatternBlended(Bitmap& dst, const ImageItem& item, int k, int x, int y, int size, int alpha) {
    const int a = ClampAlpha(alpha);
    StretchPattern(dst, item, k, x, y, size, [a](Pixel& out, Pixel p) { out = BlendPixel(p, out, a); });
}

ScaledPattern ScalePattern(const ImageItem& item, int k, int size) {
    ScaledPattern p;
    if (size < 1 || !item.hasPattern(k)) return p;
    p.size = size;
    p.pixels.resize(static_cast<std::size_t>(size) * size);
    p.rowSpanStart.reserve(static_cast<std::size_t>(size) + 1);
    const int px = item.patternX(k);
    const int py = item.patternY(k);
    bool allOpaque = true;
    for (int y = 0; y < size; ++y) {
        const Pixel* src = item.picture.row(py + StretchSource(y, item.patternHeight, size)) + px;
        Pixel* out = p.pixels.data() + static_cast<std::size_t>(y) * size;
        p.rowSpanStart.push_back(static_cast<std::uint32_t>(p.spans.size()));
        int runStart = -1;
        for (int x = 0; x < size; ++x) {
            out[x] = src[StretchSource(x, item.patternWidth, size)];
            const bool drawn = !item.transparent || out[x] != item.transparentColour;
            if (drawn && runStart < 0) runStart = x;
            if (!drawn && runStart >= 0) {
                p.spans.push_back({runStart, x - runStart});
                runStart = -1;
            }
            if (!drawn) allOpaque = false;
        }
        if (runStart >= 0) p.spans.push_back({runStart, size - runStart});
    }
    p.rowSpanStart.push_back(static_cast<std::uint32_t>(p.spans.size()));
    if (p.spans.empty())
        p.kind = ScaledPattern::Kind::Empty;
    else
        p.kind = allOpaque ? ScaledPattern::Kind::Opaque : ScaledPattern::Kind::Keyed;
    return p;
}

namespace {

// Calls draw(out, src, n) for every drawn run of the pattern placed at (x, y),
// clipped to the visible columns: out on the surface, src in the pattern.
template <typename Draw>
void ForEachVisibleSpan(Bitmap& dst, const ScaledPattern& p, int x, int y, const Visible& v, Draw draw) {
    const int sx0 = v.x0 - x;
    const int sx1 = v.x1 - x;
    for (int dy = v.y0; dy < v.y1; ++dy) {
        const int sy = dy - y;
        const Pixel* src = p.row(sy);
        Pixel* out = dst.row(dy) + x;
        for (std::uint32_t s = p.rowSpanStart[sy]; s < p.rowSpanStart[sy + 1]; ++s) {
            const int a = std::max(p.spans[s].start, sx0);
            const int b = std::min(p.spans[s].start + p.spans[s].length, sx1);
            if (a < b) draw(out + a, src + a, b - a);
        }
    }
}

}  // namespace

void BlitScaled(Bitmap& dst, const ScaledPattern& p, int x, int y, const ClipRect& clip) {
    if (p.kind == ScaledPattern::Kind::Empty) return;
    const Visible v = VisiblePart(dst, clip, x, y, p.size, p.size);
    if (v.empty()) return;
    if (p.kind == ScaledPattern::Kind::Opaque) {
        const std::size_t bytes = static_cast<std::size_t>(v.x1 - v.x0) * sizeof(Pixel);
        for (int dy = v.y0; dy < v.y1; ++dy)
            std::memcpy(dst.row(dy) + v.x0, p.row(dy - y) + (v.x0 - x), bytes);
        return;
    }
    ForEachVisibleSpan(dst, p, x, y, v, [](Pixel* out, const Pixel* src, int n) {
        std::memcpy(out, src, static_cast<std::size_t>(n) * sizeof(Pixel));
    });
}

void BlitScaledBlended(Bitmap& dst, const ScaledPattern& p, int x, int y, int alpha, const ClipRect& clip) {
    if (p.kind == ScaledPattern::Kind::Empty) return;
    const Visible v = VisiblePart(dst, clip, x, y, p.size, p.size);
    if (v.empty()) return;
    const int al = ClampAlpha(alpha);
    ForEachVisibleSpan(dst, p, x, y, v, [al](Pixel* out, const Pixel* src, int n) {
        for (int i = 0; i < n; ++i) out[i] = BlendPixel(src[i], out[i], al);
    });
}

}  // namespace tarq
