// Path orders and undo through the executor: paths for every movement class
// around obstacles, a path across the largest map, an order walked on at the
// start of the owner's turns and stopped when its way closes; undo back to
// the start of the turn and its refusals.
#include <gtest/gtest.h>

#include <chrono>

#include "control/PathOrders.h"
#include "control/TurnPhases.h"
#include "core/FactoryFixture.h"
#include "core/StateHash.h"
#include "orders/Execute.h"

namespace tarq::testing {
namespace {

constexpr int kAmphibious = 1, kTank = 3, kCoastal = 7, kShip = 20, kAircraft = 28, kStorage = 55;

class PathTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(20, 20, kPassLand);
        game->Players.Count = 1;
        game->Players.Table[1].Number = 1;
        game->Players.Table[1].Joined = game->Players.Table[1].BasePlaced = 1;
    }
    int Make(int type, int col, int row) {
        EXPECT_EQ(CreateObject(*game, col, row, type, 0), 1) << type;
        return game->LastCreatedObject;
    }
    Outcome Run(Command c) { return Execute(*game, {1, c}); }
    // Every step goes to a neighbour the unit's class may stand on.
    void ExpectWalkable(int unit, const std::vector<TCellPos>& path) {
        TCellPos at = Object(unit).Cells[1];
        for (const TCellPos& p : path) {
            EXPECT_LE(std::max(std::abs(p.col - at.col), std::abs(p.row - at.row)), 1);
            EXPECT_EQ(CanPlace(*game, SingleCellFootprint(p.col, p.row), Object(unit).Stats.Movement), 1)
                << p.col << "x" << p.row;
            at = p;
        }
    }
};

struct ClassCase {
    const char* name;
    int type;
    std::size_t steps;  // 0: no way
};

// A wall of rock across the map with one gap at the bottom (row 9, beyond
// it water then coast): the land units go round through the gap, the ship
// has no way from its lake, the aircraft flies straight over.
TEST_F(PathTest, EachMovementClassGoesRoundWhatStopsIt) {
    const ClassCase cases[] = {
        {"land", kTank, 12},        {"coast", kCoastal, 12}, {"water", kShip, 0}, {"amphibious", kAmphibious, 12},
        {"aircraft", kAircraft, 5},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        for (int r = 1; r <= 20; ++r) game->World.Passability(5, r) = kPassBlocked;
        game->World.Passability(5, 9) = kPassLand;
        // A lake left of the wall, coast beside it, the unit on it or next to it.
        PaintGround(1, 2, {"~~,", "~~,", "~~,"});
        const int unit = Make(c.type, c.type == kShip ? 2 : 4, 3);
        const std::vector<TCellPos> path = PlanPath(*game, unit, 9, 3);
        EXPECT_EQ(path.size(), c.steps);
        ExpectWalkable(unit, path);
        if (!path.empty()) {
            EXPECT_EQ(path.back().col, 9);
            EXPECT_EQ(path.back().row, 3);
        }
        EXPECT_EQ(PathRefusal(*game, 1, unit, 9, 3).empty(), c.steps != 0);
    }
}

TEST_F(PathTest, UnitsGoRoundObjectsAndNotOntoThem) {
    const int tank = Make(kTank, 2, 5);
    for (int r = 1; r <= 19; ++r) Make(kStorage, 4, r);  // a row of storages, open at row 20
    const std::vector<TCellPos> path = PlanPath(*game, tank, 6, 5);
    ASSERT_EQ(path.size(), 30u);
    ExpectWalkable(tank, path);
    EXPECT_TRUE(PlanPath(*game, tank, 4, 7).empty()) << "a cell an object holds";
}

// The worst case of the largest map: a serpentine of walls, each open at
// the other end, so the way crosses the map again and again.
TEST_F(PathTest, AcrossTheLargestMapThroughASerpentine) {
    SetMap(400, 400, kPassLand);
    for (int c = 3; c <= 397; c += 2)
        for (int r = 1; r <= 400; ++r)
            if ((c / 2) % 2 == 0 ? r != 400 : r != 1) game->World.Passability(c, r) = kPassBlocked;
    const int tank = Make(kTank, 1, 1);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<TCellPos> path = PlanPath(*game, tank, 400, 400);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_FALSE(path.empty());
    EXPECT_GT(path.size(), 198u * 395u);
    ExpectWalkable(tank, path);
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_EQ(PlanPath(*game, tank, 400, 400), path) << "the same match gives the same path";
}

