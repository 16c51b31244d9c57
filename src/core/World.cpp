#include "core/World.h"

#include "core/Catalogue.h"
#include "core/Factory.h"
#include "core/Players.h"
#include "core/SightCounts.h"

#include <atomic>

namespace tarq {

std::uint64_t MapGrid::NewIdentity() {
    static std::atomic<std::uint64_t> made{0};
    return ++made;
}

std::unique_ptr<Game> NewGame() { return std::make_unique<Game>(); }

TGameObject BlankObject() {
    TGameObject blank{};
    // Every picture of a blank object is all zero, including SprNext.
    for (auto& s : blank.Sprites) s = TSpriteRef{0, 0, 0, 0, 0};
    for (auto& s : blank.CellSprites) s = TSpriteRef{0, 0, 0, 0, 0};
    blank.CellSprites[1].idU = 4;
    blank.CellSprites[2].idU = 4;
    return blank;
}

void InitData(Game& game) {
    game.ViewSettings.ViewOffsetX = 0;
    game.ViewSettings.ViewOffsetY = 0;
    game.World.StartGold = 0;

    // The whole grid is reset, not only the part a map uses.
    TMapCell emptyCell;
    for (auto& layer : emptyCell.Layers) layer = EmptySpriteRef;
    game.Map.fill(emptyCell);
    game.LayerStamps.Reset();
    for (auto& c : game.World.Connectors.cells) c.Present = 0;

    for (auto& column : game.World.LandingSectors)
        for (auto& sector : column) sector = 0;

    game.ObjectTemplate = BlankObject();
    for (auto& object : game.World.Objects) object = game.ObjectTemplate;
    game.PathOrders.clear();
    game.Undo = TUndoPoint{};

    for (auto& entry : game.SpriteTable) {
        entry.idU = 0;
        entry.Spr = 0;
        entry.SprNext = 0;
    }
    FillSpriteTable(game);
    FillCatalogue(game);
    ResetPlayers(game);
    ClearSight(game);
}

void TakeUnrebuiltPictures(Game& game, int slot) {
    if (slot < 1 || slot > kMaxObjects) return;
    for (const TCellPos& p : game.World.Objects[slot].Cells) {
        if (!game.InMap(p.col, p.row)) continue;
        for (int layer : {kLayerAircraft, kLayerReady}) {
            TSpriteRef& ref = game.Map(p.col, p.row).Layers[layer];
            if (ref.id == slot) ref = EmptySpriteRef;
        }
    }
}

// Besides the slot, the released object's pictures in the layers the rebuild
// never clears go, so no click finds a free slot there; its connector entries
// go (unless another structure keeps the cell joined) and so does the
// selection when it named the object, so a later object in the slot is not
// selected unasked.
void DeleteObject(Game& game, int slot) {
    if (slot < 1 || slot > kMaxObjects) return;
    TakeUnrebuiltPictures(game, slot);
    // A released unit's path order goes with it.
    std::erase_if(game.PathOrders, [slot](const TPathOrder& o) { return o.Unit == slot; });
    const TGameObject released = game.World.Objects[slot];
    game.World.Objects[slot] = game.ObjectTemplate;
    FollowSlot(game, slot);
    if (game.SelectedObject == slot) game.SelectedObject = 0, game.MoveArmed = 0;
    ReleaseConnectors(game, released);
    RebuildObjectLayers(game);
}

void ClearOrder(Game& game, int slot) {
    if (slot < 1 || slot > kMaxObjects) return;
    TGameObject& o = game.World.Objects[slot];
    o.OrderState = 0;
    o.TurnsLeft = 0;
    o.MaterialPerTurn = 0;
    o.BuildLink = 0;
    o.TurnsTotal = 0;
    o.SiteObject = 0;
}

}  // namespace tarq
