#include "world/MapPreview.h"

namespace tarq {

Bitmap MakeMapPreview(const Game& game, const Bitmap& colourStrip) {
    const int width = game.World.MapWidth, height = game.World.MapHeight;
    if (width <= 0 || height <= 0) return Bitmap();
    Bitmap preview(width, height, kPreviewBackground);
    if (colourStrip.empty()) return preview;
    for (int col = 1; col <= width; ++col)
        for (int row = 1; row <= height; ++row) {
            const int code = game.World.Terrain(col, row);
            if (code < colourStrip.width) preview.set(col, row, colourStrip.at(code, 0));
        }
    return preview;
}

}  // namespace tarq
