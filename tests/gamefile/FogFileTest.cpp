// The fog of war through a game file: the option, every player's explored
// cells and remembered structures come back as saved, and the sight rebuilt
// from the objects is the sight the game had.
#include <gtest/gtest.h>

#include "control/Sight.h"
#include "core/Factory.h"
#include "core/SightCounts.h"
#include "core/StateHash.h"
#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"
#include "setup/Players.h"

namespace tarq::testing {
namespace {

constexpr int kScout = 2, kStorage = 55;

TEST(FogFileTest, ASavedGameComesBackWithTheSameSight) {
    std::unique_ptr<Game> game = LaunchedGame(100);
    Game& g = *game;
    SetPlayerCount(g, 2);
    for (int p = 1; p <= 2; ++p) g.Players.Table[p].Joined = g.Players.Table[p].BasePlaced = 1;
    g.Sight.On = 1;
    const TCellPos land = RoomyLand(g);
    auto make = [&](int owner, int type, int dc) {
        g.CurrentPlayer = static_cast<u8>(owner);
        return PlaceBySquareSearch(g, land.col + dc, land.row, type);
    };
    const int scout = make(1, kScout, 0);
    ASSERT_NE(make(2, kStorage, 8), 0);
    ASSERT_NE(scout, 0);
    g.CurrentPlayer = 1;
    RememberStructures(g);
    ASSERT_FALSE(SeenStructures(g, 1).empty());
    // Cells explored earlier and out of sight now: the first column.
    for (int r = 1; r <= g.World.MapHeight; ++r) {
        const std::size_t i = CellGrid<u16>::index(1, r);
        g.Sight.Explored[1][i / 64] |= std::uint64_t{1} << (i % 64);
    }

    LoadedGame loaded = ReadGameFile(WriteGameFile(g), QStringLiteral("туман.tarq"), g);
    ASSERT_TRUE(loaded) << loaded.message.toStdString();
    const Game& back = *loaded.game;
    EXPECT_EQ(StateDifference(back, g), "");
    EXPECT_EQ(StateHash(back), StateHash(g));
    int differ = 0;
    for (u8 p = 1; p <= 2; ++p)
        for (int c = 1; c <= g.World.MapWidth; ++c)
            for (int r = 1; r <= g.World.MapHeight; ++r)
                differ += SightCount(back, p, c, r) != SightCount(g, p, c, r) ||
                          KnowsCell(back, p, c, r) != KnowsCell(g, p, c, r);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(SeenStructures(back, 1), SeenStructures(g, 1));
}

}  // namespace
}  // namespace tarq::testing
