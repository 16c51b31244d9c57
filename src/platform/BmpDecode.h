// Decoding a BMP file held in memory, every field checked against the bytes
// that are there. Reads what Windows and common editors write: 1, 4 and 8
// bits with a palette (4 and 8 also run-length coded), 16, 24 and 32 bits
// plain or with bit-field masks (also the alpha variant, compression 6), the
// OS/2 12-byte header and the 40 to 124-byte Windows headers, rows stored
// bottom-up or top-down. Pixels a run-length stream skips take palette
// entry 0. Alpha is dropped: pictures come out opaque.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/Bitmap.h"

namespace tarq {

// Largest picture the game accepts, in pixels per side and in total.
constexpr int kMaxBitmapSide = 16384;
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;

// Decodes `bytes` into `out`. Returns why the file is refused, in Russian
// ("файл обрезан", "неподдерживаемый вариант BMP (...)", ...), or an empty
// text on success; on refusal `out` is empty. Pictures of more than
// `maxPixels` pixels are refused as too large.
std::string DecodeBmp(std::span<const std::uint8_t> bytes, Bitmap& out, long long maxPixels = kMaxBitmapPixels);

}  // namespace tarq
