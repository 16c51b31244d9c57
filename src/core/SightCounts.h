// The engine of each player's sight: per-cell counters of the scan circles
// that cover a cell, kept up to date one slot at a time, and the explored
// bits they leave behind. Every rule that moves, makes, frees or hands over
// an object calls FollowSlot for it (the factory and the release do); the
// executor follows every slot once more after each order, so nothing a rule
// forgot can leave the counters wrong.
#pragma once

#include "core/parts/Match.h"

namespace tarq {

// The scan circle: the cells (dc, dr) off its centre with
// dc * dc + dr * dr <= radius * (radius + 1), as the "Обзоры" overlay and the
// range draw it. The widest column offset of row offset `dr`, or -1 when the
// row lies outside the circle.
int CircleReach(int radius, int dr);

// What `slot` adds to sight now: its owner's circle of its Scan around its
// first cell (for a builder waiting off the map while its site is placed, the
// cell it returns to); no circle when the slot is free or that cell is off
// the map. A construction site's circle is its own cell until it is built.
TSightSource SightSourceOf(const Match& match, int slot);

// Brings the counters up to date with `slot`: its old circle (as recorded)
// leaves them, its present circle enters them and marks its cells explored.
void FollowSlot(Match& match, int slot);

// FollowSlot for every slot.
void FollowAllSlots(Match& match);

// Counters and records from scratch (a game read or set up); explored cells
// are kept, and every cell in sight is explored.
void RebuildSight(Match& match);

// Forgets everything of sight and memory, explored cells included (a new game).
void ClearSight(Match& match);

// The number of `player`'s circles covering (col, row); 0 off the map.
int SightCount(const Match& match, u8 player, int col, int row);

// Whether `player` has ever had (col, row) in sight.
bool Explored(const Match& match, u8 player, int col, int row);

// Every counter recomputed from the objects, compared with the kept ones:
// true when they agree (for the invariant checker and tests).
bool SightMatchesRecount(const Match& match);

}  // namespace tarq
