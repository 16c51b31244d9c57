#include "control/EndTurn.h"

#include <algorithm>
#include <utility>

#include "control/Turns.h"
#include "core/Players.h"
#include "core/World.h"
#include "view/MapLayers.h"

namespace tarq {

namespace {

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
bool FinishedSiteWaits(const Game& game, const TGameObject& builder) {
    if (builder.OrderState != 1 || builder.TurnsLeft != 0) return false;
    return builder.SiteObject >= 1 && builder.SiteObject <= kMaxObjects && SlotInUse(game.Object(builder.SiteObject));
}

}  // namespace

void EndTurn(Game& game) {
    game.ReadyLayerOn = 0;
    const bool several = SeveralPlayers(game);
    const u8 player = game.CurrentPlayer;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        // Read through a const view: a slot taken mutable counts as written.
        const TGameObject& o = std::as_const(game).Object(slot);
        if (several && o.Owner != player) {
            if (FinishedSiteWaits(game, o)) game.ReadyLayerOn = 1;
            continue;
        }
        const bool renew = o.Stats.Speed > o.MovesLeft;
        // A factory without power does nothing this turn (control/Economy.h).
        const bool builds = o.OrderState == 1 && o.Unpowered == 0;
        if (!renew && !builds) continue;
        TGameObject& w = game.Object(slot);
        if (renew) w.MovesLeft = w.Stats.Speed;
        if (builds) AdvanceConstruction(game, w);
    }
    PassTurn(game);
}

}  // namespace tarq
