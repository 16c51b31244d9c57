// While a construction site is being positioned, the mouse moves it among the
// four 2 x 2 blocks that contain its builder's cell.
#pragma once

#include "core/GameState.h"

namespace tarq {

// The 2 x 2 block around the builder's cell (bc, br) that lies toward the
// hovered cell; a hovered column equal to bc counts as left, a row equal to
// br as up.
TFootprint SiteCandidate(int bc, int br, int hoverCol, int hoverRow);

// In click mode 1: the site (LastCreatedObject) takes the candidate block
// toward the hovered cell when the placement test allows it there, and
// otherwise stays; the object layers are then rebuilt. Returns false, doing
// nothing, in the other modes or without a site.
bool MoveSiteWithMouse(Game& game);
// The same toward cell (col, row).
bool MoveSiteToward(Game& game, int col, int row);
// Whether cell (col, row) points the site being placed at another block
// than the one it stands on (which may still be refused as blocked).
bool SiteWouldMove(const Game& game, int col, int row);
// Whether the block toward (col, row) holds an object the current player
// does not see (under the fog): the site is refused with "место занято".
bool SiteBlockedByHidden(const Game& game, int col, int row);

}  // namespace tarq
