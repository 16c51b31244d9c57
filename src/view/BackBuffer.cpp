#include "view/BackBuffer.h"

#include <algorithm>

namespace tarq {

PixelRect PixelRect::intersected(const PixelRect& r) const {
    return {std::max(x0, r.x0), std::max(y0, r.y0), std::min(x1, r.x1), std::min(y1, r.y1)};
}

PixelRect PixelRect::united(const PixelRect& r) const {
    if (empty()) return r;
    if (r.empty()) return *this;
    return {std::min(x0, r.x0), std::min(y0, r.y0), std::max(x1, r.x1), std::max(y1, r.y1)};
}

BackBuffer::BackBuffer(int width, int height) : pixels_(width, height, 0xFF000000u), outside_(0xFF000000u) {
    Changed(whole());
}

void BackBuffer::Clear(Pixel colour) { pendingClear_ = colour; }

const Bitmap& BackBuffer::Pixels() {
    if (pendingClear_) {
        // Nothing drawn since the clear: the whole buffer takes the colour.
        FillAround({}, *pendingClear_);
        drawnBy_ = nullptr;
        drawnArea_ = {};
        pendingClear_.reset();
    }
    return pixels_;
}

std::vector<PixelRect> BackBuffer::TakeChanges() {
    std::vector<PixelRect> taken;
    taken.swap(changes_);
    return taken;
}

void BackBuffer::Changed(const PixelRect& r) {
    const PixelRect clipped = r.intersected(whole());
    if (clipped.empty()) return;
    if (changes_.size() < kMaxChanges) {
        changes_.push_back(clipped);
        return;
    }
    PixelRect all = clipped;
    for (const PixelRect& c : changes_) all = all.united(c);
    changes_.assign(1, all);
}

void BackBuffer::Fill(const PixelRect& r, Pixel colour) {
    const PixelRect c = r.intersected(whole());
    if (c.empty()) return;
    for (int y = c.y0; y < c.y1; ++y) std::fill_n(pixels_.row(y) + c.x0, c.x1 - c.x0, colour);
    Changed(c);
}

void BackBuffer::FillAround(const PixelRect& inner, Pixel colour) {
    const PixelRect all = whole();
    const PixelRect in = inner.intersected(all);
    if (in.empty()) {
        if (!outside_ || *outside_ != colour || !drawnArea_.empty()) Fill(all, colour);
        outside_ = colour;
        return;
    }
    Fill({0, 0, all.x1, in.y0}, colour);
    Fill({0, in.y1, all.x1, all.y1}, colour);
    Fill({0, in.y0, in.x0, in.y1}, colour);
    Fill({in.x1, in.y0, all.x1, in.y1}, colour);
    outside_ = colour;
}

}  // namespace tarq
