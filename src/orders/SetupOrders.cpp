// The rules of the new game and of each player's setup: the map, the players,
// the gold, the clan, the restrictions, the colour, the landing sectors, the
// purchases, and "Старт". Before the match begins the first player sets up
// the game; afterwards each player's own choices stay open until they join.
#include "control/Turns.h"
#include "core/Players.h"
#include "core/Random.h"
#include "orders/Execute.h"
#include "orders/OrderRules.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "setup/Purchases.h"
#include "setup/Shop.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"

namespace tarq::orders {

namespace {

// The game itself (map, players, gold) is set up until the first "Старт".
Verdict GameOpen(const Game& game) {
    return MatchStarted(game) ? Verdict::No("Игра уже начата: карту, игроков и золото не изменить") : Verdict::Yes();
}

// A player's own choices stay open until they join, and in a game of several
// players until their base lands: each turn before that they may choose again.
// The orders are the current player's (Check), whose landing is BasePlaced.
Verdict PlayerOpen(const Game& game, u8 player) {
    if (!IsPlayer(game, player) || CurrentPlayerEntry(game).BasePlaced != 0) return Verdict::No();
    const bool joined = game.Players.Table[player].Joined != 0;
    return !joined || JoiningPlayer(game) ? Verdict::Yes() : Verdict::No();
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

// A cell a base could land on once the start has shown the landing area:
// in a sector the player marked, plain land, and no other player's.
bool AnyLandingCell(const Game& game) {
    for (int c = 1; c <= game.World.MapWidth; ++c)
        for (int r = 1; r <= game.World.MapHeight; ++r)
            if (CellMarkedForLanding(game, c, r) && game.World.Passability(c, r) == kPassLand &&
                !CellOfAnotherPlayer(game, c, r))
                return true;
    return false;
}

// What the start says of the landing sectors (ApplyLandingSectors' refusals),
// read without touching the map. With several players the sectors always count.
std::string SectorRefusal(const Game& game) {
    const bool several = SeveralPlayers(game);
    if (!several && game.UseLandingSectors != 1) return {};
    const int claimed = ClaimedSectorCount(game);
    if (claimed == 0) return several ? kSectorsRequiredMessage : kNoSectorsMessage;
    if (claimed > SectorShare(game)) return OverShareMessage(game);
    return AnyLandingCell(game) ? std::string() : kNoLandInSectorsMessage;
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
void RunOrder(Game& game, u8, const cmd::UseSectors& c, Outcome&) { game.UseLandingSectors = c.on != 0 ? 1 : 0; }

Verdict CheckOrder(const Game& game, u8, const cmd::GenerateMap& c) {
    if (c.sizeItem > 5 || c.model > 1) return Verdict::No();
    return GameOpen(game);
}
// Every reseed of the generation takes the order's seed, so the map follows
// from the order alone; the game's random source goes on from where the
// generation left it.
void RunOrder(Game& game, u8, const cmd::GenerateMap& c, Outcome&) {
    RandomSource rng([seed = c.seed] { return seed; });
    if (c.byButton != 0)
        GenerateFromControls(game, ControlsOf(c), rng);
    else
        GenerateMap(game, ReadMapParameters(game, ControlsOf(c)), rng);
    game.Rng.SetSeed(rng.Seed());
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
// A colour a player who has joined already keeps is refused (nothing changes).
void RunOrder(Game& game, u8, const cmd::SetColour& c, Outcome& out) {
    if (std::string refused = ChoosePlayerColour(game, c.colour); !refused.empty()) {
        out.accepted = false;
        out.reason = std::move(refused);
    }
}

// Sectors stay open until the player's base has landed.
Verdict CheckOrder(const Game& game, u8 player, const cmd::ToggleSector& c) {
    if (c.sectorCol >= kSectorGrid || c.sectorRow >= kSectorGrid || !IsPlayer(game, player)) return Verdict::No();
    if (CurrentPlayerEntry(game).BasePlaced != 0) return Verdict::No();
    return game.World.LandingSectors[c.sectorCol][c.sectorRow] == kSectorTaken
               ? Verdict::No("Этот сектор занял другой игрок")
               : Verdict::Yes();
}
// A free sector past the player's share stays free.
void RunOrder(Game& game, u8, const cmd::ToggleSector& c, Outcome& out) {
    const u8 before = game.World.LandingSectors[c.sectorCol][c.sectorRow];
    Image2MouseDownToggle(game, c.sectorCol * kSectorPixels, c.sectorRow * kSectorPixels);
    out.accepted = game.World.LandingSectors[c.sectorCol][c.sectorRow] != before;
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::BuyType& c) {
    if (Verdict open = PlayerOpen(game, player); !open.accepted) return open;
    if (c.type < 1 || c.type > kDefinedTypes) return Verdict::No();
    if (CurrentPlayerEntry(game).Purchasable[c.type] == 0) return Verdict::No("Этот тип купить нельзя");
    if (CurrentPlayerEntry(game).Credits < game.UnitStats[c.type].Cost) return Verdict::No("Не хватает кредитов");
    return Verdict::Yes();
}
void RunOrder(Game& game, u8, const cmd::BuyType& c, Outcome&) { BuyType(game, c.type); }

// Five units of cargo for a credit on the cargo row of a purchase: "+" while
// they fit and a credit is left, "-" while five are loaded.
Verdict CheckOrder(const Game& game, u8 player, const cmd::CargoStep& c) {
    if (c.entry >= kPurchaseEntries) return Verdict::No();
    if (Verdict open = PlayerOpen(game, player); !open.accepted) return open;
    const TPurchase& p = game.PurchaseList(c.entry);
    if (p.TypeId < 1 || p.TypeId > kTypeCount || game.UnitStats[p.TypeId].CargoKind == 0) return Verdict::No();
    if (c.more == 0) return p.Cargo >= 5 ? Verdict::Yes() : Verdict::No();
    if (p.Cargo + 5 > game.UnitStats[p.TypeId].CargoCapacity) return Verdict::No();
    return CurrentPlayerEntry(game).Credits > 0 ? Verdict::Yes() : Verdict::No("Не хватает кредитов");
}
void RunOrder(Game& game, u8, const cmd::CargoStep& c, Outcome&) {
    SelectCargoCell(game, c.entry, "Груз", c.more != 0 ? "+" : "-");
}

// "Старт": on a map, with landing sectors the player's base can land in;
// the match begins with the first.
Verdict CheckOrder(const Game& game, u8 player, const cmd::Join& c) {
    if (Verdict open = PlayerOpen(game, player); !open.accepted) return open;
    if (c.terrainSet > 3 || game.World.MapWidth == 0) return Verdict::No();
    if (std::string refused = SectorRefusal(game); !refused.empty()) return Verdict::No(std::move(refused));
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::Join& c, Outcome&) {
    ApplyLandingSectors(game, game.UseLandingSectors == 1);
    ApplyLaunchChoices(game, JoiningPlayer(game) ? game.World.TerrainSet : c.terrainSet,
                       CurrentPlayerEntry(game).PlayerClan);
    if (SeveralPlayers(game))
        JoinCurrentPlayer(game);
    else
        game.Players.Table[1].Joined = 1;
}

}  // namespace tarq::orders
