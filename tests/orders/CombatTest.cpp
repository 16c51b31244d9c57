// Combat: reach, damage over the catalogue, shots and ammunition, return fire
// and overwatch, mines, and the destruction of every kind of object, with
// the invariant checker after each.
#include <gtest/gtest.h>

#include "control/ClickOrders.h"
#include "control/CombatRules.h"
#include "control/Construction.h"
#include "control/MapClick.h"
#include "control/TurnPhases.h"
#include "core/FactoryFixture.h"
#include "core/Invariants.h"
#include "orders/Execute.h"

namespace tarq::testing {
namespace {

constexpr int kEngineer = 13, kScout = 2, kTank = 3, kMobileAA = 7, kMineLayer = 8, kInfantry = 19, kFighter = 28,
              kLandMine = 32, kMiningComplex = 39, kConnector = 66, kGun = 62;

class CombatTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(30, 30, kPassLand);
        game->Players.Count = 2;
        for (int p = 1; p <= 2; ++p) {
            game->Players.Table[p].Number = static_cast<u8>(p);
            game->Players.Table[p].Colour = static_cast<u8>(p - 1);
            game->Players.Table[p].Joined = game->Players.Table[p].BasePlaced = 1;
        }
        game->CurrentPlayer = 1;
    }
    int Make(int owner, int type, int col, int row) {
        game->CurrentPlayer = static_cast<u8>(owner);
        EXPECT_EQ(CreateObject(*game, col, row, type, 0), 1);
        game->CurrentPlayer = 1;
        return game->LastCreatedObject;
    }
    Outcome Run(Command c, u8 player = 1) { return Execute(*game, {player, c}); }
    Outcome Fire(int a, int t) { return Run(cmd::Attack{static_cast<i16>(a), static_cast<i16>(t)}); }
    void ExpectSound() { EXPECT_EQ(CheckInvariants(*game), Violations{}); }
    const TUnitStats& Stats(int type) { return game->UnitStats[type]; }
};

TEST_F(CombatTest, DamageFollowsTheFormulaAndTheAntiAircraftRule) {
    struct Case {
        int attacker, target, damage, shots;
    };
    const Case cases[] = {
        {kTank, kTank, 6, 4},        {kScout, kTank, 3, 8},    {kInfantry, kInfantry, 14, 1},
        {kMobileAA, kFighter, 8, 2}, {kMobileAA, kTank, 0, 0}, {kTank, kFighter, 0, 0},
        {kFighter, kFighter, 12, 1}, {kFighter, kTank, 6, 4},  {kLandMine, kTank, 18, 2},
        {kTank, kLandMine, 0, 0},    {65, 37, 64, 1},          {kGun, kMiningComplex, 8, 7},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.attacker) + " at " + std::to_string(k.target));
        EXPECT_EQ(DamagePerShot(Stats(k.attacker), Stats(k.target)), k.damage);
        EXPECT_EQ(ShotsToDestroy(Stats(k.attacker), Stats(k.target)), k.shots);
    }
    // Over the whole catalogue: never negative, and at least ⌈Attack / 4⌉ wherever it may aim.
    for (int a = 1; a <= kDefinedTypes; ++a)
        for (int t = 1; t <= kDefinedTypes; ++t) {
            const int d = DamagePerShot(Stats(a), Stats(t));
            ASSERT_GE(d, 0);
            if (MayTarget(Stats(a), Stats(t))) {
                ASSERT_GE(d, (Stats(a).Attack + 3) / 4) << a << " at " << t;
            }
        }
}

