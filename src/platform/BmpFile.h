// Reading and writing BMP files for the engine. Reading goes through the
// checked decoder (BmpDecode.h): a truncated file, an absurd header or a
// variant it does not read gives a clear error naming the file and the cause
// instead of a garbage or gigantic picture. Top-down files load the right way up.
#pragma once

#include <filesystem>
#include <string>

#include "core/Bitmap.h"
#include "platform/BmpDecode.h"

namespace tarq {

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
