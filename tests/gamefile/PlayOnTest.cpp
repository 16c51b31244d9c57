// Whatever the reader accepts, the game plays on and saves into a file the
// reader accepts: saves of every stage of the short game, alone and with two
// players, with values changed inside their sections (the file around them
// sound), each accepted one played on by the random player with the
// invariant checker after every action, then saved and read back.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "LoadedPlay.h"
#include "control/BasePlacement.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GamePlay.h"
#include "setup/Players.h"

namespace tarq::testing {
namespace {

using Rng = std::mt19937_64;

// A value a field is likely to break at: the edges of small ranges and of
// the field's width, the map's size, an object number.
int Edgy(Rng& rng, const GameFileContents& c) {
    const int values[] = {0, 1, 2, -1, 3, 4, 7, 8, 20, -20, 255, c.MapWidth, c.MapWidth + 1, c.MapWidth + 2, 5000};
    if (rng() % 4 == 0) return static_cast<int>(rng() % 5001);
    return values[rng() % std::size(values)];
}

// A random object record of the contents (every save has some).
TGameObject& AnyObject(Rng& rng, GameFileContents& c) { return c.Objects[rng() % c.Objects.size()].Object; }

template <typename T>
void Set(T& field, int value) {
    field = static_cast<T>(value);
}

// One value changed somewhere a file's damage or a hand's edit would reach.
void Mutate(Rng& rng, GameFileContents& c) {
    const int v = Edgy(rng, c);
    const std::size_t k = rng() % kExitSlots;
    const std::function<void()> changes[] = {
        [&] { Set(AnyObject(rng, c).Owner, v); },
        [&] { Set(AnyObject(rng, c).OrderState, v); },
        [&] { Set(AnyObject(rng, c).BuildLink, v); },
        [&] { Set(AnyObject(rng, c).SiteObject, v); },
        [&] { Set(AnyObject(rng, c).TurnsLeft, v); },
        [&] { Set(AnyObject(rng, c).Layer, v); },
        [&] { Set(AnyObject(rng, c).SecondLayer, v); },
        [&] { Set(AnyObject(rng, c).Cells[1 + static_cast<int>(rng() % 4)].col, v); },
        [&] { AnyObject(rng, c).CellSprites[1].id = static_cast<i16>(v); },
        [&] { Set(AnyObject(rng, c).MovesLeft, v); },
        [&] { Set(AnyObject(rng, c).Cargo, v); },
        [&] { Set(AnyObject(rng, c).AnimClass, v); },
        [&] { Set(AnyObject(rng, c).Stats.Speed, v); },
        [&] {
            c.Objects.push_back({static_cast<i16>(4000 + rng() % 1000), AnyObject(rng, c)});
        },
        [&] { Set(c.Turn, kMaxTurn - static_cast<int>(rng() % 2)); },
        [&] { Set(c.ClickMode, v); },
        [&] { Set(c.SelectedObject, v); },
        [&] { Set(c.LastCreatedObject, v); },
        [&] { Set(c.SiteBuilder, v); },
        [&] { Set(c.SiteBuilderCol, v); },
        [&] { Set(c.ExitMarkers[k], v); },
        [&] { Set(c.ExitCandidates[k][1].col, v); },
        [&] { Set(c.PulseAlpha, v); },
        [&] { Set(c.PulseStep, v); },
        [&] { Set(c.ViewSettings.ViewCenterCol, v); },
        [&] { Set(c.CurrentPlayer, v); },
        [&] { Set(c.PlayerViews[c.Players.Count].ViewCenterCol, v); },
        [&] { c.Players.Table[c.Players.Count].Sectors[rng() % kSectorGrid][rng() % kSectorGrid] = 1; },
        [&] { Set(c.Connectors[rng() % c.Connectors.size()].Present, 1); },
        [&] { Set(c.UseLandingSectors, v); },
        [&] {
            c.Log.push_back({c.Turn, {static_cast<u8>(v), cmd::EndTurn{}}});
        },
        [&] { c.LogRoundStart = static_cast<std::size_t>(v); },
    };
    changes[rng() % std::size(changes)]();
}

// The current player joins and lands on the first cell from (col, row) on,
// row by row, that takes the base.
void JoinAndLand(Game& g, int col, int row) {
    JoinCurrentPlayer(g);
    while (!BaseCellAccepted(g, col, row)) {
        col = col % g.World.MapWidth + 1;
        if (col == 1) row = row % g.World.MapHeight + 1;
    }
    ASSERT_TRUE(PlaceInitialForce(g, col, row));
    CentreViewOnBase(g, col, row);
}

// The saves of the short game at each of its stages from the landing on, and
// of a game of two players who have both landed.
std::vector<std::unique_ptr<GameFileContents>> StageSaves() {
    std::vector<std::unique_ptr<GameFileContents>> saves;
    std::unique_ptr<Game> game = LaunchedGame(50);
    for (const Stage& stage : Stages()) {
        stage.act(*game);
        if (CurrentPlayerEntry(*game).BasePlaced == 1) saves.push_back(ContentsOf(*game));
    }
    std::unique_ptr<Game> two = LaunchedGame(50);
    SetPlayerCount(*two, 2);
    JoinAndLand(*two, 10, 10);
    EndTurn(*two);
    JoinAndLand(*two, 40, 40);
    EndTurn(*two);
    saves.push_back(ContentsOf(*two));
    return saves;
}

TEST(PlayOnTest, EveryAcceptedFilePlaysOnAndSavesIntoAFileItAccepts) {
    const std::vector<std::unique_ptr<GameFileContents>> saves = StageSaves();
    autogame::Player player(1);
    Rng rng(2026);
    int accepted = 0;
    for (int n = 0; n < 240; ++n) {
        GameFileContents c = *saves[static_cast<std::size_t>(n) % saves.size()];
        for (int changes = 1 + static_cast<int>(rng() % 2); changes > 0; --changes) Mutate(rng, c);
        LoadedGame loaded = ReadGameFile(gamefile::WrapBody(gamefile::EncodeBody(c)), "changed.tarq");
        if (!loaded) continue;
        ++accepted;
        EXPECT_EQ(autogame::PlayLoadedGame(player, std::move(loaded.game), rng(), 25), "") << "file " << n;
    }
    EXPECT_GT(accepted, 60) << "too few changed files accepted to tell anything";
}

}  // namespace
}  // namespace tarq::testing
