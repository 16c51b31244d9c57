// The left click on the map: before the base exists it lands the initial
// force; afterwards it selects the object under the cursor, opens the command
// menu on a second click, or steps the selected unit one cell; while a
// construction waits, it confirms the site (click mode 1) or picks the exit
// cell (click mode 2). The engine decides; the window carries out what the
// result asks for.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "control/Construction.h"
#include "control/InfoPanel.h"
#include "core/GameState.h"
#include "view/Viewport.h"

namespace tarq {

// The zoom the view takes when the base has landed.
constexpr int kBaseZoom = 100;

// What the window knows and the click needs.
struct ClickContext {
    int zoomBarPosition = 0;  // SScale
    int surfaceWidth = 0;     // the drawing surface's size in pixels
    int surfaceHeight = 0;
    InfoChecks checks{};  // CheckListBox1
};

// What the window must do after a click.
struct ClickResult {
    std::optional<std::vector<InfoLine>> memo;  // new content of Memo2
    bool openMenu = false;                      // the command menu, at the press point
    int menuX = 0;                              // the press point on the surface
    int menuY = 0;
    bool updateCursor = false;             // MoveArmed changed the map pointer
    std::optional<ScaleLabels> zoomTo100;  // set the zoom bar to 100 (its labels)
    bool baseLanded = false;
    std::vector<std::string> messages;  // for the player, in order
};

// The object whose picture is in cell (col, row): layers 6, 2, 3, 4 and, when
// ReadyLayerOn, 8 are looked at in that order and the last nonzero id wins.
// Object 0 for none or a cell off the map.
struct CellFind {
    int object = 0;
    bool readyMarker = false;  // found in layer 8
};
CellFind ObjectAt(const Game& game, int col, int row);

// The dispatcher. Recomputes the hovered cell from MouseX/MouseY first. In a
// game of several players another player's object is selected and shown but
// opens no menu and arms no move.
ClickResult DXDrawClick(Game& game, const ClickContext& context);

// A right press on the map, after the window has started any dragging: it
// cancels what the game waits for (the site's position, the exit cell) and
// disarms the move.
ConstructionResult RightPress(Game& game);

}  // namespace tarq
