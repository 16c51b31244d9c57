// What a game file carries: the match, every value needed to go on exactly
// where the players were, and the view each player left, held in the game's
// own records but sized to the map instead of the full tables. The writer
// takes it from a game; the reader fills it from the file and checks it, and
// only then is a game built from it. What every game fills the same way (the
// catalogue), what the game derives (the map's picture layers), the user's
// preferences and the values of the moment (mouse, drag, the renderer's
// flags) are not carried.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "core/GameState.h"

namespace tarq {

// The cells a file holds: columns 0..MapWidth + 2 and rows 0..MapHeight + 2,
// the map and the border the game reads and draws around it (parked builders
// and sites stand there). Stored a column after another, as the game does.
struct CellRegion {
    int width = 0;   // MapWidth + 3
    int height = 0;  // MapHeight + 3

    static CellRegion ForMap(int mapWidth, int mapHeight) { return {mapWidth + 3, mapHeight + 3}; }
    std::size_t cells() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
    std::size_t index(int col, int row) const {
        return static_cast<std::size_t>(col) * static_cast<std::size_t>(height) + static_cast<std::size_t>(row);
    }
    bool contains(int col, int row) const { return col >= 0 && col < width && row >= 0 && row < height; }
};

// An object slot that differs from the blank object.
struct SavedObject {
    i16 Slot = 0;
    TGameObject Object;
};

// The players' table of a game of one player, as a file of version 1 holds
// it (the player's values come from its other sections).
inline TPlayers OnePlayer() {
    TPlayers players;
    players.Table[1].Number = 1;
    return players;
}

struct GameFileContents {
    // The map.
    i16 MapWidth = 0;
    i16 MapHeight = 0;
    u8 TerrainSet = 0;
    i32 StartGold = 0;

    // Per-cell grids over Region().
    std::vector<u8> Terrain;
    std::vector<u8> Passability;
    std::vector<TResourceCell> Resources;
    std::vector<TConnectorCell> Connectors;

    // Every slot that is not blank, by rising slot number; the others are blank.
    std::vector<SavedObject> Objects;

    // The view on the screen: position, zoom, switches, the geometry the zoom
    // gave on the surface it was last shown on, the selection and its blink;
    // and where each player looked last.
    TViewSettings ViewSettings;
    i16 VisibleCols = 0;
    i16 VisibleRows = 0;
    u16 CellPixels = 0;
    i32 SelectedObject = 0;
    u8 MoveArmed = 0;
    u8 BasePromptShown = 0;
    i32 PulseAlpha = 0;
    i32 PulseStep = 0;
    Array1<TPlayerView, kMaxPlayers> PlayerViews;

    // The match's course: turn, random source, game id, whose turn it is,
    // whether bases land in sectors, and the order in progress.
    i32 Turn = 1;
    u32 RandomSeed = 0;
    std::uint64_t GameId = 0;
    u8 CurrentPlayer = 1;
    u8 UseLandingSectors = 0;
    i16 LastCreatedObject = 0;
    u8 ClickMode = kClickNormal;
    u8 ReadyLayerOn = 0;
    i16 SiteBuilder = 0;
    i32 SiteBuilderCol = 0;
    i32 SiteBuilderRow = 0;
    std::array<TFootprint, kExitSlots> ExitCandidates{};
    std::array<i32, kExitSlots> ExitMarkers{};

    // The players: a file of version 1 holds one, number 1.
    TPlayers Players = OnePlayer();

    // The command log and where its current round begins.
    std::vector<LoggedOrder> Log;
    std::size_t LogRoundStart = 0;
    Array1<std::vector<TNotice>, kMaxPlayers> Notices;
    PathOrderList PathOrders;
    std::vector<TCombatEntry> CombatLog;

    // The fog of war: the option, each player's explored map cells (one bit a
    // cell, column by column from (1, 1), ExploredBytes() bytes) and the
    // structures each remembers.
    u8 FogOn = 0;
    Array1<std::vector<u8>, kMaxPlayers> Explored;
    Array1<std::vector<TSeenStructure>, kMaxPlayers> Seen;

    std::size_t ExploredBytes() const {
        return (static_cast<std::size_t>(MapWidth) * static_cast<std::size_t>(MapHeight) + 7) / 8;
    }
    CellRegion Region() const { return CellRegion::ForMap(MapWidth, MapHeight); }
};

// Everything the file carries: the match and the view. The map size must be 1..500.
std::unique_ptr<GameFileContents> ContentsOf(const Match& match, const ViewState& view);
inline std::unique_ptr<GameFileContents> ContentsOf(const Game& game) { return ContentsOf(game, game); }

// A fresh game (InitData) holding `contents`, which passed CheckContents,
// with `user`'s preferences: a file never carries any, so a loaded game
// takes those of whoever loads it. What the game derives is derived again:
// the sectors the current player sees, the map's picture layers (from the
// match and the view), the object numbers in an object's own pictures from
// its slot. The view is flagged for a redraw and the values of the moment
// keep their fresh values. The window sets AppActive and the geometry of
// its own surface.
std::unique_ptr<Game> BuildGame(const GameFileContents& contents, const Preferences& user = {});

}  // namespace tarq
