#include "view/Viewport.h"

#include <algorithm>
#include <cmath>

#include "core/Players.h"
#include "core/Sight.h"
#include "view/Fog.h"

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

ScaleLabels ScaleLabelsOf(const Game& game) {
    const std::string cell = std::to_string(game.CellPixels);
    return {std::to_string(game.VisibleCols), std::to_string(game.VisibleRows), cell + " X " + cell};
}

ScaleLabels SScaleChange(Game& game, int barPosition, int surfaceWidth, int surfaceHeight) {
    TViewSettings& v = game.ViewSettings;
    v.Scale = static_cast<u16>(barPosition);
    UpdateViewGeometry(game, surfaceWidth, surfaceHeight);
    game.ViewChanged = 1;
    const ScaleLabels labels = ScaleLabelsOf(game);
    v.FirstCol = static_cast<i16>(v.ViewCenterCol - game.VisibleCols / 2);
    v.FirstRow = static_cast<i16>(v.ViewCenterRow - game.VisibleRows / 2);
    // 16-bit arithmetic: the offsets wrap exactly as the i16 fields do.
    v.ViewOffsetX = static_cast<i16>(v.ScreenCenterX - game.CellPixels * (game.VisibleCols / 2));
    v.ViewOffsetY = static_cast<i16>(v.ScreenCenterY - game.CellPixels * (game.VisibleRows / 2));
    return labels;
}

WheelZoom MouseWheelZoom(Game& game, int barPosition, bool zoomIn) {
    const int wanted = barPosition + (zoomIn ? kWheelZoomStep : -kWheelZoomStep);
    const int held = std::clamp(wanted, kScaleMin, kScaleMax);
    game.ViewChanged = 1;
    return {held, held != barPosition};
}

void ScrollColumnsTo(Game& game, int position) {
    TViewSettings& v = game.ViewSettings;
    v.FirstCol = static_cast<i16>(position);
    v.ViewCenterCol = static_cast<i16>(v.FirstCol + game.VisibleCols / 2);
    game.ViewChanged = 1;
}

void ScrollRowsTo(Game& game, int position) {
    TViewSettings& v = game.ViewSettings;
    v.FirstRow = static_cast<i16>(position);
    v.ViewCenterRow = static_cast<i16>(v.FirstRow + game.VisibleRows / 2);
    game.ViewChanged = 1;
}

ScrollBarRanges ScrollBarsFor(const Game& game, bool checkBox10) {
    return {game.World.MapWidth, game.World.MapHeight, checkBox10};
}

namespace {
void CentreOnFirstCell(Game& game) {
    TViewSettings& v = game.ViewSettings;
    v.ViewCenterCol = static_cast<i16>(v.FirstCol + game.VisibleCols / 2);
    v.ViewCenterRow = static_cast<i16>(v.FirstRow + game.VisibleRows / 2);
}
}  // namespace

void MinimapPress(Game& game, int x, int y, int controlWidth, int controlHeight) {
    TViewSettings& v = game.ViewSettings;
    if (controlWidth > 0 && controlHeight > 0) {
        // The product in integers, the quotient in floating point, truncated toward zero.
        const double col = static_cast<double>(x * game.World.MapWidth) / controlWidth;
        const double row = static_cast<double>(y * game.World.MapHeight) / controlHeight;
        v.FirstCol = static_cast<i16>(static_cast<int>(std::trunc(col)) - game.VisibleCols / 2);
        v.FirstRow = static_cast<i16>(static_cast<int>(std::trunc(row)) - game.VisibleRows / 2);
    }
    game.ViewChanged = 1;
    CentreOnFirstCell(game);
    game.MinimapDrag = 1;
}

bool MinimapMove(Game& game, int x, int y, int controlWidth, int controlHeight) {
    game.RightDrag = 0;
    if (game.MinimapDrag != 1) return false;
    MinimapPress(game, x, y, controlWidth, controlHeight);
    return true;
}

void MinimapRelease(Game& game) { game.MinimapDrag = 0; }

int DragStep(int cellPixels) { return cellPixels / 10 + 3 - cellPixels / 15; }