TEST_F(PathTest, AnOrderWalksNowAndOnAtEveryTurnUntilItArrives) {
    const int tank = Make(kTank, 1, 1);
    Object(tank).MovesLeft = 2;
    Object(tank).Stats.Speed = 3;
    game->SelectedObject = tank;
    const Outcome out = Run(cmd::SetPath{static_cast<i16>(tank), 9, 1});
    ASSERT_TRUE(out.accepted) << out.reason;
    EXPECT_EQ(Object(tank).Cells[1].col, 3);
    ASSERT_NE(PathOrderOf(*game, tank), nullptr);
    EXPECT_EQ(PathOrderLine(*game, tank), "Путь: к 9x1, клеток 6, ходов до цели: 2");
    EXPECT_EQ(TurnsOfPath(Object(tank), 6), (std::vector<int>{1, 1, 1, 2, 2, 2}));
    for (int col : {6, 9}) {
        ASSERT_TRUE(Run(cmd::EndTurn{}).accepted);
        EXPECT_EQ(Object(tank).Cells[1].col, col);
    }
    EXPECT_EQ(PathOrderOf(*game, tank), nullptr) << "arrived";
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

// A way closed on the way is planned again round the obstacle; with no way
// left the order stops and the summary says where.
TEST_F(PathTest, AClosedWayIsPlannedAgainOnceThenTheOrderStops) {
    for (int r = 1; r <= 20; ++r) game->World.Passability(6, r) = kPassBlocked;
    game->World.Passability(6, 10) = game->World.Passability(6, 12) = kPassLand;
    const int tank = Make(kTank, 2, 10);
    Object(tank).MovesLeft = 1;
    Object(tank).Stats.Speed = 2;
    ASSERT_TRUE(Run(cmd::SetPath{static_cast<i16>(tank), 10, 10}).accepted);
    Make(kStorage, 6, 10);
    ASSERT_TRUE(Run(cmd::EndTurn{}).accepted);
    EXPECT_NE(PathOrderOf(*game, tank), nullptr) << "round through the other gap";
    EXPECT_GE(Object(tank).Cells[1].col, 4);
    Make(kStorage, 6, 12);
    const TCellPos stopped = Object(tank).Cells[1];
    ASSERT_TRUE(Run(cmd::EndTurn{}).accepted);
    EXPECT_EQ(PathOrderOf(*game, tank), nullptr);
    ASSERT_EQ(NoticesOf(*game, 1).size(), 1u);
    EXPECT_EQ(NoticesOf(*game, 1)[0].Text,
              "Танк " + std::to_string(stopped.col) + "x" + std::to_string(stopped.row) + ": путь закрыт");
}

TEST_F(PathTest, RefusedPathsSayWhy) {
    const int tank = Make(kTank, 2, 2);
    const int storage = Make(kStorage, 10, 10);
    for (int r = 1; r <= 20; ++r) game->World.Passability(15, r) = kPassBlocked;
    const struct {
        Command order;
        const char* reason;
    } cases[] = {
        {cmd::SetPath{static_cast<i16>(tank), 18, 2}, "Танк: туда не дойти"},
        {cmd::SetPath{static_cast<i16>(tank), 2, 2}, "Танк уже здесь"},
        {cmd::SetPath{static_cast<i16>(tank), 30, 2}, "Эта клетка вне карты"},
        {cmd::SetPath{static_cast<i16>(storage), 3, 3}, "Путь прокладывается только своему юниту"},
    };
    const std::uint64_t before = StateHash(*game);
    for (const auto& c : cases) {
        const Outcome out = Run(c.order);
        EXPECT_FALSE(out.accepted);
        EXPECT_EQ(out.reason, c.reason);
    }
    EXPECT_EQ(StateHash(*game), before);
}

// Steps, a path and a storage destroyed and built: undone one at a time back
// to the start of the turn, the state hash is the start's again; undo never
// goes past END TURN nor past an order that cannot be taken back.
TEST_F(PathTest, UndoGoesBackOrderByOrderToTheStartOfTheTurn) {
    const int tank = Make(kTank, 2, 2);
    const int storage = Make(kStorage, 12, 12);
    Object(tank).MovesLeft = Object(tank).Stats.Speed = 6;
    ASSERT_TRUE(Run(cmd::EndTurn{}).accepted);
    EXPECT_EQ(Run(cmd::Undo{}).reason, "Нельзя отменить: в этом ходу ещё нечего отменять");
    std::vector<std::uint64_t> hashes{StateHash(*game)};
    const Command orders[] = {cmd::Step{static_cast<i16>(tank), 3, 3}, cmd::Step{static_cast<i16>(tank), 4, 3},
                              cmd::SetPath{static_cast<i16>(tank), 8, 8}, cmd::CancelPath{static_cast<i16>(tank)}};
    for (const Command& c : orders) {
        ASSERT_TRUE(Run(c).accepted) << Run(c).reason;
        hashes.push_back(StateHash(*game));
    }
    for (std::size_t k = hashes.size() - 1; k > 0; --k) {
        ASSERT_TRUE(Run(cmd::Undo{}).accepted);
        EXPECT_EQ(StateHash(*game), hashes[k - 1]) << "undo " << k;
        EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
    }
    EXPECT_FALSE(Run(cmd::Undo{}).accepted) << "not past END TURN";
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(tank), 3, 3}).accepted);
    ASSERT_TRUE(Run(cmd::DestroyStructure{static_cast<i16>(storage)}).accepted);
    EXPECT_EQ(Run(cmd::Undo{}).reason, "Нельзя отменить: сооружение взорвано");
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(tank), 4, 4}).accepted);
    ASSERT_TRUE(Run(cmd::Undo{}).accepted);
    EXPECT_EQ(Object(tank).Cells[1].col, 3);
    EXPECT_EQ(Run(cmd::Undo{}).reason, "Нельзя отменить: сооружение взорвано");
}

}  // namespace
}  // namespace tarq::testing
