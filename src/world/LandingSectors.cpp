#include "world/LandingSectors.h"

#include <algorithm>

namespace tarq {

int SectorOf(int cellCoord, int mapSize) {
    const int cellsPerSector = mapSize / kSectorGrid;
    if (cellsPerSector <= 0 || cellCoord < 0) return kNoSector;
    const int sector = cellCoord / cellsPerSector;
    return sector > kNoSector ? kNoSector : sector;
}

bool CellInSectorState(const Match& game, int col, int row, u8 state) {
    const int sx = SectorOf(col, game.World.MapWidth), sy = SectorOf(row, game.World.MapHeight);
    if (sx >= kSectorGrid || sy >= kSectorGrid) return false;
    return game.World.LandingSectors[sx][sy] == state;
}

bool CellMarkedForLanding(const Game& game, int col, int row) {
    const int sx = SectorOf(col, game.World.MapWidth), sy = SectorOf(row, game.World.MapHeight);
    // The last column and row (and anything past ten sectors) lie in no sector.
    if (sx < 0 || sx >= kSectorGrid || sy < 0 || sy >= kSectorGrid) return false;
    const u8 entry = game.World.LandingSectors[sx][sy];
    return entry != kSectorFree && entry != kSectorTaken;
}

void ShowLandingArea(Game& game, bool restricted) {
    for (int x = 1; x <= game.World.MapWidth; ++x)
        for (int y = 1; y <= game.World.MapHeight; ++y)
            game.Map(x, y).Layers[kLayerTerrain].show = (!restricted || CellMarkedForLanding(game, x, y)) ? 1 : 0;
}

void SectorsSeenBy(Match& game, int player) {
    const TPlayers& players = game.Players;
    for (int sx = 0; sx < kSectorGrid; ++sx)
        for (int sy = 0; sy < kSectorGrid; ++sy) {
            u8 seen = kSectorFree;
            for (int p = 1; p <= players.Count && p <= kMaxPlayers; ++p)
                if (players.Table[p].Sectors[sx][sy] != 0 && seen != kSectorClaimed)
                    seen = p == player ? kSectorClaimed : kSectorTaken;
            game.World.LandingSectors[sx][sy] = seen;
        }
}

int SectorShare(const Match& game) {
    return kSectorGrid * kSectorGrid / std::clamp<int>(game.Players.Count, 1, kMaxPlayers);
}

int ClaimedSectorCount(const Match& game) {
    int claimed = 0;
    for (const auto& column : game.World.LandingSectors)
        for (u8 entry : column) claimed += entry == kSectorClaimed ? 1 : 0;
    return claimed;
}

void Image2MouseDownToggle(Game& game, int x, int y) {
    if (x < 0 || y < 0 || x >= kSectorPicture || y >= kSectorPicture) return;
    const int sx = x / kSectorPixels, sy = y / kSectorPixels;
    u8& sector = game.World.LandingSectors[sx][sy];
    if (sector == kSectorFree) {
        if (ClaimedSectorCount(game) < SectorShare(game)) sector = kSectorClaimed;
    } else if (sector == kSectorClaimed) {
        sector = kSectorFree;
    }
    // The claim is the player's: their entry holds it, the map's sectors show it.
    if (sector == kSectorFree || sector == kSectorClaimed)
        CurrentPlayerEntry(game).Sectors[sx][sy] = sector == kSectorClaimed ? 1 : 0;
}

void DrawRectangle(Bitmap& picture, int left, int top, int right, int bottom, Pixel pen, bool solid, Pixel brush) {
    if (right - left < 1 || bottom - top < 1) return;
    for (int x = left; x < right; ++x) {
        picture.set(x, top, pen);
        picture.set(x, bottom - 1, pen);
    }
    for (int y = top; y < bottom; ++y) {
        picture.set(left, y, pen);
        picture.set(right - 1, y, pen);
    }
    if (!solid) return;
    for (int y = top + 1; y < bottom - 1; ++y)
        for (int x = left + 1; x < right - 1; ++x) picture.set(x, y, brush);
}

Bitmap DrawSectorGrid(const Game& game) {
    Bitmap grid(kSectorPicture, kSectorPicture, kSectorGridTransparent);
    const Pixel pen = kSectorNavy;
    Pixel brush = kSectorNavy;
    for (int sy = 0; sy < kSectorGrid; ++sy)
        for (int sx = 0; sx < kSectorGrid; ++sx) {
            const u8 state = game.World.LandingSectors[sx][sy];
            // Values 3 and 4 keep the brush colour of the sector drawn before.
            if (state == kSectorClaimed || state > 4) brush = kSectorNavy;
            if (state == kSectorTaken) brush = kSectorRed;
            const int left = kSectorPixels * sx + 1, top = kSectorPixels * sy + 1;
            DrawRectangle(grid, left, top, left + 17, top + 17, pen, state != kSectorFree, brush);
        }
    return grid;
}

}  // namespace tarq
