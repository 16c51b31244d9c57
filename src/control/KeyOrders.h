// What the map page's keys ask that no single click does: finding the next own
// unit that can still move this turn, selecting it with the view centred on
// it, and opening the command menu of the selection where it stands.
#pragma once

#include "control/MapClick.h"

namespace tarq {

// Moves the view by whole cells as the scroll bars do (the first visible
// column and row, the centre following), within the map: columns by `dcol`,
// rows by `drow`.
void ScrollByCells(Game& game, int dcol, int drow);

// Whether a key may change the selection or open the menu: once the base has
// landed and while no construction waits for a click.
bool SelectionKeysAllowed(const Game& game);

// An own unit (owner = CurrentPlayer) with moves left and no order: the next
// one by object number after `from`, or the one before it with `backwards`,
// going round the table. `from` itself comes last. 0 when there is none.
int NextReadyUnit(const Game& game, int from, bool backwards);

// Puts cell (col, row) in the middle of the view the way a change of zoom
// does: the view centre becomes the cell and its left and top edges land on
// the screen centre.
void CentreViewOn(Game& game, int col, int row);

// Selects `unit` as a click on it would (its information, the move armed when
// it can move) and centres the view on it. Nothing for a free slot.
ClickResult SelectAndCentre(Game& game, int unit, const ClickContext& context);

// The command menu of the selected object, as a second click on it opens it,
// at the middle of its first cell; the view is centred on it first when that
// cell is off the surface. Only while SelectionKeysAllowed and the selection
// is still on the map and takes the current player's orders; nothing otherwise.
ClickResult OpenSelectionMenu(Game& game, const ClickContext& context);

}  // namespace tarq
