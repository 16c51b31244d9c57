// The economy: networks joining and splitting, mining, power, refills,
// carriers, repair and reload, the refinery and reinforcements.
#include <gtest/gtest.h>

#include "control/Economy.h"
#include "control/TurnPhases.h"
#include "core/FactoryFixture.h"
#include "orders/Execute.h"

namespace tarq::testing {
namespace {

using namespace econ;
constexpr int kTank = 3, kSubmarine = 23, kGenerator = 40, kPlant = 42, kConnector = 66;
constexpr int kStorage = 55, kFuelTank = 56, kGoldStore = 59;

class EconomyTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(20, 20, kPassLand);
        game->Players.Count = 2;
        for (int p = 1; p <= 2; ++p) {
            TPlayer& player = game->Players.Table[p];
            player.Number = static_cast<u8>(p), player.Colour = static_cast<u8>(p - 1);
            player.Joined = player.BasePlaced = 1;
        }
    }
    int Make(int type, int col, int row, int cargo = 0, int owner = 1) {
        game->CurrentPlayer = static_cast<u8>(owner);
        EXPECT_EQ(CreateObject(*game, col, row, type, 0), 1) << type;
        game->CurrentPlayer = 1;
        game->Object(game->LastCreatedObject).Cargo = static_cast<u8>(cargo);
        return game->LastCreatedObject;
    }
    Outcome Run(Command c, u8 player = 1) { return Execute(*game, {player, c}); }
    std::string Readout(int slot) { return NetworkReadout(*game, slot); }
    std::string LastNotice() { return NoticesOf(*game, 1).empty() ? "" : NoticesOf(*game, 1).back().Text; }
};

TEST_F(EconomyTest, NetworksJoinThroughConnectorsAndSplitWhenOneGoes) {
    const int mine = Make(kMine, 3, 3, 5);
    const int near = Make(kStorage, 5, 3, 10);
    const int connector = Make(kConnector, 6, 3);
    const int far = Make(kStorage, 7, 3, 20);
    Make(kStorage, 5, 4, 40, 2);  // another player's: never joins
    EXPECT_EQ(Readout(far), "Сеть: материал 35/125, топливо 0/0, золото 0/0, энергия 0/0");
    EXPECT_EQ(Readout(mine), Readout(far));

    DeleteObject(*game, connector);  // as a shot would destroy it
    // Each part keeps what its own storages hold.
    EXPECT_EQ(Readout(mine), "Сеть: материал 15/75, топливо 0/0, золото 0/0, энергия 0/0");
    EXPECT_EQ(Readout(far), "Сеть: материал 20/50, топливо 0/0, золото 0/0, энергия 0/0");
    ASSERT_TRUE(Run(cmd::DestroyStructure{static_cast<i16>(near)}).accepted);
    EXPECT_EQ(Readout(mine), "Сеть: материал 5/25, топливо 0/0, золото 0/0, энергия 0/0");
}

TEST_F(EconomyTest, MiningSumsTheDepositsUnderTheComplexAndLosesWhatHasNoRoom) {
    struct Case {
        const char* name;
        int col, row;            // the complex's first cell
        bool storage, tanks;     // a storage (50) and a fuel tank (50) beside it
        TResourceCell cells[4];  // under its four cells
        int mineStore, material, fuel;
        const char* notice;
    };
    const Case cases[] = {
        {"rich, alone",
         3,
         3,
         false,
         false,
         {{1, 12}, {1, 0}, {2, 5}, {3, 2}},
         12,
         12,
         0,
         "Шахтный комплекс: в сети нет места, потеряно: топливо 5, золото 2"},
        {"overflow to storage", 3, 3, true, true, {{1, 16}, {1, 14}, {2, 9}, {1, 0}}, 25, 30, 9, ""},
        {"depleted cells", 3, 3, true, true, {{1, 0}, {2, 0}, {3, 0}, {1, 0}}, 0, 0, 0, ""},
        {"at the map's edge",
         19,
         19,
         false,
         false,
         {{1, 14}, {1, 14}, {1, 0}, {1, 0}},
         25,
         25,
         0,
         "Шахтный комплекс: в сети нет места, потеряно: материал 3"},
    };
    for (const Case& c : cases) {
        SetUp();
        for (int k = 0; k < 4; ++k) game->World.Resources(c.col + k % 2, c.row + k / 2) = c.cells[k];
        const int mine = Make(kMine, c.col, c.row);
        if (c.storage) Make(kStorage, c.col + 2, c.row);
        if (c.tanks) Make(kFuelTank, c.col + 2, c.row + 1);
        RunEconomy(*game, 1);
        EXPECT_EQ(Object(mine).Cargo, c.mineStore) << c.name;
        const Networks nets = FindNetworks(*game, 1);
        EXPECT_EQ(nets.Of(mine)->stock[kMaterial], c.material) << c.name;
        EXPECT_EQ(nets.Of(mine)->stock[kFuel], c.fuel) << c.name;
        EXPECT_EQ(LastNotice(), c.notice) << c.name;
    }
}

