// The match: everything the players' orders change and a game file must
// carry to go on exactly where they were, and nothing else. The state hash
// (core/StateHash.h) covers it whole and only it, so two runs that reached
// the same match hash the same whatever their view, mouse or animation did.
#pragma once

#include <string>
#include <vector>

#include "core/CommandLog.h"
#include "core/GameTypes.h"
#include "core/Random.h"
#include "core/parts/Combat.h"
#include "core/parts/PathOrders.h"
#include "core/parts/Sight.h"

namespace tarq {

struct TConnectorCell {
    u8 Owner = 0;
    u8 Present = 0;
};

struct TResourceCell {
    u8 Kind = 0;
    u8 Amount = 0;
};

struct TWorld {
    i32 StartGold = 0;
    CellGrid<u8> Terrain;
    ObjectTable Objects;
    CellGrid<TConnectorCell> Connectors;
    CellGrid<TResourceCell> Resources;
    i16 MapWidth = 0;
    i16 MapHeight = 0;
    u8 TerrainSet = 0;
    CellGrid<u8> Passability;
    // The sectors as the current player sees them: 1 where they claimed, 2
    // where another player did (world/LandingSectors.h). Derived from the
    // claims in the players' table whenever the current player changes, and
    // written together with them when the player toggles a sector.
    u8 LandingSectors[kSectorGrid][kSectorGrid] = {};  // [sector column][sector row]
};

// One player and everything that is theirs alone. The current player's
// values are read and written here directly (CurrentPlayerEntry), in a game
// of one player too (entry 1); nothing is copied in or out when the turn
// passes.
struct TPlayer {
    u8 Number = 0;      // 1..8 while in the game, 0 for an unused entry
    u8 PlayerClan = 0;  // the clan list's item, 0-based
    u8 Colour = 0;      // index of the team colour, unique among the players
    u8 Joined = 0;      // 1 once they pressed the start button for this game
    u8 BasePlaced = 0;  // 1 once their initial base has landed
    i16 Credits = 0;    // left for purchases
    TNewGameChoices Restrictions;
    Array1<u8, kTypeCount> Purchasable;             // the types their restrictions leave on sale
    Array1<TPurchase, kPurchaseEntries> Purchases;  // their force, until it lands; entry k at [k + 1]
    u8 Sectors[kSectorGrid][kSectorGrid] = {};      // 1 where they claimed the sector
    bool operator==(const TPlayer&) const = default;
};

struct TPlayers {
    u8 Count = 1;
    Array1<TPlayer, kMaxPlayers> Table;
    bool operator==(const TPlayers&) const = default;
};

// A line of a player's start-of-turn summary: what happened to their side
// since their last turn, at a cell (0, 0 for none) a click centres the map on.
struct TNotice {
    i16 Col = 0;
    i16 Row = 0;
    std::string Text;  // Russian, as the summary shows it
    bool operator==(const TNotice&) const = default;
};
// At most this many lines are kept per player; older lines go first.
constexpr std::size_t kMaxNotices = 200;

struct Match {
    TWorld World;
    TPlayers Players;
    // The player whose turn it is: stamped into the Owner of every object
    // and connector they make. 0 only before the game state is set up, when
    // entry 1 stands for them.
    u8 CurrentPlayer = 0;
    u8 UseLandingSectors = 0;  // the base lands in claimed sectors only

    // Tells this game's files from every other game's (autosaves are kept
    // per game); set once when the game is set up and carried by its files.
    std::uint64_t GameId = 0;
    // Turns played: 1 for the first turn, one more after every END TURN, up
    // to kMaxTurn, where it stays.
    i32 Turn = 1;
    // The game's random source (map generation); its seed is part of the game.
    RandomSource Rng;
    // Every accepted match command since the first "Старт".
    CommandLog Log;
    // Each player's start-of-turn summary: gathered while the others play and
    // at the start of their turn, cleared when they end it.
    Array1<std::vector<TNotice>, kMaxPlayers> Notices;
    // The units' path orders still under way (control/Paths.h).
    PathOrderList PathOrders;
    // Every shot of the match, oldest first (at most kMaxCombatEntries).
    std::vector<TCombatEntry> CombatLog;
    // Fog of war: each player's explored cells, remembered structures and sight.
    TSight Sight;

    // The current player's order in progress: the click mode, the site being
    // placed (LastCreatedObject) and the place its builder waits to return
    // to, the exit cells offered for a finished site and their markers.
    u8 ClickMode = kClickNormal;
    i16 LastCreatedObject = 0;
    i16 SiteBuilder = 0;
    i32 SiteBuilderCol = 0;
    i32 SiteBuilderRow = 0;
    std::array<TFootprint, kExitSlots> ExitCandidates{};
    std::array<i32, kExitSlots> ExitMarkers{};
    // 1 while some finished site waits for its exit: its ready marker shows
    // and can be clicked.
    u8 ReadyLayerOn = 0;

    TGameObject& Object(int slot) { return World.Objects[slot]; }
    const TGameObject& Object(int slot) const { return World.Objects[slot]; }
    bool InMap(int col, int row) const {
        return col >= 1 && col <= World.MapWidth && row >= 1 && row <= World.MapHeight;
    }
    // The current player's purchase list; entries are numbered from 0.
    TPurchase& PurchaseList(int entry);
    const TPurchase& PurchaseList(int entry) const;
};

// The current player's entry of the players' table; entry 1 while no player
// of the game is current (a state not set up yet).
inline TPlayer& CurrentPlayerEntry(Match& match) {
    const int n = match.CurrentPlayer;
    return match.Players.Table[n >= 1 && n <= match.Players.Count && n <= kMaxPlayers ? n : 1];
}
inline const TPlayer& CurrentPlayerEntry(const Match& match) {
    const int n = match.CurrentPlayer;
    return match.Players.Table[n >= 1 && n <= match.Players.Count && n <= kMaxPlayers ? n : 1];
}

inline TPurchase& Match::PurchaseList(int entry) { return CurrentPlayerEntry(*this).Purchases[entry + 1]; }
inline const TPurchase& Match::PurchaseList(int entry) const { return CurrentPlayerEntry(*this).Purchases[entry + 1]; }

}  // namespace tarq
