// View geometry and navigation over the game's view fields: cell size from the
// zoom, visible cells, clamping, the hovered cell, and the moves of the view
// made by the zoom bar, the wheel, the scroll bars, dragging and the minimap.
// The window's handlers read their controls, call these and write the results
// back; nothing here touches a widget.
#pragma once

#include <array>
#include <string>

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

// Bounds of the zoom bar SScale.
constexpr int kScaleMin = 5;
constexpr int kScaleMax = 120;
constexpr int kWheelZoomStep = 2;

// Sets CellPixels, VisibleCols and VisibleRows for a surface of the given size.
void UpdateViewGeometry(Game& game, int widthPx, int heightPx);

// Keeps FirstCol/FirstRow inside the map (never below 1).
void ClampView(Game& game);

// HoverCol/HoverRow from MouseX/MouseY; truncating division, not clamped.
void UpdateHoverCell(Game& game);

// Texts of the statistics labels on the settings page.
struct ScaleLabels {
    std::string cols;        // Label17
    std::string rows;        // Label18
    std::string spriteSize;  // Label22, "N X N"
};

// The labels for the geometry the game has now.
ScaleLabels ScaleLabelsOf(const Game& game);

// The zoom bar's OnChange: takes the bar position as the scale, recomputes the
// geometry for the surface size and re-centres on ViewCenterCol/ViewCenterRow
// so the left/top edge of the centre cell lands on the screen centre.
ScaleLabels SScaleChange(Game& game, int barPosition, int surfaceWidth, int surfaceHeight);

// A wheel notch: the bar's new position (held within 5..120) and whether it
// really changed (only then does the bar raise its OnChange). Sets ViewChanged.
struct WheelZoom {
    int position = 0;
    bool changed = false;
};
WheelZoom MouseWheelZoom(Game& game, int barPosition, bool zoomIn);

// ScrollBar1Scroll / ScrollBar2Scroll: the bar's position becomes the first
// visible column/row and the centre follows; the pixel offsets stay.
void ScrollColumnsTo(Game& game, int position);
void ScrollRowsTo(Game& game, int position);

// CheckBox10Click: upper bounds of ScrollBar1/ScrollBar2 and their visibility.
struct ScrollBarRanges {
    int colMax = 0;
    int rowMax = 0;
    bool visible = false;
};
ScrollBarRanges ScrollBarsFor(const Game& game, bool checkBox10);

// Image1MouseDown at (x, y) on a control of the given size (196 x 196): centres
// the view on the cell under the press. FirstCol may go negative; the next
// ClampView fixes it while the centre keeps the unclamped value.
void MinimapPress(Game& game, int x, int y, int controlWidth, int controlHeight);
// Image1MouseMove: ends any right-button drag and, while the minimap button is
// held, follows the mouse. Returns true when the view moved (render it).
bool MinimapMove(Game& game, int x, int y, int controlWidth, int controlHeight);
// Image1MouseUp.
void MinimapRelease(Game& game);

// Pixels one drag event moves when the screen moves with the mouse (CheckBox12).
int DragStep(int cellPixels);
// The drag part of DXDrawMouseMove at surface position (x, y). Does nothing and
// returns false unless RightDrag is 1. `screenMoves` is CheckBox12.
bool DragView(Game& game, int x, int y, bool screenMoves);

// Initial view at launch, first half: centres, screen centre from the map
// page's client size and the scale from the page control's width. The bar
// takes the scale within 5..120; when that changes its position, SScaleChange
// runs with the surface size (labels filled) and Scale becomes the position.
struct InitialScale {
    int barPosition = 0;
    bool changed = false;
    ScaleLabels labels;  // only when changed
};
InitialScale StartInitialView(Game& game, int pageControlWidth, int pageClientWidth, int pageClientHeight,
                              int currentBarPosition, int surfaceWidth, int surfaceHeight);
// Second half, after the scroll bars are set and the surface initialised:
// top-left corner of the map and the geometry for the surface.
void FinishInitialView(Game& game, int surfaceWidth, int surfaceHeight);

// The minimap picture: MapWidth x MapHeight, pixel (c, r) coloured from pixel
// (terrain code, 0) of the palette strip for c, r >= 1. Column 0, row 0 and
// codes past the palette's end keep `fill`; the last column and row fall
// outside the picture and are dropped. In a game of several players every
// object's cells are marked in its player's team colour, each ringed by one
// pixel of the dark or the light ring colour, whichever stands apart from the
// terrain there.
constexpr Pixel kMinimapDarkRing = 0xFF000000u;
constexpr Pixel kMinimapLightRing = 0xFFFFFFFFu;
Bitmap RebuildMinimap(const Game& game, const Bitmap& palette, Pixel fill = 0xFF000000u);

// A rectangle in minimap cells; right and bottom are excluded.
struct CellRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CellRect&) const = default;
};

// What SyncViewControls puts into the controls. Also sets the screen centre
// from the surface's client size and lowers ViewChanged.
struct ViewSync {
    int colPosition = 0;
    int colPage = 0;
    int rowPosition = 0;
    int rowPage = 0;
    CellRect frame;  // the visible cells, for the maroon minimap frame
};
ViewSync SyncViewControls(Game& game, int surfaceClientWidth, int surfaceClientHeight);

// The overlay Image1: a mapWidth x mapHeight picture of `background` with the
// one-pixel maroon ($000080) outline of `frame`, clipped to the picture.
constexpr Pixel kMinimapFrameColour = FromBgr(0x000080);
Bitmap DrawMinimapFrame(int mapWidth, int mapHeight, const CellRect& frame, Pixel background = 0xFFFFFFFFu);

// PageControl1Resize's button grid on Panel3: three rows of three from the
// bottom up. Sizes and results are in the order Button7, 8, 9, 4, 5, 6, 1, 2, 3,
// then Button11, which goes at left 1 above Button1's top as it was before.
struct ButtonBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ButtonBox&) const = default;
};
constexpr int kOverlayButtons = 10;
std::array<ButtonBox, kOverlayButtons> LayOutOverlayButtons(const std::array<ButtonBox, kOverlayButtons>& current,
                                                            int panelHeight);

}  // namespace tarq