TEST_F(EconomyTest, ConsumersWorkOnlyWhileTheGeneratorsCoverThemAndBurnOnlyWhatIsNeeded) {
    struct Case {
        int fuel, plants;
        u8 unpowered;
        int fuelAfter;
    };
    // Two factories need 2, one generator gives 1: nothing works and nothing burns.
    const Case cases[] = {{5, 1, 0, 3}, {1, 1, 1, 1}, {5, 0, 0, 5}, {5, 2, 1, 5}};
    for (const Case& c : cases) {
        SetUp();
        const int tank = Make(kFuelTank, 3, 3, c.fuel);
        Make(kGenerator, 4, 3);
        int plant = 0;
        for (int k = 0; k < c.plants; ++k) plant = Make(kPlant, 5 + 2 * k, 3);
        RunEconomy(*game, 1);
        EXPECT_EQ(Object(tank).Cargo, c.fuelAfter) << c.fuel << " " << c.plants;
        if (plant == 0) continue;
        EXPECT_EQ(Object(plant).Unpowered, c.unpowered) << c.fuel << " " << c.plants;
        // An unpowered factory's construction stands still; a powered one goes on.
        Object(plant).OrderState = 1, Object(plant).TurnsLeft = 3, Object(plant).Cargo = 10;
        ASSERT_TRUE(Run(cmd::EndTurn{}).accepted);
        EXPECT_EQ(Object(plant).TurnsLeft, c.unpowered != 0 ? 3 : 2);
    }
}

TEST_F(EconomyTest, BuildersBesideANetworkAndPoweredFactoriesTakeMaterialUpToTheirRoom) {
    const int store = Make(kStorage, 3, 3, 50);
    Make(kStorage, 3, 4, 50);
    const int constructor = Make(kConstructor, 4, 2, 50);  // diagonal neighbour: beside
    const int engineer = Make(kEngineer, 9, 9, 0);         // far away
    Make(kFuelTank, 2, 5, 10), Make(kGenerator, 2, 6);
    const int plant = Make(kPlant, 3, 5, 0);
    RunEconomy(*game, 1);
    EXPECT_EQ(Object(constructor).Cargo, 60);
    EXPECT_EQ(Object(engineer).Cargo, 0);
    EXPECT_EQ(Object(plant).Cargo, kFactoryStore);
    EXPECT_EQ(Object(store).Cargo + Object(store + 1).Cargo, 100 - 10 - kFactoryStore);
}

TEST_F(EconomyTest, CarriersLoadFromANetworkAndUnloadIntoBuildersAndStorages) {
    const int store = Make(kStorage, 3, 3, 30);
    const int truck = Make(kSupplyTruck, 4, 3, 0);
    const int constructor = Make(kConstructor, 5, 3, 55);
    const int foreign = Make(kStorage, 4, 4, 0, 2);
    ASSERT_TRUE(Run(cmd::LoadCargo{static_cast<i16>(truck), static_cast<i16>(store)}).accepted);
    EXPECT_EQ(Object(truck).Cargo, 30);
    EXPECT_EQ(Object(store).Cargo, 0);
    EXPECT_EQ(Run(cmd::LoadCargo{static_cast<i16>(truck), static_cast<i16>(store)}).reason, "В сети нет материала");
    ASSERT_TRUE(Run(cmd::UnloadCargo{static_cast<i16>(truck), static_cast<i16>(constructor)}).accepted);
    EXPECT_EQ(Object(constructor).Cargo, 60);
    ASSERT_TRUE(Run(cmd::UnloadCargo{static_cast<i16>(truck), static_cast<i16>(store)}).accepted);
    EXPECT_EQ(Object(store).Cargo, 25);
    EXPECT_EQ(Object(truck).Cargo, 0);
    EXPECT_FALSE(Run(cmd::UnloadCargo{static_cast<i16>(truck), static_cast<i16>(foreign)}).accepted);
    EXPECT_FALSE(Run(cmd::LoadCargo{static_cast<i16>(constructor), static_cast<i16>(store)}).accepted);
    Object(truck).Cargo = 5;
    EXPECT_EQ(Run(cmd::UnloadCargo{static_cast<i16>(truck), static_cast<i16>(Make(kStorage, 9, 9))}).reason,
              "Нужно стоять рядом");
}

