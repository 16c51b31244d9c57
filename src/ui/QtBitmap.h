// Conversions between the engine's pixel buffers and Qt images.
#pragma once

#include <QImage>
#include <cstring>

#include "view/Bitmap.h"

namespace tarq {

// Wraps a copy of the bitmap as an RGB32 image (same pixel layout).
inline QImage ToQImage(const Bitmap& bitmap) {
    if (bitmap.empty()) return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(image.scanLine(y), bitmap.row(y), static_cast<std::size_t>(bitmap.width) * sizeof(Pixel));
    return image;
}

// Keeps the alpha byte: pixels with alpha 0 show as see-through.
inline QImage ToQImageWithAlpha(const Bitmap& bitmap) {
    if (bitmap.empty()) return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(image.scanLine(y), bitmap.row(y), static_cast<std::size_t>(bitmap.width) * sizeof(Pixel));
    return image;
}

inline Bitmap FromQImage(const QImage& source) {
    if (source.isNull()) return {};
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(bitmap.row(y), image.constScanLine(y), static_cast<std::size_t>(image.width()) * sizeof(Pixel));
    return bitmap;
}

}  // namespace tarq
