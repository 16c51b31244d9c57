// The image list U: picture sheets cut into equal patterns. A map picture
// names an item (TSpriteRef::idU) and a pattern in it (TSpriteRef::Spr).
#pragma once

#include <vector>

#include "core/Bitmap.h"

namespace tarq {

struct ImageItem {
    Bitmap picture;
    int patternWidth = 0;   // never 0 once set: 0 is replaced by the picture's width
    int patternHeight = 0;
    bool transparent = false;
    Pixel transparentColour = 0;  // pixel (1, 1) of the picture when transparent

    // Only whole patterns count; a narrower strip at the right or bottom is ignored.
    int perRow() const { return patternWidth > 0 ? picture.width / patternWidth : 0; }
    int patternRows() const { return patternHeight > 0 ? picture.height / patternHeight : 0; }
    int patternCount() const { return perRow() * patternRows(); }
    // Top-left corner of pattern k; k must be in 0..patternCount()-1.
    int patternX(int k) const { return (k % perRow()) * patternWidth; }
    int patternY(int k) const { return (k / perRow()) * patternHeight; }
    bool hasPattern(int k) const { return k >= 0 && k < patternCount(); }
};

// Sets a picture into an item: pattern sizes of 0 take the picture's size, and
// the transparent colour is taken from pixel (1, 1).
void SetSheet(ImageItem& item, Bitmap picture, int patternWidth, int patternHeight, bool transparent);

// Every pixel of exactly `from` becomes `to`.
void RecolourSheet(ImageItem& item, Pixel from, Pixel to);

class ImageList {
public:
    void clear() { items_.clear(); }
    ImageItem& append() { return items_.emplace_back(); }
    int count() const { return static_cast<int>(items_.size()); }
    bool has(int index) const { return index >= 0 && index < count(); }
    ImageItem& operator[](int index) { return items_[static_cast<std::size_t>(index)]; }
    const ImageItem& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }

private:
    std::vector<ImageItem> items_;
};

}  // namespace tarq