namespace {

// One axis of a drag event. `forward` moves the offset down by `step` and
// steps the first cell forward when it passes 0; the other way moves it up
// and steps back when it passes the cell size.
void DragAxis(int pos, i32& start, i16& offset, i16& first, int cell, int step, bool screenMoves) {
    if (pos == start) return;
    const bool forward = (pos > start) == screenMoves;
    if (forward) {
        offset = static_cast<i16>(offset - step);
        if (offset < 0) {
            offset = static_cast<i16>(cell);
            first = static_cast<i16>(first + 1);
        }
    } else {
        offset = static_cast<i16>(offset + step);
        if (std::abs(static_cast<int>(offset)) > cell) {
            offset = 0;
            first = static_cast<i16>(first - 1);
        }
    }
    start = pos;
}

}  // namespace

bool DragView(Game& game, int x, int y, bool screenMoves) {
    if (game.RightDrag != 1) return false;
    TViewSettings& v = game.ViewSettings;
    const int cell = game.CellPixels;
    const int step = screenMoves ? DragStep(cell) : 3;
    DragAxis(x, game.DragStartX, v.ViewOffsetX, v.FirstCol, cell, step, screenMoves);
    DragAxis(y, game.DragStartY, v.ViewOffsetY, v.FirstRow, cell, step, screenMoves);
    game.ViewChanged = 1;
    CentreOnFirstCell(game);
    return true;
}

InitialScale StartInitialView(Game& game, int pageControlWidth, int pageClientWidth, int pageClientHeight,
                              int currentBarPosition, int surfaceWidth, int surfaceHeight) {
    TViewSettings& v = game.ViewSettings;
    const int mapWidth = game.World.MapWidth;
    v.ViewCenterCol = static_cast<i16>(mapWidth / 2);
    v.ViewCenterRow = static_cast<i16>(game.World.MapHeight / 2);
    v.ScreenCenterX = pageClientWidth / 2;
    v.ScreenCenterY = pageClientHeight / 2;
    // 1.5625 = 100 / 64: one cell about as wide as the page divided by the map width.
    const int scale = mapWidth > 0 ? static_cast<int>(static_cast<double>(pageControlWidth) / mapWidth * 1.5625) : 0;
    InitialScale result;
    result.barPosition = std::clamp(scale, kScaleMin, kScaleMax);
    // The zoom is what the bar shows, also when the bar stays where it was
    // and so raises no change: a map too wide for the page is drawn at the
    // bar's lower bound, never at a zoom the bar cannot show.
    v.Scale = static_cast<u16>(result.barPosition);
    result.changed = result.barPosition != currentBarPosition;
    if (result.changed) result.labels = SScaleChange(game, result.barPosition, surfaceWidth, surfaceHeight);
    return result;
}

void FinishInitialView(Game& game, int surfaceWidth, int surfaceHeight) {
    game.ViewSettings.FirstCol = 1;
    game.ViewSettings.FirstRow = 1;
    UpdateViewGeometry(game, surfaceWidth, surfaceHeight);
}

namespace {

// Brightness of a pixel, 0..255, with the usual weights of red, green and blue.
int Brightness(Pixel p) {
    const auto part = [p](int shift) { return static_cast<int>((p >> shift) & 0xFFu); };
    return (part(16) * 299 + part(8) * 587 + part(0) * 114) / 1000;
}

// Calls mark(owner, col, row) for each cell of each object that has an owner
// and the current player sees, then of each structure they remember where
// they see nothing of it now.
template <typename Mark>
void ForEachOwnedCell(const Game& game, Mark mark) {
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.World.Objects[slot];
        if (o.Owner == 0 || !SeesObject(game, game.CurrentPlayer, slot)) continue;
        const int cells = o.CellCount == 4 ? 4 : 1;
        for (int k = 1; k <= cells; ++k)
            if (o.Cells[k].col >= 1 && o.Cells[k].row >= 1) mark(o.Owner, o.Cells[k].col, o.Cells[k].row);
    }
    if (!FogCovers(game, game.CurrentPlayer)) return;
    for (const TSeenStructure& s : SeenStructures(game, game.CurrentPlayer)) {
        if (SeesObject(game, game.CurrentPlayer, s.Slot)) continue;
        for (int k = 1; k <= (s.CellCount == 4 ? 4 : 1); ++k) mark(s.Owner, s.Cells[k].col, s.Cells[k].row);
    }
}

