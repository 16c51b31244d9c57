#include "control/SitePreview.h"

#include "core/Factory.h"
#include "core/Players.h"
#include "core/Sight.h"
#include "core/World.h"

namespace tarq {

TFootprint SiteCandidate(int bc, int br, int hoverCol, int hoverRow) {
    const int col = hoverCol <= bc ? bc - 1 : bc;
    const int row = hoverRow <= br ? br - 1 : br;
    return BlockFootprint(col, row);
}

namespace {

int PlacedSite(const Game& game) {
    const int site = game.LastCreatedObject;
    if (game.ClickMode != kClickPlaceSite || site < 1 || site > kMaxObjects || !SlotInUse(game.Object(site))) return 0;
    return site;
}

}  // namespace

bool SiteWouldMove(const Game& game, int col, int row) {
    const int site = PlacedSite(game);
    return site != 0 && SiteCandidate(game.SiteBuilderCol, game.SiteBuilderRow, col, row) != game.Object(site).Cells;
}

bool SiteBlockedByHidden(const Game& game, int col, int row) {
    const int site = PlacedSite(game);
    if (site == 0 || !FogCovers(game, game.CurrentPlayer)) return false;
    const TFootprint candidate = SiteCandidate(game.SiteBuilderCol, game.SiteBuilderRow, col, row);
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.Object(slot);
        if (slot == site || !SlotInUse(o) || SeesObject(game, game.CurrentPlayer, slot)) continue;
        for (const TCellPos& p : candidate)
            for (int k = 1; k <= (o.CellCount == 4 ? 4 : 1); ++k)
                if (o.Cells[k] == p) return true;
    }
    return false;
}

bool MoveSiteToward(Game& game, int col, int row) {
    const int site = PlacedSite(game);
    if (site == 0) return false;
    TGameObject& s = game.Object(site);
    const TFootprint kept = s.Cells;
    const TFootprint candidate = SiteCandidate(game.SiteBuilderCol, game.SiteBuilderRow, col, row);
    // Parked off the map for the test, so the site does not block itself.
    for (TCellPos& p : s.Cells)
        p = {static_cast<i16>(game.World.MapWidth + 2), static_cast<i16>(game.World.MapHeight + 2)};
    const bool takes = CanPlace(game, candidate, s.Stats.Movement) != 0 && !FootprintOfAnotherPlayer(game, candidate);
    s.Cells = takes ? candidate : kept;
    RebuildObjectLayers(game);
    return true;
}

bool MoveSiteWithMouse(Game& game) { return MoveSiteToward(game, game.HoverCol, game.HoverRow); }

}  // namespace tarq
