#include "view/Viewport.h"

namespace tarq {

void UpdateViewGeometry(Game& game, int widthPx, int heightPx) {
    int size = static_cast<int>(game.ViewSettings.Scale * 64.0 / 100.0);
    if (size < 1) size = 1;
    game.CellPixels = static_cast<u16>(size);
    int cols = widthPx / size + 1;
    int rows = heightPx / size + 1;
    if (cols > game.World.MapWidth) cols = game.World.MapWidth;
    if (rows > game.World.MapHeight) rows = game.World.MapHeight;
    game.VisibleCols = static_cast<i16>(cols);
    game.VisibleRows = static_cast<i16>(rows);
}

void ClampView(Game& game) {
    TViewSettings& v = game.ViewSettings;
    if (v.FirstCol > game.World.MapWidth - game.VisibleCols)
        v.FirstCol = static_cast<i16>(game.World.MapWidth - game.VisibleCols);
    if (v.FirstRow > game.World.MapHeight - game.VisibleRows)
        v.FirstRow = static_cast<i16>(game.World.MapHeight - game.VisibleRows);
    if (v.FirstCol < 1) v.FirstCol = 1;
    if (v.FirstRow < 1) v.FirstRow = 1;
}

void UpdateHoverCell(Game& game) {
    const TViewSettings& v = game.ViewSettings;
    const int cell = game.CellPixels > 0 ? game.CellPixels : 1;
    game.HoverCol = (game.MouseX - v.ViewOffsetX) / cell + v.FirstCol;
    game.HoverRow = (game.MouseY - v.ViewOffsetY) / cell + v.FirstRow;
}

}  // namespace tarq
