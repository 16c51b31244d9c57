// Landing sectors: a 10 x 10 grid over the map where the player claims the
// places the initial base may land, marked on the 160 x 160 preview.
#pragma once

#include "core/Bitmap.h"
#include "core/GameState.h"

namespace tarq {

constexpr int kSectorPicture = 160;  // the preview and its grid, in pixels
constexpr int kSectorPixels = 16;    // one sector on the grid picture
constexpr int kNoSector = kSectorGrid;

enum SectorState : u8 { kSectorFree = 0, kSectorClaimed = 1, kSectorTaken = 2 };

// The see-through background of the grid picture: the window shows the
// preview wherever the grid holds this value.
constexpr Pixel kSectorGridTransparent = 0x00000000u;
constexpr Pixel kSectorNavy = FromBgr(0x800000);
constexpr Pixel kSectorRed = FromBgr(0x0000FF);

// Sector number (0..9) of a cell column or row on a map of `mapSize` cells:
// cellCoord div (mapSize div 10). Sector 0 holds one column fewer than the
// others and the last column or row gives 10, no sector. Before any map is
// sized (mapSize below 10) every cell gives 10.
int SectorOf(int cellCoord, int mapSize);

// True when map cell (col, row) lies in a sector holding `state`.
bool CellInSectorState(const Match& game, int col, int row, u8 state);

// Whether map cell (col, row) lies in a sector the current player marked
// (any value but 0 and 2); the last column and row lie in no sector.
bool CellMarkedForLanding(const Game& game, int col, int row);

// The landing area on the map: with `restricted`, layer 1 is shown exactly on
// the cells whose sector the current player marked (any value but 0 and 2)
// and hidden elsewhere, the last column and row included; without, it is
// shown on every cell.
void ShowLandingArea(Game& game, bool restricted);

// LandingSectors as player `player` sees them: 1 where they claimed, 2 where
// another player of the game did, 0 elsewhere (the claims come from the
// players' table).
void SectorsSeenBy(Match& game, int player);

// How many sectors one player may claim: an equal share of the 100 for every
// player of the game, so whoever claims first still leaves each later player
// as many as they had (all 100 in a game of one player).
int SectorShare(const Match& game);

// The sectors the current player has claimed (holding 1).
int ClaimedSectorCount(const Match& game);

// A press at pixel (x, y) of the 160 x 160 grid picture: a free sector becomes
// claimed while the player holds fewer than their share, a claimed one free,
// in LandingSectors and in the current player's entry alike; other values stay. Presses outside the picture are
// ignored. Works whether or not a map exists.
void Image2MouseDownToggle(Game& game, int x, int y);

// The 160 x 160 grid picture: transparent background, one rectangle per
// sector outlined navy, filled navy when claimed, red when taken.
Bitmap DrawSectorGrid(const Game& game);

// A rectangle as the window toolkit draws it: outline in `pen` from (left, top)
// to (right - 1, bottom - 1), interior filled with `brush` when `solid`.
void DrawRectangle(Bitmap& picture, int left, int top, int right, int bottom, Pixel pen, bool solid, Pixel brush);

}  // namespace tarq