TEST_F(EconomyTest, RepairAndReloadCostOneMaterialPerFourPointsAndEndTheServedMoves) {
    struct Case {
        const char* name;
        bool repair;
        int byType, cargo, missing, restored, cargoAfter;
    };
    const Case cases[] = {
        {"repair in full", true, kRepairer, 30, 11, 11, 27},
        {"repair short of material", true, kRepairer, 2, 11, 8, 0},
        {"reload", false, kSupplyTruck, 30, 9, 9, 27},
    };
    for (const Case& c : cases) {
        SetUp();
        const int by = Make(c.byType, 3, 3, c.cargo);
        const int tank = Make(kTank, 4, 3);
        TGameObject& t = Object(tank);
        (c.repair ? t.HitsLeft : t.AmmoLeft) = static_cast<u8>((c.repair ? t.Stats.Hits : t.Stats.Ammo) - c.missing);
        t.MovesLeft = 5;
        const Command order = c.repair ? Command{cmd::Repair{static_cast<i16>(by), static_cast<i16>(tank)}}
                                       : Command{cmd::Reload{static_cast<i16>(by), static_cast<i16>(tank)}};
        ASSERT_TRUE(Run(order).accepted) << c.name;
        EXPECT_EQ((c.repair ? t.Stats.Hits - t.HitsLeft : t.Stats.Ammo - t.AmmoLeft), c.missing - c.restored) << c.name;
        EXPECT_EQ(Object(by).Cargo, c.cargoAfter) << c.name;
        EXPECT_EQ(t.MovesLeft, 0) << c.name;
        EXPECT_FALSE(Run(order).accepted) << c.name << ": nothing left to do or pay with";
    }
}

TEST_F(EconomyTest, ADepotServesLandUnitsFromItsNetwork) {
    const int depot = Make(kDepot, 3, 3);
    const int store = Make(kStorage, 5, 3, 10);
    const int tank = Make(kTank, 3, 5);
    game->World.Passability(4, 5) = kPassWater;
    const int sub = Make(kSubmarine, 4, 5);
    Object(tank).HitsLeft = 4;
    Object(sub).HitsLeft = 4;
    ASSERT_TRUE(Run(cmd::Repair{static_cast<i16>(depot), static_cast<i16>(tank)}).accepted);
    EXPECT_EQ(Object(tank).HitsLeft, 24);
    EXPECT_EQ(Object(store).Cargo, 5);
    EXPECT_EQ(Run(cmd::Repair{static_cast<i16>(depot), static_cast<i16>(sub)}).reason,
              "Депот не обслуживает Субмарина");
}

TEST_F(EconomyTest, AWorkingRefineryTurnsFiveGoldIntoCreditsEachTurn) {
    for (const int fuel : {10, 0}) {
        SetUp();
        game->Players.Table[1].Credits = 3;
        const int gold = Make(kGoldStore, 3, 3, 7);
        Make(kFuelTank, 4, 3, fuel), Make(kGenerator, 5, 3);
        Make(kRefinery, 6, 3);
        RunEconomy(*game, 1);
        EXPECT_EQ(game->Players.Table[1].Credits, fuel > 0 ? 8 : 3);
        EXPECT_EQ(Object(gold).Cargo, fuel > 0 ? 2 : 7);
    }
}

TEST_F(EconomyTest, ReinforcementsLandBesideTheLandingModuleOrAreRefunded) {
    struct Case {
        const char* name;
        bool module, blocked, moduleLost;
        int creditsAfter;
        const char* notice;
    };
    const Case cases[] = {
        {"lands", true, false, false, 8, "Прибыло подкрепление: «Танк»"},
        {"no room", true, true, false, 20,
         "Подкрепление «Танк» не прибыло: рядом с посадочным модулем нет места; кредиты возвращены"},
        {"module lost", true, false, true, 20,
         "Подкрепление «Танк» не прибыло: нет посадочного модуля; кредиты возвращены"},
        {"never a module", false, false, false, 20, ""},
    };
    for (const Case& c : cases) {
        SetUp();
        game->Players.Table[1].Credits = 20;
        game->Players.Table[1].Purchasable[kTank] = 1;
        const int module = c.module ? Make(kLandingModule, 10, 10) : 0;
        const Outcome bought = Run(cmd::BuyReinforcement{kTank});
        EXPECT_EQ(bought.accepted, c.module) << c.name;
        if (!c.module) {
            EXPECT_EQ(bought.reason, "Нет посадочного модуля: подкреплению некуда прибыть");
        }
        if (c.blocked) PaintGround(7, 7, std::vector<std::string>(7, "#######"));
        if (c.moduleLost) {
            ASSERT_TRUE(Run(cmd::DestroyStructure{static_cast<i16>(module)}).accepted);
        }
        ASSERT_TRUE(Run(cmd::EndTurn{}, 1).accepted);
        ASSERT_TRUE(Run(cmd::EndTurn{}, 2).accepted);
        EXPECT_EQ(game->Players.Table[1].Credits, c.creditsAfter) << c.name;
        EXPECT_EQ(LastNotice(), c.notice) << c.name;
    }
}

}  // namespace
}  // namespace tarq::testing
