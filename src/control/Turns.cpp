#include "control/Turns.h"

#include "core/Players.h"
#include "world/LandingSectors.h"

namespace tarq {

void StoreCurrentPlayer(Game& game) {
    const int number = game.ViewSettings.CurrentPlayer;
    if (!IsPlayer(game, number)) return;
    TPlayer& p = game.Players.Table[number];
    const TViewSettings& v = game.ViewSettings;
    p.Clan = v.PlayerClan;
    p.Credits = v.Credits;
    p.BaseLanded = v.BasePlaced;
    p.Restrictions = game.NewGameChoices;
    for (int t = 1; t <= kTypeCount; ++t) p.Purchasable[t] = game.UnitTypes[t].Purchasable;
    p.Purchases = game.PurchaseListStorage;
    for (int sx = 0; sx < kSectorGrid; ++sx)
        for (int sy = 0; sy < kSectorGrid; ++sy)
            p.Sectors[sx][sy] = game.World.LandingSectors[sx][sy] == kSectorClaimed ? 1 : 0;
    p.FirstCol = v.FirstCol;
    p.FirstRow = v.FirstRow;
    p.ViewCenterCol = v.ViewCenterCol;
    p.ViewCenterRow = v.ViewCenterRow;
    p.Scale = v.Scale;
}

void LoadPlayer(Game& game, int number) {
    if (!IsPlayer(game, number)) return;
    const TPlayer& p = game.Players.Table[number];
    TViewSettings& v = game.ViewSettings;
    v.CurrentPlayer = static_cast<u8>(number);
    v.PlayerClan = p.Clan;
    v.Credits = p.Credits;
    v.BasePlaced = p.BaseLanded;
    game.NewGameChoices = p.Restrictions;
    for (int t = 1; t <= kTypeCount; ++t) game.UnitTypes[t].Purchasable = p.Purchasable[t];
    game.PurchaseListStorage = p.Purchases;
    SectorsSeenBy(game, number);
    if (v.UseLandingSectors == 1) ShowLandingArea(game, p.BaseLanded == 0);
    // A player who has not looked at the map yet (no zoom kept) takes the
    // view as it is until their start sets their own.
    if (p.Scale != 0) {
        v.FirstCol = p.FirstCol;
        v.FirstRow = p.FirstRow;
        v.ViewCenterCol = p.ViewCenterCol;
        v.ViewCenterRow = p.ViewCenterRow;
        v.Scale = p.Scale;
    }
    // What the last player had selected or armed is not the new player's.
    game.SelectedObject = 0;
    game.MoveArmed = 0;
    game.BasePromptShown = 0;
    game.ViewChanged = 1;
    game.MinimapDirty = 1;
}

int NextPlayer(const Game& game, int number) { return number >= game.Players.Count ? 1 : number + 1; }

namespace {

// The counter stops at its last turn; the game goes on.
void CountTurn(Game& game) {
    if (game.Turn < kMaxTurn) ++game.Turn;
}

}  // namespace

void PassTurn(Game& game) {
    if (!SeveralPlayers(game)) {
        CountTurn(game);
        return;
    }
    StoreCurrentPlayer(game);
    const int next = NextPlayer(game, game.ViewSettings.CurrentPlayer);
    if (next == 1) CountTurn(game);
    LoadPlayer(game, next);
}

}  // namespace tarq
