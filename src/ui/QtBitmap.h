// Conversions between the engine's pixel buffers and Qt images.
#pragma once

#include <QImage>
#include <cstring>

#include "core/Bitmap.h"

namespace tarq {

// A copy of the bitmap as an image of the same pixel layout: RGB32 ignores the
// alpha byte, ARGB32 keeps it (pixels with alpha 0 show as see-through).
inline QImage ToQImage(const Bitmap& bitmap, QImage::Format format = QImage::Format_RGB32) {
    if (bitmap.empty()) return {};
    QImage image(bitmap.width, bitmap.height, format);
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
