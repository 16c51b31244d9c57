#include "gamefile/GameFileContents.h"

#include <algorithm>
#include <cstring>

#include "core/SightCounts.h"
#include "core/World.h"
#include "view/MapLayers.h"
#include "world/LandingSectors.h"

namespace tarq {

namespace {

// Copies a grid's region out of the game's storage, a column at a time.
template <typename T, typename Grid>
void TakeGrid(const Grid& grid, const CellRegion& region, std::vector<T>& out) {
    out.resize(region.cells());
    for (int col = 0; col < region.width; ++col)
        std::memcpy(static_cast<void*>(&out[region.index(col, 0)]), &grid(col, 0),
                    static_cast<std::size_t>(region.height) * sizeof(T));
}

// A column at a time: the map counts each column as written once.
template <typename T, typename Grid>
void PutGrid(const std::vector<T>& cells, const CellRegion& region, Grid& grid) {
    for (int col = 0; col < region.width; ++col)
        std::memcpy(static_cast<void*>(&grid(col, 0)), &cells[region.index(col, 0)],
                    static_cast<std::size_t>(region.height) * sizeof(T));
}

// Each player's explored cells of the map, one bit a cell, column by column.
std::vector<u8> PackExplored(const Match& match, u8 player) {
    const int w = match.World.MapWidth, h = match.World.MapHeight;
    std::vector<u8> bits((static_cast<std::size_t>(w) * static_cast<std::size_t>(h) + 7) / 8, 0);
    std::size_t i = 0;
    for (int col = 1; col <= w; ++col)
        for (int row = 1; row <= h; ++row, ++i)
            if (Explored(match, player, col, row)) bits[i / 8] = static_cast<u8>(bits[i / 8] | (1u << (i % 8)));
    return bits;
}

void UnpackExplored(const std::vector<u8>& bits, Match& match, u8 player) {
    const int w = match.World.MapWidth, h = match.World.MapHeight;
    if (bits.size() * 8 < static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) return;
    CellBits& explored = match.Sight.Explored[player];
    std::size_t i = 0;
    for (int col = 1; col <= w; ++col)
        for (int row = 1; row <= h; ++row, ++i)
            if (((static_cast<unsigned>(bits[i / 8]) >> (i % 8)) & 1u) != 0) {
                const std::size_t at = CellGrid<u16>::index(col, row);
                explored[at / 64] |= std::uint64_t{1} << (at % 64);
            }
}

// The fields both directions copy as they are: the same names on both sides.
template <typename From, typename To>
void CopyMatch(const From& from, To& to) {
    to.GameId = from.GameId;
    to.Turn = from.Turn;
    to.CurrentPlayer = from.CurrentPlayer;
    to.UseLandingSectors = from.UseLandingSectors;
    to.LastCreatedObject = from.LastCreatedObject;
    to.ClickMode = from.ClickMode;
    to.ReadyLayerOn = from.ReadyLayerOn;
    to.SiteBuilder = from.SiteBuilder;
    to.SiteBuilderCol = from.SiteBuilderCol;
    to.SiteBuilderRow = from.SiteBuilderRow;
    to.ExitCandidates = from.ExitCandidates;
    to.ExitMarkers = from.ExitMarkers;
    to.Players = from.Players;
}

template <typename From, typename To>
void CopyView(const From& from, To& to) {
    to.ViewSettings = from.ViewSettings;
    to.VisibleCols = from.VisibleCols;
    to.VisibleRows = from.VisibleRows;
    to.CellPixels = from.CellPixels;
    to.SelectedObject = from.SelectedObject;
    to.MoveArmed = from.MoveArmed;
    to.BasePromptShown = from.BasePromptShown;
    to.PulseAlpha = from.PulseAlpha;
    to.PulseStep = from.PulseStep;
    to.PlayerViews = from.PlayerViews;
}

// Every picture of an object in use names its slot, as the factory stamps it.
void NameOwnPictures(Game& game) {
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        TGameObject& o = game.World.Objects[slot];
        if (o.Owner == 0) continue;
        for (TSpriteRef& s : o.Sprites) s.id = static_cast<i16>(slot);
        for (TSpriteRef& s : o.CellSprites) s.id = static_cast<i16>(slot);
    }
}

}  // namespace

std::unique_ptr<GameFileContents> ContentsOf(const Match& match, const ViewState& view) {
    auto c = std::make_unique<GameFileContents>();
    const TWorld& w = match.World;
    c->MapWidth = w.MapWidth;
    c->MapHeight = w.MapHeight;
    c->TerrainSet = w.TerrainSet;
    c->StartGold = w.StartGold;

    const CellRegion region = c->Region();
    TakeGrid(w.Terrain, region, c->Terrain);
    TakeGrid(w.Passability, region, c->Passability);
    TakeGrid(w.Resources, region, c->Resources);
    TakeGrid(w.Connectors, region, c->Connectors);

    const TGameObject blank = BlankObject();
    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (!(w.Objects[slot] == blank)) c->Objects.push_back({static_cast<i16>(slot), w.Objects[slot]});

    CopyMatch(match, *c);
    CopyView(view, *c);
    c->RandomSeed = match.Rng.Seed();
    c->Log = match.Log.Entries();
    c->LogRoundStart = match.Log.RoundStart();
    c->Notices = match.Notices;
    c->PathOrders = match.PathOrders;
    c->CombatLog = match.CombatLog;
    c->FogOn = match.Sight.On;
    for (u8 p = 1; p <= kMaxPlayers; ++p) c->Explored[p] = PackExplored(match, p);
    c->Seen = match.Sight.Seen;
    return c;
}

std::unique_ptr<Game> BuildGame(const GameFileContents& c, const Preferences& user) {
    auto game = NewGame();
    InitData(*game);
    static_cast<Preferences&>(*game) = user;
    TWorld& w = game->World;
    w.MapWidth = c.MapWidth;
    w.MapHeight = c.MapHeight;
    w.TerrainSet = c.TerrainSet;
    w.StartGold = c.StartGold;

    const CellRegion region = c.Region();
    PutGrid(c.Terrain, region, w.Terrain);
    PutGrid(c.Passability, region, w.Passability);
    PutGrid(c.Resources, region, w.Resources);
    PutGrid(c.Connectors, region, w.Connectors);
    for (const SavedObject& o : c.Objects) w.Objects[o.Slot] = o.Object;

    CopyMatch(c, *game);
    CopyView(c, *game);
    game->Rng.SetSeed(c.RandomSeed);
    game->Log.Assign(c.Log, c.LogRoundStart);
    game->Notices = c.Notices;
    game->PathOrders = c.PathOrders;
    game->CombatLog = c.CombatLog;
    game->Sight.On = c.FogOn;
    game->Sight.Seen = c.Seen;
    for (u8 p = 1; p <= kMaxPlayers; ++p) UnpackExplored(c.Explored[p], *game, p);
    // Sight is derived: counted again from the objects.
    RebuildSight(*game);
    SectorsSeenBy(*game, game->CurrentPlayer);
    // A game read from a file has its map: no page generates another.
    game->MapGenerated = 1;

    NameOwnPictures(*game);
    RebuildMapLayers(*game);
    // The renderer rebuilds the minimap and the view controls follow.
    game->MinimapDirty = 1;
    game->ViewChanged = 1;
    return game;
}

}  // namespace tarq
