#include "control/TurnPhases.h"

#include <utility>

#include "control/Economy.h"
#include "control/PathOrders.h"
#include "core/Players.h"
#include "core/World.h"

namespace tarq {

void AddNotice(Match& match, u8 player, int col, int row, std::string text) {
    if (player < 1 || player > kMaxPlayers) return;
    std::vector<TNotice>& list = match.Notices[player];
    if (list.size() >= kMaxNotices) list.erase(list.begin());
    list.push_back({static_cast<i16>(col), static_cast<i16>(row), std::move(text)});
}

const std::vector<TNotice>& NoticesOf(const Match& match, u8 player) {
    static const std::vector<TNotice> kNone;
    return player >= 1 && player <= kMaxPlayers ? match.Notices[player] : kNone;
}

namespace {

// Every object of the player on turn gets its type's shots back; the
// ammunition does not come back by itself.
void RefillShots(Game& game) {
    const bool several = SeveralPlayers(game);
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = std::as_const(game).Object(slot);
        if (!SlotInUse(o) || (several && o.Owner != game.CurrentPlayer) || o.ShotsLeft == o.Stats.Shots) continue;
        game.Object(slot).ShotsLeft = o.Stats.Shots;
    }
}

}  // namespace

void ShowOwnMinesOnly(Game& game) {
    const bool several = SeveralPlayers(game);
    bool changed = false;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = std::as_const(game).Object(slot);
        if (!SlotInUse(o) || (o.TypeId != 32 && o.TypeId != 33)) continue;
        const u8 show = !several || o.Owner == game.CurrentPlayer ? 1 : 0;
        if (o.CellSprites[1].show == show) continue;
        for (TSpriteRef& ref : game.Object(slot).CellSprites) ref.show = show;
        changed = true;
    }
    if (changed) RebuildObjectLayers(game);
}

void BeginTurn(Game& game, u8 ended) {
    if (ended >= 1 && ended <= kMaxPlayers) game.Notices[ended].clear();
    WalkPathOrders(game, game.CurrentPlayer);
    RefillShots(game);
    ShowOwnMinesOnly(game);
    RunEconomy(game, game.CurrentPlayer);
    LandReinforcements(game, game.CurrentPlayer);
}

}  // namespace tarq
