// Writing pictures in every BMP variant the game's reader takes (palette,
// run-length, 16/24/32 bits plain and with bit-field masks, the OS/2 and the
// longer Windows headers, top-down rows): test files and the seed corpus for
// fuzzing the reader. The game itself only writes 24-bit files.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Generator.h"

namespace sheetgen {

struct BmpVariant {
    const char* name;  // used in file names
    int bits;
    std::uint32_t compression;  // 0 plain, 1 and 2 run-length, 3 bit fields, 6 bit fields with alpha
    std::uint32_t infoSize;     // 12 (OS/2), 40, 56 or 124 bytes
    bool topDown;
};

// One of each variant.
const std::vector<BmpVariant>& BmpVariants();

// `image` as `variant` holds it: palette variants keep the first 2^bits
// colours met row by row from the top and turn every other colour into its
// nearest kept one; 16-bit variants keep 5 or 6 bits of each channel.
QImage FitToVariant(const QImage& image, const BmpVariant& variant);

// The file bytes of `image` (fitted first) in `variant`. Run-length streams
// leave palette entry 0 (the top-left pixel's colour) unwritten, skipping it
// with jump, end-of-row and end-of-picture codes.
QByteArray EncodeVariant(const QImage& image, const BmpVariant& variant);

// Small pieces of a few sheets in every variant, "<piece>-<variant>.bmp" in
// `dir`: the seed corpus of the BMP fuzz target. Returns an error text, empty
// on success.
std::string WriteBmpVariants(const Graph& graph, const std::filesystem::path& dir);

}  // namespace sheetgen
