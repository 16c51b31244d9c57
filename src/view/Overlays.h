// The overlay switches of the map page (geology, grid, connectors) and the
// pure parts of the slow 250-ms tick: the end of the purchase warning and the
// next frame of the map pointer. The window sets captions, colours and cursors.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Layer 7 of every unblocked map cell follows ShowGeology; blocked cells keep theirs.
void ApplyGeologyOverlay(Game& game);

// Layer 5 of every map cell with a connector present and a connector picture
// (the cells off the outermost rows and columns) follows ShowConnectors.
void ApplyConnectorsOverlay(Game& game);

// The overlay buttons: each flips its switch and returns the new value (the
// window shows the caption bold while it is 1).
u8 ToggleGeology(Game& game);                      // "Геология": also applies the geology overlay
u8 ToggleGrid(Game& game);                         // "Сетка": the renderer picks it up next frame
u8 ToggleConnectors(Game& game);                   // "Соединители": also applies the connector overlay
u8 ToggleOverlay(Game& game, MapOverlay overlay);  // the seven drawn by the renderer over the map

// Counts the purchase warning down by one slow tick. Returns true when the
// warning has just run out and the page's normal colours must be restored.
bool CountDownWarning(Game& game);

// Cursor numbers of the map surface: 1..8 the animated pointer, 9 and 10 the
// move pointer. The next one after `current`.
int NextMapCursor(int current, bool moveArmed);

}  // namespace tarq
