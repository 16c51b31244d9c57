#include "control/SitePreview.h"

#include "core/Factory.h"
#include "core/Players.h"
#include "core/World.h"

namespace tarq {

TFootprint SiteCandidate(int bc, int br, int hoverCol, int hoverRow) {
    const int col = hoverCol <= bc ? bc - 1 : bc;
    const int row = hoverRow <= br ? br - 1 : br;
    return BlockFootprint(col, row);
}

bool MoveSiteWithMouse(Game& game) {
    const int site = game.LastCreatedObject;
    if (game.ClickMode != kClickPlaceSite || site < 1 || site > kMaxObjects || !SlotInUse(game.Object(site)))
        return false;
    TGameObject& s = game.Object(site);
    const TFootprint kept = s.Cells;
    const TFootprint candidate = SiteCandidate(game.SiteBuilderCol, game.SiteBuilderRow, game.HoverCol, game.HoverRow);
    // Parked off the map for the test, so the site does not block itself.
    for (TCellPos& p : s.Cells)
        p = {static_cast<i16>(game.World.MapWidth + 2), static_cast<i16>(game.World.MapHeight + 2)};
    const bool takes = CanPlace(game, candidate, s.Stats.Movement) != 0 && !FootprintOfAnotherPlayer(game, candidate);
    s.Cells = takes ? candidate : kept;
    RebuildObjectLayers(game);
    return true;
}

}  // namespace tarq
