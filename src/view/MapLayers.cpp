#include "view/MapLayers.h"

#include <algorithm>
#include <utility>

#include "core/Factory.h"
#include "core/World.h"
#include "view/Overlays.h"
#include "world/Deposits.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"

namespace tarq {

namespace {

void ClearRegion(Game& game) {
    TMapCell empty;
    for (auto& layer : empty.Layers) layer = EmptySpriteRef;
    const int width = std::clamp(game.World.MapWidth + 3, 0, kGridSpan);
    const int height = std::clamp(game.World.MapHeight + 3, 0, kGridSpan);
    for (int col = 0; col < width; ++col) {
        TMapCell* cells = &game.Map(col, 0);
        std::fill(cells, cells + height, empty);
    }
}

// A builder's site is finished once no turn is left: its marker stays until
// the site is emptied.
void MarkFinishedSites(Game& game) {
    for (const TGameObject& o : std::as_const(game.World.Objects))
        if (SlotInUse(o) && o.OrderState == 1 && o.TurnsLeft == 0) MarkReady(game, o);
}

}  // namespace

bool MarkReady(Game& game, const TGameObject& builder) {
    if (builder.SiteObject < 1 || builder.SiteObject > kMaxObjects) return false;
    const TGameObject& site = game.Object(builder.SiteObject);
    if (!SlotInUse(site)) return false;
    const int cells = std::min<int>(site.CellCount, TFootprint::size());
    for (int j = 1; j <= cells; ++j) {
        const TCellPos cell = site.Cells[j];
        if (!game.InMap(cell.col, cell.row)) continue;
        TSpriteRef& marker = game.Map(cell.col, cell.row).Layers[kLayerReady];
        marker.Spr = static_cast<i16>(builder.BuildLink - 1);
        marker.idU = kReadyMarkerSheet;
        marker.show = 1;
        marker.id = static_cast<i16>(builder.SiteObject);
    }
    return true;
}

void RebuildMapLayers(Game& game) {
    ClearRegion(game);
    SetTerrainLayer(game);
    if (game.UseLandingSectors == 1) ShowLandingArea(game, CurrentPlayerEntry(game).BasePlaced == 0);
    CopyResourcesToMap(game);
    ApplyGeologyOverlay(game);
    UpdateConnectorPictures(game);
    RebuildObjectLayersFull(game);
    MarkFinishedSites(game);
}

}  // namespace tarq
