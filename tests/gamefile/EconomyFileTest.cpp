// The economy through a game file: saved in the middle of a turn with a
// reinforcement on its way, the loaded game plays on in step with the
// original: stores filled by mining, the reinforcement landed, the same hash.
#include <gtest/gtest.h>

#include "core/Factory.h"
#include "core/StateHash.h"
#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"
#include "orders/Execute.h"

namespace tarq::testing {
namespace {

int CountOf(const Game& g, int type) {
    int n = 0;
    for (const TGameObject& o : g.World.Objects) n += SlotInUse(o) && o.TypeId == type ? 1 : 0;
    return n;
}

TEST(EconomyFileTest, AGameSavedMidTurnPlaysOnInStepWithTheOriginal) {
    constexpr int kTank = 3, kMiningComplex = 39, kLandingModule = 60;
    std::unique_ptr<Game> game = LaunchedGame(50);
    for (const Stage& stage : Stages()) stage.act(*game);
    Game& g = *game;
    const int mine = FirstOfType(g, kMiningComplex);
    const TCellPos at = g.Object(mine).Cells[1];
    ASSERT_NE(PlaceBySquareSearch(g, at.col, at.row, kLandingModule), 0);
    CurrentPlayerEntry(g).Credits = 50;
    CurrentPlayerEntry(g).Purchasable[kTank] = 1;
    ASSERT_TRUE(Execute(g, {g.CurrentPlayer, cmd::EndTurn{}}).accepted);
    ASSERT_TRUE(Execute(g, {g.CurrentPlayer, cmd::BuyReinforcement{kTank}}).accepted);
    const int tanks = CountOf(g, kTank);

    LoadedGame loaded = ReadGameFile(WriteGameFile(g), QStringLiteral("экономика.tarq"), g);
    ASSERT_TRUE(loaded) << loaded.message.toStdString();
    Game& copy = *loaded.game;
    ASSERT_EQ(StateHash(copy), StateHash(g));
    for (Game* each : {&g, &copy})
        for (int turn = 0; turn < 3; ++turn)
            ASSERT_TRUE(Execute(*each, {each->CurrentPlayer, cmd::EndTurn{}}).accepted);
    EXPECT_EQ(StateDifference(copy, g), "");
    EXPECT_EQ(StateHash(copy), StateHash(g));
    EXPECT_EQ(CountOf(g, kTank), tanks + 1);
    EXPECT_GT(g.Object(mine).Cargo, 0) << "the base's deposits were mined";
}

}  // namespace
}  // namespace tarq::testing