TEST_F(CombatTest, ReachIsTheRangeCircleBetweenTheNearestCells) {
    struct Case {
        int col, row;
        bool reached;
    };
    // A tank (range 4, R(R+1) = 20) at (10, 10).
    const Case cases[] = {{14, 12, true}, {14, 13, false}, {10, 14, true}, {10, 15, false}, {13, 13, true}};
    const int tank = Make(1, kTank, 10, 10);
    for (const Case& k : cases) {
        const int target = Make(2, kTank, k.col, k.row);
        EXPECT_EQ(Reaches(*game, tank, target), k.reached) << k.col << "x" << k.row;
        DeleteObject(*game, target);
    }
    // A 2 x 2 target is reached through its nearest cell.
    const int complex = Make(2, kMiningComplex, 14, 11);
    EXPECT_TRUE(Reaches(*game, tank, complex));
    EXPECT_FALSE(WithinRange(game->Object(tank).Cells, game->Object(complex).Cells, 0));
}

TEST_F(CombatTest, AShotSpendsAShotAndAmmunitionAndIsRefusedWithoutThem) {
    const int tank = Make(1, kTank, 10, 10), target = Make(2, kTank, 12, 10);
    game->Object(target).ShotsLeft = 0;  // no answer
    Outcome out = Fire(tank, target);
    ASSERT_TRUE(out.accepted);
    EXPECT_EQ(game->Object(target).HitsLeft, 24 - 6);
    EXPECT_EQ(game->Object(tank).ShotsLeft, 1);
    EXPECT_EQ(game->Object(tank).AmmoLeft, 13);
    EXPECT_EQ(game->CombatLog.size(), 1u);
    ASSERT_GE(out.events.size(), 2u);
    EXPECT_EQ(out.events[0].kind, EventKind::Shot);
    EXPECT_EQ(out.events[0].fromCol, 10);
    Fire(tank, target);
    EXPECT_EQ(Fire(tank, target).reason, "Танк: выстрелов в этот ход больше нет");
    game->Object(tank).ShotsLeft = 2;
    game->Object(tank).AmmoLeft = 0;
    EXPECT_EQ(Fire(tank, target).reason, "Танк: боезапас кончился");
    game->Object(tank).AmmoLeft = 5;
    const int far = Make(2, kTank, 20, 20), own = Make(1, kTank, 11, 11), plane = Make(2, kFighter, 9, 9);
    EXPECT_EQ(Fire(tank, far).reason, "Танк: цель вне досягаемости");
    EXPECT_FALSE(Fire(tank, own).accepted);
    EXPECT_FALSE(Fire(tank, plane).accepted);
    EXPECT_FALSE(Run(cmd::Attack{static_cast<i16>(target), static_cast<i16>(tank)}, 2).accepted);  // not on turn
    ExpectSound();
}

TEST_F(CombatTest, TheTargetAnswersOnlyWithAKeptShotInReach) {
    const int scout = Make(1, kScout, 10, 10), near = Make(2, kTank, 13, 10);
    Fire(scout, near);
    EXPECT_EQ(game->Object(scout).HitsLeft, 16 - 12);  // tank answers: 16 - 4
    EXPECT_EQ(game->Object(near).ShotsLeft, 1);
    EXPECT_EQ(game->CombatLog.back().Kind, static_cast<u8>(ShotKind::ReturnFire));
    // A target that kept no shot does not answer.
    game->Object(scout).ShotsLeft = 1;
    game->Object(near).ShotsLeft = 0;
    Fire(scout, near);
    EXPECT_EQ(game->Object(scout).HitsLeft, 4);
    // The tank's answer is told to its owner, under the heading.
    const std::vector<TNotice>& told = NoticesOf(*game, 2);
    ASSERT_GE(told.size(), 3u);
    EXPECT_EQ(told[0].Text, "Пока вас не было:");
    EXPECT_EQ(told[1].Text, "Танк 13x10 потерял 3 хитов от Скаут игрока 1");
}

