// The small map preview of the new-game page: one pixel per map cell.
#pragma once

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

constexpr Pixel kPreviewBackground = 0xFFFFFFFFu;  // white

// A MapWidth x MapHeight picture, white at first; pixel (x, y) takes the strip
// colour (terrain code, 0) of map cell (x, y). The last map column and row fall
// outside the picture and are dropped, and pixel column 0 and row 0 stay white.
// A code beyond the strip's width leaves its pixel white.
Bitmap MakeMapPreview(const Game& game, const Bitmap& colourStrip);

}  // namespace tarq
