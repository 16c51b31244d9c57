#include "view/ColourStrip.h"

namespace tarq {

Bitmap MakeTerrainColourStrip(const Bitmap& terrainSheet, Pixel fill) {
    const int cols = terrainSheet.width / kTerrainTile;
    const int rows = terrainSheet.height / kTerrainTile;
    Bitmap strip(cols * (rows + 2) + 1, 1, fill);
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r)
            strip.at(r * cols + c, 0) = terrainSheet.at(c * kTerrainTile + 32, r * kTerrainTile + 32);
    return strip;
}

}  // namespace tarq
