#include "gamefile/GameFileContents.h"

#include <algorithm>
#include <cstring>

#include "core/Factory.h"
#include "core/World.h"

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

// The fields both directions copy as they are: the same names on both sides.
template <typename From, typename To>
void CopyScalars(const From& from, To& to) {
    to.ViewSettings = from.ViewSettings;
    to.Settings = from.Settings;
    to.NewGameChoices = from.NewGameChoices;
    to.VisibleCols = from.VisibleCols;
    to.VisibleRows = from.VisibleRows;
    to.CellPixels = from.CellPixels;
    to.GameId = from.GameId;
    to.Turn = from.Turn;
    to.SlowAnimPeriod = from.SlowAnimPeriod;
    to.TwoFrameAnimPeriod = from.TwoFrameAnimPeriod;
    to.SelectedObject = from.SelectedObject;
    to.LastCreatedObject = from.LastCreatedObject;
    to.ClickMode = from.ClickMode;
    to.MoveArmed = from.MoveArmed;
    to.ReadyLayerOn = from.ReadyLayerOn;
    to.BasePromptShown = from.BasePromptShown;
    to.PulseAlpha = from.PulseAlpha;
    to.PulseStep = from.PulseStep;
    to.SiteBuilder = from.SiteBuilder;
    to.SiteBuilderCol = from.SiteBuilderCol;
    to.SiteBuilderRow = from.SiteBuilderRow;
    to.ExitCandidates = from.ExitCandidates;
    to.ExitMarkers = from.ExitMarkers;
    to.MapGenerated = from.MapGenerated;
    to.Players = from.Players;
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

// Off the map nothing is stamped into layers 2-4, and layer 5 shows a
// connector picture only where the map has a connector (and a picture).
void ClearUnstampedCells(Game& game, const CellRegion& region) {
    for (int col = 0; col < region.width; ++col)
        for (int row = 0; row < region.height; ++row) {
            TMapCell& cell = game.Map(col, row);
            if (!game.InMap(col, row))
                for (int layer = kLayerFlat; layer <= kLayerUnits; ++layer) cell.Layers[layer] = EmptySpriteRef;
            if (game.World.Connectors(col, row).Present == 0 || !HasConnectorPicture(game, col, row))
                cell.Layers[kLayerConnectors].show = 0;
        }
}

// What the game derives from the records the file also carries is derived
// again rather than taken from the file: the object layers from the object
// table, the connector pictures from the connector grid.
void DeriveFromRecords(Game& game, const CellRegion& region) {
    NameOwnPictures(game);
    ClearUnstampedCells(game, region);
    RebuildObjectLayersFull(game);
    UpdateConnectorPictures(game);
}

}  // namespace

std::unique_ptr<GameFileContents> ContentsOf(const Game& game) {
    auto c = std::make_unique<GameFileContents>();
    const TWorld& w = game.World;
    c->MapWidth = w.MapWidth;
    c->MapHeight = w.MapHeight;
    c->TerrainSet = w.TerrainSet;
    c->StartGold = w.StartGold;
    for (std::size_t x = 0; x < kSectorGrid; ++x)
        for (std::size_t y = 0; y < kSectorGrid; ++y) c->LandingSectors[x][y] = w.LandingSectors[x][y];

    const CellRegion region = c->Region();
    TakeGrid(w.Terrain, region, c->Terrain);
    TakeGrid(w.Passability, region, c->Passability);
    TakeGrid(w.Resources, region, c->Resources);
    TakeGrid(w.Connectors, region, c->Connectors);
    TakeGrid(game.Map, region, c->Map);

    for (int slot = 1; slot <= kMaxObjects; ++slot)
        if (!(w.Objects[slot] == game.ObjectTemplate)) c->Objects.push_back({static_cast<i16>(slot), w.Objects[slot]});

    CopyScalars(game, *c);
    c->RandomSeed = game.Rng.Seed();
    for (int k = 0; k < kPurchaseEntries; ++k) c->PurchaseList[k + 1] = game.PurchaseList(k);
    for (int t = 1; t <= kTypeCount; ++t) c->Purchasable[t] = game.UnitTypes[t].Purchasable;
    return c;
}

std::unique_ptr<Game> BuildGame(const GameFileContents& c) {
    auto game = NewGame();
    InitData(*game);
    TWorld& w = game->World;
    w.MapWidth = c.MapWidth;
    w.MapHeight = c.MapHeight;
    w.TerrainSet = c.TerrainSet;
    w.StartGold = c.StartGold;
    for (std::size_t x = 0; x < kSectorGrid; ++x)
        for (std::size_t y = 0; y < kSectorGrid; ++y) w.LandingSectors[x][y] = c.LandingSectors[x][y];

    const CellRegion region = c.Region();
    PutGrid(c.Terrain, region, w.Terrain);
    PutGrid(c.Passability, region, w.Passability);
    PutGrid(c.Resources, region, w.Resources);
    PutGrid(c.Connectors, region, w.Connectors);
    PutGrid(c.Map, region, game->Map);
    for (const SavedObject& o : c.Objects) w.Objects[o.Slot] = o.Object;

    CopyScalars(c, *game);
    game->Rng.SetSeed(c.RandomSeed);
    for (int k = 0; k < kPurchaseEntries; ++k) game->PurchaseList(k) = c.PurchaseList[k + 1];
    for (int t = 1; t <= kTypeCount; ++t) game->UnitTypes[t].Purchasable = c.Purchasable[t];

    DeriveFromRecords(*game, region);
    // The renderer rebuilds the minimap and the view controls follow.
    game->MinimapDirty = 1;
    game->ViewChanged = 1;
    return game;
}

}  // namespace tarq
