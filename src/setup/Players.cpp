#include "setup/Players.h"

#include <algorithm>
#include <limits>

#include "core/Catalogue.h"
#include "core/Players.h"
#include "setup/Purchases.h"

namespace tarq {

namespace {

bool ColourTaken(const Game& game, int colour, int except) {
    for (int p = 1; p <= game.Players.Count; ++p)
        if (p != except && game.Players.Table[p].Colour == colour) return true;
    return false;
}

void StartOtherPlayers(Game& game) {
    const i16 credits = static_cast<i16>(
        std::clamp<i32>(game.World.StartGold, std::numeric_limits<i16>::min(), std::numeric_limits<i16>::max()));
    for (int p = 1; p <= game.Players.Count; ++p) {
        if (p == game.CurrentPlayer) continue;
        TPlayer& player = game.Players.Table[p];
        player.Credits = credits;
        player.Restrictions = {};
        for (int t = 1; t <= kTypeCount; ++t) player.Purchasable[t] = CataloguePurchasable(t);
        ResetPurchaseList(game, player.Purchases);
        for (auto& column : player.Sectors) std::fill(std::begin(column), std::end(column), u8{0});
    }
}

}  // namespace

void SetPlayerCount(Game& game, int count) {
    count = std::clamp(count, 1, kMaxPlayers);
    TPlayers& players = game.Players;
    for (int p = count + 1; p <= kMaxPlayers; ++p) players.Table[p] = TPlayer{}, game.PlayerViews[p] = {};
    players.Count = static_cast<u8>(count);
    for (int p = 1; p <= count; ++p) {
        TPlayer& player = players.Table[p];
        if (player.Number != 0) continue;
        player.Number = static_cast<u8>(p);
        player.Colour = 0;
        while (ColourTaken(game, player.Colour, p)) ++player.Colour;
    }
}

std::string ChoosePlayerColour(Game& game, int colour) {
    const int me = game.CurrentPlayer;
    if (colour < 0 || colour >= kTeamColourCount || !IsPlayer(game, me)) return {};
    TPlayer& mine = game.Players.Table[me];
    for (int p = 1; p <= game.Players.Count; ++p) {
        TPlayer& other = game.Players.Table[p];
        if (p == me || other.Colour != colour) continue;
        if (other.Joined == 1)
            return std::string("Этот цвет уже выбрал игрок ") + std::to_string(p) + ". Выберите другой.";
        other.Colour = mine.Colour;
    }
    mine.Colour = static_cast<u8>(colour);
    return {};
}

bool JoiningPlayer(const Match& game) {
    const int me = game.CurrentPlayer;
    if (!SeveralPlayers(game) || !IsPlayer(game, me) || game.Players.Table[me].BasePlaced == 1) return false;
    for (int p = 1; p <= game.Players.Count; ++p)
        if (game.Players.Table[p].Joined == 1) return true;
    return false;
}

void JoinCurrentPlayer(Game& game) {
    const int me = game.CurrentPlayer;
    if (!IsPlayer(game, me)) return;
    bool firstLaunch = true;
    for (int p = 1; p <= game.Players.Count; ++p) firstLaunch = firstLaunch && game.Players.Table[p].Joined == 0;
    if (firstLaunch) StartOtherPlayers(game);
    game.Players.Table[me].Joined = 1;
}

}  // namespace tarq