// Under the fog, cells never explored turn black and those out of sight dim.
void FogOver(const Game& game, Bitmap& minimap) {
    FogView fog;
    fog.Prepare(game, 1, 0, 1, 0);
    if (!fog.Active()) return;
    for (int r = 1; r < minimap.height; ++r) {
        Pixel* line = minimap.row(r);
        for (int c = 1; c < minimap.width; ++c) {
            const FogState state = fog.StateAt(game, c, r);
            if (state == FogState::Black) line[c] = 0xFF000000u;
            if (state == FogState::Dim) line[c] = DimPixel(line[c]);
        }
    }
}

// Every object's cells in its player's team colour. A team colour may be the
// terrain's own (blue on water), so every mark is ringed first: black over
// light ground, white over dark, which stands apart from whatever terrain
// lies there. The marks go over all the rings, so a base reads as one block.
void MarkObjects(const Game& game, Bitmap& minimap) {
    const Bitmap ground = minimap;
    ForEachOwnedCell(game, [&](int, int col, int row) {
        for (int y = row - 1; y <= row + 1; ++y)
            for (int x = col - 1; x <= col + 1; ++x)
                if (ground.contains(x, y))
                    minimap.at(x, y) = Brightness(ground.at(x, y)) >= 128 ? kMinimapDarkRing : kMinimapLightRing;
    });
    ForEachOwnedCell(game, [&](int owner, int col, int row) {
        minimap.set(col, row, TeamColourAt(PlayerColourIndex(game, owner)).base);
    });
}

}  // namespace

Bitmap RebuildMinimap(const Game& game, const Bitmap& palette, Pixel fill) {
    const int width = std::max<int>(game.World.MapWidth, 0);
    const int height = std::max<int>(game.World.MapHeight, 0);
    Bitmap minimap(width, height, fill);
    // Cell (c, r) goes to pixel (c, r): the last column and row fall outside.
    for (int r = 1; r < height; ++r) {
        Pixel* line = minimap.row(r);
        for (int c = 1; c < width; ++c) {
            const int code = game.World.Terrain(c, r);
            if (code < palette.width && palette.height > 0) line[c] = palette.at(code, 0);
        }
    }
    FogOver(game, minimap);
    if (SeveralPlayers(game)) MarkObjects(game, minimap);
    return minimap;
}

ViewSync SyncViewControls(Game& game, int surfaceClientWidth, int surfaceClientHeight) {
    TViewSettings& v = game.ViewSettings;
    ViewSync sync;
    sync.colPosition = v.FirstCol;
    sync.colPage = game.VisibleCols;
    sync.rowPosition = v.FirstRow;
    sync.rowPage = game.VisibleRows;
    v.ScreenCenterX = surfaceClientWidth / 2;
    v.ScreenCenterY = surfaceClientHeight / 2;
    game.ViewChanged = 0;
    sync.frame = {v.FirstCol, v.FirstRow, v.FirstCol + game.VisibleCols, v.FirstRow + game.VisibleRows};
    return sync;
}

Bitmap DrawMinimapFrame(int mapWidth, int mapHeight, const CellRect& frame, Pixel background) {
    Bitmap overlay(std::max(mapWidth, 0), std::max(mapHeight, 0), background);
    if (frame.right <= frame.left || frame.bottom <= frame.top) return overlay;
    const int lastX = frame.right - 1;
    const int lastY = frame.bottom - 1;
    for (int x = frame.left; x <= lastX; ++x) {
        overlay.set(x, frame.top, kMinimapFrameColour);
        overlay.set(x, lastY, kMinimapFrameColour);
    }
    for (int y = frame.top; y <= lastY; ++y) {
        overlay.set(frame.left, y, kMinimapFrameColour);
        overlay.set(lastX, y, kMinimapFrameColour);
    }
    return overlay;
}

std::array<ButtonBox, kOverlayButtons> LayOutOverlayButtons(const std::array<ButtonBox, kOverlayButtons>& current,
                                                            int panelHeight) {
    std::array<ButtonBox, kOverlayButtons> placed = current;
    ButtonBox& button11 = placed[9];
    button11.left = 1;
    button11.top = current[6].top - current[9].height;  // above Button1 as it stood
    int rowTop = panelHeight - current[0].height;
    for (int row = 0; row < 3; ++row) {
        if (row > 0) rowTop -= current[static_cast<std::size_t>(row * 3)].height;
        int left = 1;
        for (int k = 0; k < 3; ++k) {
            ButtonBox& box = placed[static_cast<std::size_t>(row * 3 + k)];
            box.left = left;
            box.top = rowTop;
            left += box.width;
        }
    }
    return placed;
}

}  // namespace tarq
