// The rules of the new game and of each player's setup: the map, the players,
// the gold, the clan, the restrictions, the colour, the landing sectors, the
// purchases, and "Старт". Before the match begins the first player sets up
// the game; afterwards each player's own choices stay open until they join.
#include "control/Turns.h"
#include "core/Players.h"
#include "orders/OrderRules.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "setup/Purchases.h"
#include "setup/Shop.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"

namespace tarq::orders {

namespace {

bool AnyoneJoined(const Game& game) {
    for (int p = 1; p <= game.Players.Count; ++p)
        if (game.Players.Table[p].Joined != 0) return true;
    return false;
}

// The game itself (map, players, gold) is set up until the first "Старт".
Verdict GameOpen(const Game& game) {
    return AnyoneJoined(game) ? Verdict::No("Игра уже начата: карту, игроков и золото не изменить") : Verdict::Yes();
}

// A player's own choices stay open until they join.
Verdict PlayerOpen(const Game& game, u8 player) {
    return IsPlayer(game, player) && game.Players.Table[player].Joined == 0 ? Verdict::Yes() : Verdict::No();
}

MapControls ControlsOf(const cmd::GenerateMap& c) {
    MapControls m;
    m.mapSizeItem = c.sizeItem;
    m.model = c.model;
    m.ismass = c.ismass;
    m.landMass = c.landMass;
    m.stripCount = c.stripCount;
    m.stripLength = c.stripLength;
    m.stripWidth = c.stripWidth;
    m.mountains = c.mountains;
    m.stones = c.stones;
    m.deposits = c.deposits;
    return m;
}

}  // namespace

Verdict CheckOrder(const Game& game, u8, const cmd::SetPlayerCount& c) {
    if (c.count < 1 || c.count > kMaxPlayers) return Verdict::No();
    return GameOpen(game);
}
void RunOrder(Game& game, u8, const cmd::SetPlayerCount& c, Outcome&) { SetPlayerCount(game, c.count); }

Verdict CheckOrder(const Game& game, u8, const cmd::SetStartGold& c) {
    if (c.gold < 0 || c.gold > 32767) return Verdict::No();
    return GameOpen(game);
}
void RunOrder(Game& game, u8, const cmd::SetStartGold& c, Outcome&) { ChooseStartGold(game, c.gold); }

Verdict CheckOrder(const Game& game, u8, const cmd::UseSectors&) { return GameOpen(game); }
void RunOrder(Game& game, u8, const cmd::UseSectors& c, Outcome&) {
    game.UseLandingSectors = c.on != 0 ? 1 : 0;
}

Verdict CheckOrder(const Game& game, u8, const cmd::GenerateMap& c) {
    if (c.sizeItem > 5 || c.model > 1) return Verdict::No();
    return GameOpen(game);
}
void RunOrder(Game& game, u8, const cmd::GenerateMap& c, Outcome&) {
    game.Rng.SetSeed(c.seed);
    GenerateFromControls(game, ControlsOf(c), game.Rng);
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::SetClan& c) {
    return c.clan < kClanCount ? PlayerOpen(game, player) : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::SetClan& c, Outcome&) { CurrentPlayerEntry(game).PlayerClan = c.clan; }

Verdict CheckOrder(const Game& game, u8 player, const cmd::SetRestrictions&) { return PlayerOpen(game, player); }
void RunOrder(Game& game, u8, const cmd::SetRestrictions& c, Outcome&) {
    game.NewGameChoices = {c.noStructures != 0 ? u8{1} : u8{0}, c.noAlienUnits != 0 ? u8{1} : u8{0}};
    ApplyPurchaseRestrictions(game, c.noStructures != 0, c.noAlienUnits != 0);
    ResetPurchases(game);
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::SetColour& c) {
    return c.colour < kTeamColourCount ? PlayerOpen(game, player) : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::SetColour& c, Outcome& out) {
    if (std::string refused = ChoosePlayerColour(game, c.colour); !refused.empty())
        out.messages.push_back({refused, MessageWeight::Warning});
}

// Sectors stay open until the player's base has landed.
Verdict CheckOrder(const Game& game, u8 player, const cmd::ToggleSector& c) {
    if (c.sectorCol >= kSectorGrid || c.sectorRow >= kSectorGrid || !IsPlayer(game, player)) return Verdict::No();
    if (CurrentPlayerEntry(game).BasePlaced != 0) return Verdict::No();
    return game.World.LandingSectors[c.sectorCol][c.sectorRow] == kSectorTaken
               ? Verdict::No("Этот сектор занял другой игрок")
               : Verdict::Yes();
}
void RunOrder(Game& game, u8, const cmd::ToggleSector& c, Outcome&) {
    Image2MouseDownToggle(game, c.sectorCol * kSectorPixels, c.sectorRow * kSectorPixels);
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::BuyType& c) {
    if (Verdict open = PlayerOpen(game, player); !open.accepted) return open;
    if (c.type < 1 || c.type > kDefinedTypes) return Verdict::No();
    if (CurrentPlayerEntry(game).Purchasable[c.type] == 0) return Verdict::No("Этот тип купить нельзя");
    if (CurrentPlayerEntry(game).Credits < game.UnitStats[c.type].Cost) return Verdict::No("Не хватает кредитов");
    return Verdict::Yes();
}
void RunOrder(Game& game, u8, const cmd::BuyType& c, Outcome&) { BuyType(game, c.type); }

Verdict CheckOrder(const Game& game, u8 player, const cmd::CargoStep& c) {
    return c.entry < kPurchaseEntries ? PlayerOpen(game, player) : Verdict::No();
}
void RunOrder(Game& game, u8, const cmd::CargoStep& c, Outcome&) {
    SelectCargoCell(game, c.entry, "Груз", c.more != 0 ? "+" : "-");
}

// "Старт": the sectors must hold a claim; the match begins with the first.
Verdict CheckOrder(const Game& game, u8 player, const cmd::Join& c) {
    if (Verdict open = PlayerOpen(game, player); !open.accepted) return open;
    if (c.terrainSet > 3 || game.World.MapWidth == 0) return Verdict::No();
    // With several players every one lands in sectors of their own.
    if (game.UseLandingSectors == 1 || SeveralPlayers(game)) {
        bool claimed = false;
        for (const auto& column : game.World.LandingSectors)
            for (u8 sector : column) claimed = claimed || sector == kSectorClaimed;
        if (!claimed) return Verdict::No(kNoSectorsMessage);
    }
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::Join& c, Outcome&) {
    ApplyLandingSectors(game, game.UseLandingSectors == 1);
    ApplyLaunchChoices(game, JoiningPlayer(game) ? game.World.TerrainSet : c.terrainSet, CurrentPlayerEntry(game).PlayerClan);
    if (SeveralPlayers(game)) JoinCurrentPlayer(game);
    else game.Players.Table[1].Joined = 1;
}

}  // namespace tarq::orders
