// Moving objects on the map: the footprint change every order uses, and the
// one-cell step a click gives the selected unit.
#pragma once

#include "core/GameState.h"

namespace tarq {

// Moves `object` to `footprint` and brings the map layers up to date. The
// object layers 2-4 are redrawn by the incremental rebuild from the new Cells,
// so they stay what a full rebuild would give; the object's own pictures in
// other layers (aircraft in layer 6, for one), which no rebuild clears, are
// taken off its old cells first.
void RelocateObject(Game& game, int object, const TFootprint& footprint);

// Facing 1..8 for a step whose column and row differences have the given
// signs: 1 up, then clockwise; no difference at all faces up.
int StepFacing(int dc, int dr);

// One step of `object` toward (col, row): one cell, diagonals allowed,
// whatever the distance. Turns it to the step's facing, moves it and spends a
// move. Returns false, changing nothing, when it has no moves left or the
// target cell does not take it.
bool StepToward(Game& game, int object, int col, int row);

// The cell a step of `unit` toward (col, row) goes to.
TFootprint StepTarget(const TGameObject& unit, int col, int row);

// The step itself, once the rules allowed it (the target cell takes the unit
// and a move is left; the order's check holds them): turns, moves, spends a
// move. A slot out of the table or free is ignored.
void MakeStep(Game& game, int object, int col, int row);

}  // namespace tarq
