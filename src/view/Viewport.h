// View geometry and navigation over the game's view fields: cell size from the
// zoom, visible cells, clamping, the hovered cell, and the moves of the view
// made by the zoom bar, the wheel, the scroll bars, dragging and the minimap.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Sets CellPixels, VisibleCols and VisibleRows for a surface of the given size.
void UpdateViewGeometry(Game& game, int widthPx, int heightPx);

// Keeps FirstCol/FirstRow inside the map (never below 1).
void ClampView(Game& game);

// HoverCol/HoverRow from MouseX/MouseY; truncating division, not clamped.
void UpdateHoverCell(Game& game);

}  // namespace tarq
