#include "control/TurnPhases.h"

#include <utility>

#include "control/Economy.h"
#include "core/Players.h"

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

void BeginTurn(Game& game, u8 ended) {
    if (ended >= 1 && ended <= kMaxPlayers) game.Notices[ended].clear();
    RunEconomy(game, game.CurrentPlayer);
    LandReinforcements(game, game.CurrentPlayer);
}

}  // namespace tarq
