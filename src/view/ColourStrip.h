// One colour per terrain code: pixel t of the strip is the centre pixel of
// tile t of a terrain sheet of 64 x 64 tiles counted row by row. The preview,
// the minimap and the cached minimap palette all use it.
#pragma once

#include "core/Bitmap.h"

namespace tarq {

constexpr int kTerrainTile = 64;

// cols x (rows + 2) + 1 by 1 pixels; the pixels after the last tile keep `fill`.
Bitmap MakeTerrainColourStrip(const Bitmap& terrainSheet, Pixel fill = 0xFFFFFFFFu);

}  // namespace tarq
