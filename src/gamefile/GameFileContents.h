// What a game file carries: every value needed to go on exactly where the
// player was, held in the game's own records but sized to the map instead of
// the full tables. The writer takes it from a game; the reader fills it from
// the file and checks it, and only then is a game built from it. Tables that
// every game fills the same way (sprite table, catalogue) and values of the
// moment (mouse, hover, drag, the renderer's flags) are not carried.
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

// The players' table of a game of one player, as every game starts.
inline TPlayers OnePlayer() {
    TPlayers players;
    players.Table[1].Number = 1;
    return players;
}

struct GameFileContents {
    // Map and world settings.
    i16 MapWidth = 0;
    i16 MapHeight = 0;
    u8 TerrainSet = 0;
    u8 MapGenerated = 0;
    i32 StartGold = 0;
    std::array<std::array<u8, kSectorGrid>, kSectorGrid> LandingSectors{};  // [sector column][sector row]

    // Per-cell grids over Region().
    std::vector<u8> Terrain;
    std::vector<u8> Passability;
    std::vector<TResourceCell> Resources;
    std::vector<TConnectorCell> Connectors;
    std::vector<TMapCell> Map;

    // Every slot that is not blank, by rising slot number; the others are blank.
    std::vector<SavedObject> Objects;

    // View: position, zoom, overlay switches, the player and the money, and
    // the geometry the zoom gave on the surface it was last shown on.
    TViewSettings ViewSettings;
    i16 VisibleCols = 0;
    i16 VisibleRows = 0;
    u16 CellPixels = 0;

    // The settings page.
    TSettings Settings;

    // Play: turn, random source, animation periods, selection, click mode
    // and the construction in progress.
    i32 Turn = 1;
    u32 RandomSeed = 0;
    i16 SlowAnimPeriod = 0;
    i16 TwoFrameAnimPeriod = 0;
    i32 SelectedObject = 0;
    i16 LastCreatedObject = 0;
    u8 ClickMode = kClickNormal;
    u8 MoveArmed = 0;
    u8 ReadyLayerOn = 0;
    u8 BasePromptShown = 0;
    i32 PulseAlpha = 0;
    i32 PulseStep = 0;
    i16 SiteBuilder = 0;
    i32 SiteBuilderCol = 0;
    i32 SiteBuilderRow = 0;
    std::array<TFootprint, kExitSlots> ExitCandidates{};
    std::array<i32, kExitSlots> ExitMarkers{};
    std::uint64_t GameId = 0;

    // Purchases: the restrictions, the initial force, and which types the
    // restrictions leave on sale.
    TNewGameChoices NewGameChoices;
    Array1<TPurchase, kPurchaseEntries> PurchaseList;
    Array1<u8, kTypeCount> Purchasable;

    // The players: a file of version 1 holds one, number 1.
    TPlayers Players = OnePlayer();

    CellRegion Region() const { return CellRegion::ForMap(MapWidth, MapHeight); }
};

// Everything the file carries from `game`, whose map size must be 1..500.
std::unique_ptr<GameFileContents> ContentsOf(const Game& game);

// A fresh game (InitData) holding `contents`, which passed CheckContents.
// What the game derives is derived again instead of taken from the file: the
// object layers 2-4 from the object table (nothing off the map), the
// connector pictures of layer 5 from the connector grid, the object numbers
// in an object's own pictures from its slot. The view is flagged for a
// redraw and the values of the moment keep their fresh values. The window
// sets AppActive and the geometry of its own surface.
std::unique_ptr<Game> BuildGame(const GameFileContents& contents);

}  // namespace tarq
