#include "control/Turns.h"

#include "core/Players.h"
#include "world/LandingSectors.h"

namespace tarq {

void StoreCurrentPlayer(Game& game) {
    const int number = game.CurrentPlayer;
    if (!IsPlayer(game, number)) return;
    TPlayerView& kept = game.PlayerViews[number];
    const TViewSettings& v = game.ViewSettings;
    kept.FirstCol = v.FirstCol;
    kept.FirstRow = v.FirstRow;
    kept.ViewCenterCol = v.ViewCenterCol;
    kept.ViewCenterRow = v.ViewCenterRow;
    kept.Scale = v.Scale;
}

void LoadPlayer(Game& game, int number) {
    if (!IsPlayer(game, number)) return;
    game.CurrentPlayer = static_cast<u8>(number);
    SectorsSeenBy(game, number);
    if (game.UseLandingSectors == 1) ShowLandingArea(game, game.Players.Table[number].BasePlaced == 0);
    // A player who has not looked at the map yet (no zoom kept) takes the
    // view as it is until their start sets their own.
    const TPlayerView& kept = game.PlayerViews[number];
    if (kept.Scale != 0) {
        TViewSettings& v = game.ViewSettings;
        v.FirstCol = kept.FirstCol;
        v.FirstRow = kept.FirstRow;
        v.ViewCenterCol = kept.ViewCenterCol;
        v.ViewCenterRow = kept.ViewCenterRow;
        v.Scale = kept.Scale;
    }
    // What the last player had selected or armed is not the new player's.
    game.SelectedObject = 0;
    game.MoveArmed = 0;
    game.BasePromptShown = 0;
    game.ViewChanged = 1;
    game.MinimapDirty = 1;
}

int NextPlayer(const Match& game, int number) { return number >= game.Players.Count ? 1 : number + 1; }

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
    const int next = NextPlayer(game, game.CurrentPlayer);
    if (next == 1) CountTurn(game);
    LoadPlayer(game, next);
}

}  // namespace tarq
