#include "view/ImageList.h"

#include <algorithm>

namespace tarq {

void SetSheet(ImageItem& item, Bitmap picture, int patternWidth, int patternHeight, bool transparent) {
    item.picture = std::move(picture);
    item.patternWidth = patternWidth > 0 ? patternWidth : item.picture.width;
    item.patternHeight = patternHeight > 0 ? patternHeight : item.picture.height;
    item.transparent = transparent;
    item.transparentColour = 0;
    if (transparent && item.picture.contains(1, 1)) item.transparentColour = item.picture.at(1, 1);
}

void RecolourSheet(ImageItem& item, Pixel from, Pixel to) {
    std::replace(item.picture.pixels.begin(), item.picture.pixels.end(), from, to);
}

}  // namespace tarq
