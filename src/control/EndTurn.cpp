#include "control/EndTurn.h"

#include <algorithm>

#include "control/Turns.h"
#include "core/Players.h"

namespace tarq {

namespace {

// The builder's site, or nullptr when its number is outside the table or
// names a free slot (then there is nothing to mark).
TGameObject* SiteOf(Game& game, const TGameObject& builder) {
    if (builder.SiteObject < 1 || builder.SiteObject > kMaxObjects) return nullptr;
    TGameObject& site = game.Object(builder.SiteObject);
    return site.Owner != 0 ? &site : nullptr;
}

// Writes the ready marker into layer 8 of the site's first CellCount cells.
bool MarkReady(Game& game, const TGameObject& builder) {
    const TGameObject* site = SiteOf(game, builder);
    if (!site) return false;
    const int cells = std::min<int>(site->CellCount, TFootprint::size());
    for (int j = 1; j <= cells; ++j) {
        const TCellPos cell = site->Cells[j];
        if (!game.InMap(cell.col, cell.row)) continue;
        TSpriteRef& marker = game.Map(cell.col, cell.row).Layers[kLayerReady];
        marker.Spr = static_cast<i16>(builder.BuildLink - 1);
        marker.idU = kReadyMarkerSheet;
        marker.show = 1;
        marker.id = static_cast<i16>(builder.SiteObject);
    }
    return true;
}

// One turn of a builder at work: a turn and its material spent, then the
// marker once no turn is left.
void AdvanceConstruction(Game& game, TGameObject& builder) {
    if (builder.TurnsLeft > 0) {
        --builder.TurnsLeft;
        builder.Cargo = static_cast<u8>(builder.Cargo - builder.MaterialPerTurn);
    }
    if (builder.TurnsLeft == 0 && MarkReady(game, builder)) game.ReadyLayerOn = 1;
}

// A builder of another player whose site is finished and waits for its exit:
// its marker stays drawn and selectable.
bool FinishedSiteWaits(Game& game, const TGameObject& builder) {
    return builder.OrderState == 1 && builder.TurnsLeft == 0 && SiteOf(game, builder) != nullptr;
}

}  // namespace

void EndTurn(Game& game) {
    game.ReadyLayerOn = 0;
    const bool several = SeveralPlayers(game);
    const u8 player = game.ViewSettings.CurrentPlayer;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        TGameObject& o = game.Object(slot);
        if (several && o.Owner != player) {
            if (FinishedSiteWaits(game, o)) game.ReadyLayerOn = 1;
            continue;
        }
        if (o.Stats.Speed > o.MovesLeft) o.MovesLeft = o.Stats.Speed;
        if (o.OrderState == 1) AdvanceConstruction(game, o);
    }
    PassTurn(game);
}

}  // namespace tarq
