#include "orders/Replay.h"

#include "core/StateHash.h"
#include "core/World.h"
#include "orders/Execute.h"

namespace tarq {

ReplayResult Replay(Game& game, const std::vector<LoggedOrder>& entries, std::size_t from, std::size_t to) {
    ReplayResult result;
    // The picture layers follow once at the end, not after every order.
    game.LayerStamps.Deferred = true;
    for (std::size_t i = from; i < to && i < entries.size(); ++i) {
        if (entries[i].turn != game.Turn || !Execute(game, entries[i].order, ExecuteMode::Replay).accepted) {
            result.ok = false;
            result.failedAt = i;
            break;
        }
    }
    game.LayerStamps.Deferred = false;
    RebuildObjectLayers(game);
    result.hash = StateHash(game);
    return result;
}

}  // namespace tarq
