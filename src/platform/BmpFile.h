// Reading and writing BMP files for the engine, checked before any picture is
// trusted: a truncated file, an absurd header or a top-down file gives a clear
// error instead of a garbage or gigantic picture.
#pragma once

#include <filesystem>
#include <string>

#include "view/Bitmap.h"

namespace tarq {

// Largest picture the game accepts, in pixels per side and in total.
constexpr int kMaxBitmapSide = 16384;
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;

struct BitmapLoad {
    bool ok = false;
    std::string error;  // Russian, names the file; empty when ok
};

// Loads `file` into `out`. On failure `out` is left empty and `error` says why.
BitmapLoad LoadBitmapFile(const std::filesystem::path& file, Bitmap& out);

// Saves as a 24-bit BMP. Returns false when the file cannot be written.
bool SaveBitmapFile(const std::filesystem::path& file, const Bitmap& bitmap);

// Also used for contact sheets and map pictures by the tools.
bool SavePngFile(const std::filesystem::path& file, const Bitmap& bitmap);

}  // namespace tarq