TEST_F(CombatTest, OverwatchFiresByObjectNumberOncePerStepWhileShotsLast) {
    const int mover = Make(1, kTank, 10, 10);
    const int first = Make(2, kGun, 16, 10), second = Make(2, kTank, 16, 12), idle = Make(2, kTank, 16, 11);
    game->Object(idle).ShotsLeft = 0;
    Outcome out = Run(cmd::Step{static_cast<i16>(mover), 11, 10});
    ASSERT_TRUE(out.accepted);
    ASSERT_EQ(game->CombatLog.size(), 1u);  // only the gun reaches (11, 10): 25 <= 30
    EXPECT_EQ(game->CombatLog[0].Attacker, first);
    Run(cmd::Step{static_cast<i16>(mover), 12, 10});
    ASSERT_EQ(game->CombatLog.size(), 3u);
    EXPECT_EQ(game->CombatLog[1].Attacker, first);
    EXPECT_EQ(game->CombatLog[2].Attacker, second);
    EXPECT_EQ(game->Object(first).ShotsLeft, 0);
    EXPECT_EQ(game->Object(mover).HitsLeft, 24 - 6 * 3);
    // The defenders' shots come back at the start of their owner's turn, not before.
    BeginTurn(*game, 1);
    EXPECT_EQ(game->Object(first).ShotsLeft, 0);
    game->CurrentPlayer = 2;
    BeginTurn(*game, 1);
    EXPECT_EQ(game->Object(first).ShotsLeft, 2);
    EXPECT_EQ(game->Object(idle).ShotsLeft, 2);
    ExpectSound();
}

TEST_F(CombatTest, AntiAircraftInterceptsAircraftWithoutKeptShots) {
    const int plane = Make(1, kFighter, 10, 10), aa = Make(2, kMobileAA, 15, 10);
    game->Object(aa).ShotsLeft = 0;
    Run(cmd::Step{static_cast<i16>(plane), 11, 10});
    EXPECT_EQ(game->Object(plane).HitsLeft, 12 - 8);
    EXPECT_EQ(game->Object(aa).AmmoLeft, 9);
    Run(cmd::Step{static_cast<i16>(plane), 12, 10});
    EXPECT_FALSE(SlotInUse(game->Object(plane)));
    ExpectSound();
}

TEST_F(CombatTest, MinesAreLaidGoOffUnderEnemiesAndAreCleared) {
    const int layer = Make(1, kMineLayer, 10, 10);
    game->Object(layer).Cargo = 3;
    EXPECT_FALSE(Run(cmd::LayMine{static_cast<i16>(layer), 12, 10}).accepted);  // not a neighbour
    ASSERT_TRUE(Run(cmd::LayMine{static_cast<i16>(layer), 11, 10}).accepted);
    const int mine = game->LastCreatedObject;
    EXPECT_EQ(game->Object(mine).TypeId, kLandMine);
    // Hidden from the other player: not drawn, not found by a click.
    game->CurrentPlayer = 2;
    ShowOwnMinesOnly(*game);
    EXPECT_EQ(ObjectAt(*game, 11, 10).object, 0);
    EXPECT_EQ(LayerAt(11, 10, kLayerLarge).show, 0);
    game->CurrentPlayer = 1;
    ShowOwnMinesOnly(*game);
    EXPECT_EQ(ObjectAt(*game, 11, 10).object, mine);
    EXPECT_EQ(game->Object(layer).Cargo, 1);
    EXPECT_EQ(Run(cmd::LayMine{static_cast<i16>(layer), 9, 10}).reason, "Минер: не хватает материала на мину");
    // An own unit passes over it; an enemy's step sets it off and ends there.
    const int own = Make(1, kTank, 12, 10);
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(own), 11, 10}).accepted);
    EXPECT_EQ(game->Object(own).HitsLeft, 24);
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(own), 11, 11}).accepted);
    const int enemy = Make(2, kTank, 12, 9);
    game->CurrentPlayer = 2;
    ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(enemy), 11, 10}, 2).accepted);
    // 18 from the mine, then the own tank beside it, which kept its shots, finishes it.
    ASSERT_EQ(game->CombatLog.size(), 2u);
    EXPECT_EQ(game->CombatLog[0].Kind, static_cast<u8>(ShotKind::Mine));
    EXPECT_EQ(game->CombatLog[0].Damage, 18);
    EXPECT_EQ(game->CombatLog[1].Kind, static_cast<u8>(ShotKind::Overwatch));
    EXPECT_FALSE(SlotInUse(game->Object(enemy)));
    EXPECT_FALSE(SlotInUse(game->Object(mine)));
    // The enemy's layer clears a mine beside it.
    game->CurrentPlayer = 1;
    game->Object(layer).Cargo = 2;
    ASSERT_TRUE(Run(cmd::LayMine{static_cast<i16>(layer), 9, 9}).accepted);
    const int second = game->LastCreatedObject;
    const int sweeper = Make(2, kMineLayer, 8, 8);
    game->CurrentPlayer = 2;
    EXPECT_EQ(MineNextTo(*game, sweeper, 2), second);
    EXPECT_FALSE(Run(cmd::ClearMine{static_cast<i16>(sweeper), static_cast<i16>(second)}, 1).accepted);
    ASSERT_TRUE(Run(cmd::ClearMine{static_cast<i16>(sweeper), static_cast<i16>(second)}, 2).accepted);
    EXPECT_FALSE(SlotInUse(game->Object(second)));
    ExpectSound();
}

