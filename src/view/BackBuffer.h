// The back buffer of the map surface, kept from frame to frame. The frame
// renderer writes only what differs from what the buffer already holds, a
// clear is carried out by the next frame (which skips the pixels that already
// have the colour), and every written rectangle is recorded until the surface
// takes it to show just those.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Bitmap.h"

namespace tarq {

// A rectangle of pixels; right and bottom edges excluded.
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(const PixelRect& r) const {
        return r.empty() || (x0 <= r.x0 && y0 <= r.y0 && r.x1 <= x1 && r.y1 <= y1);
    }
    PixelRect intersected(const PixelRect& r) const;
    PixelRect united(const PixelRect& r) const;
    bool operator==(const PixelRect&) const = default;
};

class FrameCache;

class BackBuffer {
public:
    // Changed rectangles kept apart; more are merged into their bounding box.
    static constexpr std::size_t kMaxChanges = 64;

    BackBuffer() = default;
    // Black, and wholly changed.
    BackBuffer(int width, int height);

    int width() const { return pixels_.width; }
    int height() const { return pixels_.height; }
    PixelRect whole() const { return {0, 0, pixels_.width, pixels_.height}; }

    // Fills the buffer with `colour` when the next frame is drawn, or at the
    // next read if no frame comes first.
    void Clear(Pixel colour);

    // The pixels as they stand, a pending clear carried out.
    const Bitmap& Pixels();

    // The rectangles written since the last call (none when nothing changed).
    std::vector<PixelRect> TakeChanges();

private:
    friend class FrameCache;

    void Changed(const PixelRect& r);
    void Fill(const PixelRect& r, Pixel colour);
    // Fills everything outside `inner` with colour.
    void FillAround(const PixelRect& inner, Pixel colour);

    Bitmap pixels_;
    std::optional<Pixel> pendingClear_;
    std::vector<PixelRect> changes_;
    // What the renderer left: the cache and frame that drew the cells, the
    // rectangle they cover, and the one colour of all pixels outside it, if known.
    const FrameCache* drawnBy_ = nullptr;
    std::uint64_t drawnFrame_ = 0;
    PixelRect drawnArea_;
    std::optional<Pixel> outside_;
};

}  // namespace tarq
