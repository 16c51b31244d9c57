#include "control/BasePlacement.h"

#include <memory>
#include <string>
#include <vector>

#include "core/Factory.h"
#include "core/Players.h"
#include "world/Deposits.h"
#include "world/LandingSectors.h"

namespace tarq {

namespace {

void SetDeposit(Game& game, int col, int row, u8 kind, u8 amount) {
    if (!game.InMap(col, row)) return;
    game.World.Resources(col, row) = {kind, amount};
}

// The terrain of every cell shows again once the base has landed.
void ClearLandingMarks(Game& game) {
    for (int c = 1; c <= game.World.MapWidth; ++c)
        for (int r = 1; r <= game.World.MapHeight; ++r) game.Map(c, r).Layers[kLayerTerrain].show = 1;
}

// The cells a landing in a game of several players may cover: inside the
// player's claimed sectors (outside the sectors others took, when the game
// uses none), and none of another player's objects or connectors, whatever
// their kind: a unit, a road, a platform, a bridge, a site or a bare
// connector. Read from the object table once, so each try of the search is a
// lookup and nothing depends on the pictures of the map layers.
class LandingArea {
public:
    explicit LandingArea(const Game& game)
        : game_(game),
          height_(game.World.MapHeight),
          open_(static_cast<std::size_t>((game.World.MapWidth + 1) * (height_ + 1)), 0) {
        const int me = game.CurrentPlayer;
        const bool sectors = game.UseLandingSectors == 1;
        for (int c = 1; c <= game.World.MapWidth; ++c)
            for (int r = 1; r <= height_; ++r) {
                const TConnectorCell& connector = game.World.Connectors(c, r);
                const bool inSectors = sectors ? CellInSectorState(game, c, r, kSectorClaimed)
                                               : !CellInSectorState(game, c, r, kSectorTaken);
                open_[at(c, r)] = inSectors && (connector.Present == 0 || connector.Owner == me);
            }
        for (const TGameObject& o : game.World.Objects) {
            if (o.Owner == 0 || o.Owner == me) continue;
            for (const TCellPos& p : o.Cells)
                if (game.InMap(p.col, p.row)) open_[at(p.col, p.row)] = 0;
        }
    }

    bool Admits(const TFootprint& footprint) const {
        for (const TCellPos& p : footprint)
            if (!game_.InMap(p.col, p.row) || open_[at(p.col, p.row)] == 0) return false;
        return true;
    }

private:
    std::size_t at(int col, int row) const { return static_cast<std::size_t>(col * (height_ + 1) + row); }

    const Game& game_;
    int height_;
    std::vector<u8> open_;
};

// What a landing writes before the layers are redrawn: new slots, the
// connector grid and the factory's scratch records. A refused landing puts
// them back as they were.
struct LandingUndo {
    explicit LandingUndo(const Game& game)
        : objects(game.World.Objects),
          connectors(game.World.Connectors),
          newObject(game.NewObject),
          footprint(game.Footprint),
          last(game.LastCreatedObject) {}
    void Restore(Game& game) const {
        game.World.Objects = objects;
        game.World.Connectors = connectors;
        game.NewObject = newObject;
        game.Footprint = footprint;
        game.LastCreatedObject = last;
    }
    ObjectTable objects;
    CellGrid<TConnectorCell> connectors;
    TGameObject newObject;
    TFootprint footprint;
    i16 last;
};

// What the purchase list left on landing.
struct LandedForce {
    int misfit = 0;              // the type of the entry no cell took, when the landing stops there
    bool miningComplex = false;  // a mining complex landed
};

// Lands the purchase list entry by entry, each with its cargo. An entry no
// cell takes stops the landing when `stopAtMisfit`, else it is skipped.
LandedForce LandPurchases(Game& game, int col, int row, const FootprintFilter& allowed, bool stopAtMisfit) {
    LandedForce landed;
    for (int entry = 0; entry < kPurchaseEntries; ++entry) {
        const TPurchase purchase = game.PurchaseList(entry);
        if (purchase.TypeId == 0) continue;
        const int slot = PlaceBySquareSearch(game, col, row, purchase.TypeId, LayerRefresh::Deferred, allowed);
        if (slot == 0 && stopAtMisfit) return {purchase.TypeId, landed.miningComplex};
        if (slot == 0) continue;
        game.Object(slot).Cargo = purchase.Cargo;
        landed.miningComplex = landed.miningComplex || purchase.TypeId == kMiningComplexType;
    }
    return landed;
}

std::string NoRoomMessage(const Game& game, int type) {
    const std::string name = type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string();
    return "Войскам не хватает места в ваших секторах: «" + name +
           "» некуда высадить. Укажите другую точку или завершите ход: в начале следующего хода можно заново "
           "выбрать сектора и покупки.";
}

}  // namespace

bool BaseCellAccepted(const Game& game, int col, int row) {
    if (!game.InMap(col, row)) return false;
    if (game.UseLandingSectors == 1 && game.Map(col, row).Layers[kLayerTerrain].show == 0) return false;
    if (SeveralPlayers(game) && CellInSectorState(game, col, row, kSectorTaken)) return false;
    return game.World.Passability(col, row) == kPassLand;
}

void SetBaseDeposits(Game& game, int col, int row) {
    for (int c = col - 2; c <= col + 2; ++c)
        for (int r = row - 2; r <= row + 2; ++r)
            if (game.InMap(c, r)) game.World.Resources(c, r).Amount = 0;
    SetDeposit(game, col, row, 1, 14);
    SetDeposit(game, col, row + 1, 3, 1);
    SetDeposit(game, col + 1, row + 1, 2, 9);
    CopyResourcesToMap(game);
}

// A game of one player lands as it always did: a purchase that fits nowhere
// is skipped. With several players the landing is all or nothing, so no
// purchase paid for is lost and no object lands where it must not.
LandingResult PlaceInitialForce(Game& game, int col, int row) {
    if (!BaseCellAccepted(game, col, row)) return {};
    LandedForce landed;
    if (SeveralPlayers(game)) {
        // Copies of a whole table and grid: kept off the stack.
        const auto undo = std::make_unique<const LandingUndo>(game);
        const LandingArea area(game);
        landed = LandPurchases(
            game, col, row, [&area](const TFootprint& f) { return area.Admits(f); }, true);
        if (landed.misfit != 0) {
            undo->Restore(game);
            return {false, NoRoomMessage(game, landed.misfit)};
        }
    } else {
        landed = LandPurchases(game, col, row, nullptr, false);
    }
    // The deposits follow the clicked cell, wherever the complex landed.
    if (landed.miningComplex) SetBaseDeposits(game, col, row);
    // The force has landed: from now on the list holds the reinforcements
    // bought during play (control/Economy.h).
    for (TPurchase& entry : CurrentPlayerEntry(game).Purchases) entry = TPurchase{};
    RefreshMapLayers(game);
    if (game.UseLandingSectors == 1) ClearLandingMarks(game);
    return {true, {}};
}

void CentreViewOnBase(Game& game, int col, int row) {
    TViewSettings& v = game.ViewSettings;
    v.FirstCol = static_cast<i16>(col - game.VisibleCols / 2);
    v.FirstRow = static_cast<i16>(row - game.VisibleRows / 2);
    CurrentPlayerEntry(game).BasePlaced = 1;
    v.ViewCenterCol = static_cast<i16>(v.FirstCol + game.VisibleCols / 2);
    v.ViewCenterRow = static_cast<i16>(v.FirstRow + game.VisibleRows / 2);
    game.ViewChanged = 1;
}

}  // namespace tarq