TEST_F(CombatTest, AClickOnAnEnemyInReachFiresAndTheReadoutTellsTheShot) {
    const int tank = Make(1, kTank, 10, 10), near = Make(2, kTank, 12, 10), far = Make(2, kTank, 20, 10);
    game->SelectedObject = tank;
    EXPECT_EQ(AttackReadout(*game, 12, 10), "Урон 6, до уничтожения 4 выстр.");
    EXPECT_EQ(AttackReadout(*game, 20, 10), "");
    std::optional<Order> click = InterpretClick(*game, 12, 10);
    ASSERT_TRUE(click && std::holds_alternative<cmd::Attack>(click->command));
    click = InterpretClick(*game, 20, 10);
    ASSERT_TRUE(click && std::holds_alternative<cmd::Select>(click->command));
    // Armed, a click on any enemy is an attack, refused with the reason when out of reach.
    ASSERT_TRUE(Run(cmd::ArmAttack{}).accepted);
    click = InterpretClick(*game, 20, 10);
    ASSERT_TRUE(click);
    EXPECT_EQ(Execute(*game, *click).reason, "Танк: цель вне досягаемости");
    EXPECT_EQ(game->Object(far).HitsLeft, 24);
    EXPECT_EQ(game->Object(near).HitsLeft, 24);
}

TEST_F(CombatTest, DestructionReleasesEveryKindOfObject) {
    const int tank = Make(1, kTank, 5, 5);
    game->Object(tank).AmmoLeft = 100;
    const auto destroy = [&](int target) {
        game->Object(target).HitsLeft = 1;
        game->Object(tank).ShotsLeft = 1;
        ASSERT_TRUE(Fire(tank, target).accepted);
        EXPECT_FALSE(SlotInUse(game->Object(target)));
        ExpectSound();
    };
    destroy(Make(2, kTank, 7, 5));
    destroy(Make(2, kMiningComplex, 7, 7));
    destroy(Make(2, kConnector, 5, 7));
    // The selected object: the selection is cleared.
    const int selected = Make(2, kScout, 6, 6);
    game->SelectedObject = selected;
    destroy(selected);
    EXPECT_EQ(game->SelectedObject, 0);
    // A builder at work and its site, each way round.
    for (bool builderFirst : {true, false}) {
        SCOPED_TRACE(builderFirst ? "builder" : "site");
        game->CurrentPlayer = 2;
        const int builder = Make(2, kEngineer, 8, 5);
        game->Object(builder).Cargo = 40;
        game->CurrentPlayer = 2;
        ASSERT_TRUE(StartConstruction(*game, builder, {58, 2, 2}).acted);
        const int site = game->Object(builder).SiteObject;
        game->CurrentPlayer = 1;
        destroy(builderFirst ? builder : site);
        EXPECT_EQ(SlotInUse(game->Object(site)), false);
        if (!builderFirst) {
            EXPECT_EQ(game->Object(builder).OrderState, 0);
            DeleteObject(*game, builder);
        }
    }
}

}  // namespace
}  // namespace tarq::testing
