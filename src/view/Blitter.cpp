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
    p.pixels.resize(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    p.rowSpanStart.reserve(static_cast<std::size_t>(size) + 1);
    const int px = item.patternX(k);
    const int py = item.patternY(k);
    // The source column of every destination column, worked out once.
    std::vector<int> columns(static_cast<std::size_t>(size));
    for (int x = 0; x < size; ++x)
        columns[static_cast<std::size_t>(x)] = px + StretchSource(x, item.patternWidth, size);
    const bool keyed = item.transparent;
    const Pixel key = item.transparentColour;
    bool allOpaque = true;
    for (int y = 0; y < size; ++y) {
        const Pixel* src = item.picture.row(py + StretchSource(y, item.patternHeight, size));
        Pixel* out = p.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(size);
        for (int x = 0; x < size; ++x) out[x] = src[columns[static_cast<std::size_t>(x)]];
        p.rowSpanStart.push_back(static_cast<std::uint32_t>(p.spans.size()));
        if (!keyed) {
            p.spans.push_back({0, size});
            continue;
        }
        int runStart = -1;
        for (int x = 0; x < size; ++x) {
            const bool drawn = out[x] != key;
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
    if (p.kind == ScaledPattern::Kind::Keyed && size <= ScaledPattern::kMaskedSize) {
        p.mask.resize(p.pixels.size());
        for (std::size_t i = 0; i < p.pixels.size(); ++i) p.mask[i] = p.pixels[i] != key ? ~Pixel{0} : 0;
    }
    return p;
}

void CopyScaled(Pixel* out, int stride, const ScaledPattern& p) {
    const int n = p.size;
    if (p.kind == ScaledPattern::Kind::Opaque) {
        for (int y = 0; y < n; ++y, out += stride)
            std::memcpy(out, p.row(y), static_cast<std::size_t>(n) * sizeof(Pixel));
    } else if (!p.mask.empty()) {
        for (int y = 0; y < n; ++y, out += stride) {
            const Pixel* src = p.row(y);
            const Pixel* m = p.maskRow(y);
            for (int x = 0; x < n; ++x) out[x] = (out[x] & ~m[x]) | (src[x] & m[x]);
        }
    } else if (p.kind == ScaledPattern::Kind::Keyed) {
        for (int y = 0; y < n; ++y, out += stride) {
            const Pixel* src = p.row(y);
            for (std::uint32_t s = p.spanBegin(y); s < p.spanEnd(y); ++s)
                std::memcpy(out + p.spans[s].start, src + p.spans[s].start,
                            static_cast<std::size_t>(p.spans[s].length) * sizeof(Pixel));
        }
    }
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
        for (std::uint32_t s = p.spanBegin(sy); s < p.spanEnd(sy); ++s) {
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
        for (int dy = v.y0; dy < v.y1; ++dy) std::memcpy(dst.row(dy) + v.x0, p.row(dy - y) + (v.x0 - x), bytes);
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
