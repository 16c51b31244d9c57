#include "control/BasePlacement.h"

#include "core/Factory.h"
#include "core/Players.h"
#include "world/LandingSectors.h"
#include "world/Deposits.h"

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

bool FreeOfOtherPlayersSectors(const Game& game, const TFootprint& footprint) {
    return !InSectorOfAnotherPlayer(game, footprint);
}

}  // namespace

bool BaseCellAccepted(const Game& game, int col, int row) {
    if (!game.InMap(col, row)) return false;
    if (game.ViewSettings.UseLandingSectors == 1 && game.Map(col, row).Layers[kLayerTerrain].show == 0) return false;
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

bool PlaceInitialForce(Game& game, int col, int row) {
    if (!BaseCellAccepted(game, col, row)) return false;
    for (int entry = 0; entry < kPurchaseEntries; ++entry) {
        const TPurchase purchase = game.PurchaseList(entry);
        if (purchase.TypeId == 0) continue;
        // Nothing lands in a sector another player took.
        const FootprintFilter allowed = SeveralPlayers(game) ? FreeOfOtherPlayersSectors : nullptr;
        const int slot = PlaceBySquareSearch(game, col, row, purchase.TypeId, LayerRefresh::Deferred, allowed);
        if (slot == 0) continue;
        game.Object(slot).Cargo = purchase.Cargo;
        if (purchase.TypeId == kMiningComplexType) SetBaseDeposits(game, col, row);
    }
    RefreshMapLayers(game);
    if (game.ViewSettings.UseLandingSectors == 1) ClearLandingMarks(game);
    return true;
}

void CentreViewOnBase(Game& game, int col, int row) {
    TViewSettings& v = game.ViewSettings;
    v.FirstCol = static_cast<i16>(col - game.VisibleCols / 2);
    v.FirstRow = static_cast<i16>(row - game.VisibleRows / 2);
    v.BasePlaced = 1;
    v.ViewCenterCol = static_cast<i16>(v.FirstCol + game.VisibleCols / 2);
    v.ViewCenterRow = static_cast<i16>(v.FirstRow + game.VisibleRows / 2);
    game.ViewChanged = 1;
}

}  // namespace tarq
