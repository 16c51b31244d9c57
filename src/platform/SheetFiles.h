// Loading picture sheets into the image list U: one sheet through the checked
// BMP reader, the fifteen items of a launch in their fixed order, and the
// minimap palette.
#pragma once

#include <filesystem>

#include "core/Bitmap.h"
#include "platform/BmpFile.h"
#include "view/ImageList.h"

namespace tarq {

// Loads `file` into item `item` of `list`, or into a new item appended to it
// when `append` is set. Pattern sizes of 0 take the picture's size; with
// `transparent` the transparent colour is pixel (1, 1). On failure the item is
// left as it was (no item is appended) and the error names the file.
BitmapLoad LoadSheet(ImageList& list, int item, const std::filesystem::path& file, int patternWidth, int patternHeight,
                     bool transparent, bool append);

// Empties `list` and loads items 0..14: cache files from `cacheDir`, the rest
// from "graph\..." under `base`; the three geology items are recoloured from
// black. On failure the list is left empty and the error names the file.
BitmapLoad LoadImageList(ImageList& list, const std::filesystem::path& base, const std::filesystem::path& cacheDir,
                         int terrainSet, bool highResGeology);

// The minimap palette strip minim0.bmp of the cache.
BitmapLoad LoadMinimapPalette(Bitmap& palette, const std::filesystem::path& cacheDir);

// Whether "Graph\GEO1.bmp" exists (the high-resolution geology switch needs it).
bool HighResGeologyAvailable(const std::filesystem::path& base);

}  // namespace tarq
