// The end of the turn: moves come back, constructions advance and finished
// sites get their ready marker.
#include <gtest/gtest.h>

#include "control/EndTurn.h"
#include "core/FactoryFixture.h"

namespace tarq::testing {
namespace {

constexpr int kEngineer = 13;
constexpr int kGenerator = 40;
constexpr int kPlant = 42;

class EndTurnTest : public FactoryTest {
protected:
    // An engineer in slot 1 building a generator whose site is slot 2 at (4, 4).
    TGameObject& Builder(int turns, int perTurn, int cargo) {
        TGameObject& site = Plant(2, kGenerator, 4, 4);
        site.OrderState = 2, site.BuildLink = 1;
        TGameObject& b = Plant(1, kEngineer, 4, 4);
        b.OrderState = 1, b.BuildLink = kGenerator, b.SiteObject = 2;
        b.TurnsLeft = b.TurnsTotal = static_cast<u8>(turns);
        b.MaterialPerTurn = static_cast<u8>(perTurn);
        b.Cargo = static_cast<u8>(cargo);
        return b;
    }
    // Cells of the map whose layer 8 holds anything.
    int MarkedCells() {
        int marked = 0;
        for (int c = 0; c < kGridSpan; ++c)
            for (int r = 0; r < kGridSpan; ++r) marked += !(LayerAt(c, r, kLayerReady) == EmptySpriteRef);
        return marked;
    }
};

TEST_F(EndTurnTest, MovesComeBackButAreNeverTaken) {
    struct Case {
        int speed, movesLeft, expected;
    };
    const Case cases[] = {{5, 2, 5}, {5, 0, 5}, {5, 5, 5}, {5, 7, 7}, {0, 0, 0}, {0, 3, 3}};
    for (int i = 0; i < 6; ++i) {
        TGameObject& o = Plant(i + 1, 3, i + 1, 1);
        o.Stats.Speed = static_cast<u8>(cases[i].speed);
        o.MovesLeft = static_cast<u8>(cases[i].movesLeft);
    }
    EndTurn(*game);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Object(i + 1).MovesLeft, cases[i].expected) << i;
    EXPECT_EQ(game->Turn, 2);
}

TEST_F(EndTurnTest, AOneTurnConstructionIsReadyAtOnce) {
    Builder(1, 8, 40);
    TSpriteRef& cell = LayerAt(4, 4, kLayerReady);
    const i16 next = cell.SprNext;
    EndTurn(*game);
    EXPECT_EQ(Object(1).TurnsLeft, 0);
    EXPECT_EQ(Object(1).Cargo, 32);
    EXPECT_EQ(Object(1).OrderState, 1);
    EXPECT_EQ(game->ReadyLayerOn, 1);
    EXPECT_EQ(cell, (TSpriteRef{14, kGenerator - 1, 2, next, 1}));
    EXPECT_EQ(MarkedCells(), 1);
}

TEST_F(EndTurnTest, CargoIsSpentTurnByTurnAndWrapsInEightBits) {
    struct Case {
        int turns, perTurn, cargo;
        std::vector<int> cargoAfter;  // after each end of turn
    };
    const Case cases[] = {
        {5, 2, 12, {10, 8, 6, 4, 2, 2}},  // 10 of 12 spent over five turns, then nothing
        {2, 3, 4, {1, 254, 254}},
    };
    for (const Case& c : cases) {
        TGameObject& b = Builder(c.turns, c.perTurn, c.cargo);
        for (std::size_t turn = 0; turn < c.cargoAfter.size(); ++turn) {
            game->Map(4, 4).Layers[kLayerReady] = EmptySpriteRef;
            EndTurn(*game);
            const bool finished = turn + 1 >= static_cast<std::size_t>(c.turns);
            EXPECT_EQ(b.Cargo, c.cargoAfter[turn]) << c.turns << " turn " << turn;
            EXPECT_EQ(b.TurnsLeft, finished ? 0 : c.turns - 1 - static_cast<int>(turn));
            EXPECT_EQ(game->ReadyLayerOn, finished ? 1 : 0);
            EXPECT_EQ(MarkedCells(), finished ? 1 : 0);
        }
    }
}

TEST_F(EndTurnTest, AFourCellSiteIsMarkedOnEveryCell) {
    Builder(1, 0, 10);
    TGameObject& site = Plant(2, kPlant, 4, 4);
    site.CellCount = 4;
    site.Cells = TFootprint{{{{4, 4}, {5, 4}, {4, 5}, {5, 5}}}};
    EndTurn(*game);
    EXPECT_EQ(MarkedCells(), 4);
    for (const TCellPos& p : site.Cells) EXPECT_EQ(LayerAt(p.col, p.row, kLayerReady).id, 2);
}

TEST_F(EndTurnTest, ReadyLayerFollowsTheWaitingSites) {
    // No builder at all: the layer goes off.
    game->ReadyLayerOn = 1;
    EndTurn(*game);
    EXPECT_EQ(game->ReadyLayerOn, 0);
    // A finished builder still at its site marks it again and spends nothing.
    TGameObject& b = Builder(0, 4, 20);
    EndTurn(*game);
    EXPECT_EQ(b.Cargo, 20);
    EXPECT_EQ(game->ReadyLayerOn, 1);
    EXPECT_EQ(MarkedCells(), 1);
    // Once the builder is out, the next end of turn turns the layer off.
    b.OrderState = 0;
    EndTurn(*game);
    EXPECT_EQ(game->ReadyLayerOn, 0);
}

TEST_F(EndTurnTest, ABuilderWithoutItsSiteMarksNothing) {
    for (int siteObject : {0, -3, kMaxObjects + 1, 7}) {  // 7 is a free slot
        TGameObject& b = Builder(1, 2, 10);
        b.SiteObject = siteObject;
        EndTurn(*game);
        EXPECT_EQ(b.TurnsLeft, 0) << siteObject;
        EXPECT_EQ(b.Cargo, 8) << siteObject;
        EXPECT_EQ(MarkedCells(), 0) << siteObject;
        EXPECT_EQ(game->ReadyLayerOn, 0) << siteObject;
    }
}

// The counter stops at its last turn, alone or with players taking turns.
TEST_F(EndTurnTest, TheTurnCounterStopsAtItsLast) {
    for (int players : {1, 2}) {
        game->Players.Count = static_cast<u8>(players);
        game->Players.Table[2].Number = static_cast<u8>(players == 2 ? 2 : 0);
        game->CurrentPlayer = static_cast<u8>(players);
        game->Turn = kMaxTurn - 1;
        for (int end = 0; end < 2 * players; ++end) EndTurn(*game);
        EXPECT_EQ(game->Turn, kMaxTurn) << players;
        EndTurn(*game), EndTurn(*game);
        EXPECT_EQ(game->Turn, kMaxTurn) << players;
    }
}

}  // namespace
}  // namespace tarq::testing
