// The fog of war: the scan circle, sight kept by steps, creations,
// destructions and changes of owner equal to a recount, explored cells and
// remembered structures, every read-out with a hidden enemy object, and when
// the fog lifts.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "control/InfoPanel.h"
#include "control/Sight.h"
#include "control/SitePreview.h"
#include "control/StructureList.h"
#include "core/FactoryFixture.h"
#include "core/Random.h"
#include "core/SightCounts.h"
#include "orders/Execute.h"
#include "view/Fog.h"
#include "view/MapOverlays.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

namespace tarq::testing {
namespace {

constexpr int kScout = 2, kTank = 3, kConstructor = 1, kMiningComplex = 39, kStorage = 55;

class FogTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(50, 50, kPassLand);
        game->Players.Count = 2;
        for (int p = 1; p <= 2; ++p) {
            TPlayer& e = game->Players.Table[p];
            e.Number = static_cast<u8>(p);
            e.Colour = static_cast<u8>(p - 1);
            e.Joined = e.BasePlaced = 1;
        }
        game->Sight.On = 1;
        RebuildSight(*game);
    }
    int Make(int owner, int type, int col, int row) {
        const u8 current = game->CurrentPlayer;
        game->CurrentPlayer = static_cast<u8>(owner);
        EXPECT_EQ(CreateObject(*game, col, row, type, 0), 1);
        game->CurrentPlayer = current;
        return game->LastCreatedObject;
    }
    Outcome Run(Command c, u8 player = 1) { return Execute(*game, {player, c}); }
    // Steps `unit` (player 1's) one cell at a time to (col, row), moves topped up.
    void Walk(int unit, int col, int row) {
        for (int guard = 0;
             guard < 200 && game->Object(unit).Cells[1] != TCellPos{static_cast<i16>(col), static_cast<i16>(row)};
             ++guard) {
            game->Object(unit).MovesLeft = 10;
            ASSERT_TRUE(Run(cmd::Step{static_cast<i16>(unit), static_cast<i16>(col), static_cast<i16>(row)}).accepted);
        }
    }
};

// Every radius 0..18 at the corners, the edges and the middle: the counted
// cells are exactly those of the circle that lie on the map.
TEST_F(FogTest, TheScanCircleAtEveryRadiusAndPlace) {
    const std::pair<int, int> places[] = {{1, 1}, {50, 1}, {1, 50}, {50, 50}, {25, 1}, {1, 25}, {50, 30}, {25, 25}};
    for (int radius = 0; radius <= 18; ++radius)
        for (const auto& [col, row] : places) {
            TGameObject& o = Plant(1, kTank, col, row);
            o.Stats.Scan = static_cast<u8>(radius);
            FollowSlot(*game, 1);
            int wrong = 0;
            for (int c = 1; c <= 50; ++c)
                for (int r = 1; r <= 50; ++r) {
                    const int dc = c - col, dr = r - row;
                    const bool inside = dc * dc + dr * dr <= radius * (radius + 1);
                    wrong += (SightCount(*game, 1, c, r) == 1) != inside ? 1 : 0;
                }
            EXPECT_EQ(wrong, 0) << "radius " << radius << " at " << col << "x" << row;
            o = game->ObjectTemplate;
            FollowSlot(*game, 1);
        }
    EXPECT_TRUE(SightMatchesRecount(*game));
}

// Random steps, creations, destructions and changes of owner, through the
// orders and straight through the factory: the kept counters always equal a
// recount from the objects.
TEST_F(FogTest, SightKeptStepByStepEqualsARecount) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        SetUp();
        RandomSource rng([seed] { return seed; });
        rng.Reseed();
        std::vector<int> units;
        for (int k = 0; k < 6; ++k) units.push_back(Make(1 + k % 2, k % 3 == 0 ? kScout : kTank, 5 + 7 * k, 5 + 6 * k));
        for (int round = 0; round < 120; ++round) {
            const int u = units[static_cast<std::size_t>(rng.Random(static_cast<int>(units.size())))];
            switch (rng.Random(4)) {
                case 0:
                case 1:
                    if (game->Object(u).Owner != 0) {
                        game->CurrentPlayer = game->Object(u).Owner;
                        game->Object(u).MovesLeft = 5;
                        Run(cmd::Step{static_cast<i16>(u), static_cast<i16>(1 + rng.Random(50)),
                                      static_cast<i16>(1 + rng.Random(50))},
                            game->CurrentPlayer);
                    }
                    break;
                case 2:
                    if (game->Object(u).Owner != 0) {
                        game->Object(u).Owner = static_cast<u8>(3 - game->Object(u).Owner);
                        FollowSlot(*game, u);
                    }
                    break;
                default:
                    if (game->Object(u).Owner != 0) {
                        DeleteObject(*game, u);
                    } else {
                        const int made = Make(1 + rng.Random(2), kTank, 1 + rng.Random(50), 1 + rng.Random(50));
                        if (made != 0) units.push_back(made);
                    }
            }
            ASSERT_TRUE(SightMatchesRecount(*game)) << "seed " << seed << " round " << round;
        }
    }
}

// A structure seen once stays in memory as it was; the cells stay explored;
// seeing the place again without it forgets it.
TEST_F(FogTest, ExploredCellsAndRememberedStructures) {
    const int scout = Make(1, kScout, 5, 5);
    const int storage = Make(2, kStorage, 30, 5);
    Make(2, kTank, 45, 45);  // player 2 keeps something when the storage goes
    EXPECT_FALSE(SeesObject(*game, 1, storage));
    EXPECT_FALSE(Explored(*game, 1, 30, 5));
    Walk(scout, 25, 5);
    ASSERT_TRUE(SeesObject(*game, 1, storage));
    ASSERT_EQ(SeenStructures(*game, 1).size(), 1u);
    Walk(scout, 5, 5);
    EXPECT_FALSE(SeesCell(*game, 1, 30, 5));
    EXPECT_TRUE(KnowsCell(*game, 1, 30, 5)) << "explored for good";
    game->CurrentPlayer = 2;
    ASSERT_TRUE(Run(cmd::DestroyStructure{static_cast<i16>(storage)}, 2).accepted);
    game->CurrentPlayer = 1;
    ASSERT_EQ(SeenStructures(*game, 1).size(), 1u) << "destroyed out of sight: still remembered";
    EXPECT_EQ(SeenStructures(*game, 1)[0].Slot, storage);
    Walk(scout, 25, 5);
    EXPECT_TRUE(SeenStructures(*game, 1).empty()) << "the place seen again is empty";
}

// With an enemy tank and structure out of sight, nothing a player reads tells
// of them; in sight, they show.
TEST_F(FogTest, NothingHiddenLeaksIntoTheReadOuts) {
    const int tank = Make(1, kScout, 5, 5);
    const int enemy = Make(2, kTank, 40, 40);
    const int depot = Make(2, kStorage, 40, 30);
    game->ViewSettings.Overlays.On.fill(1);
    const auto listed = [&](int slot) {
        for (const StructureEntry& e : ListStructures(*game))
            if (e.slot == slot) return true;
        return false;
    };
    for (bool seen : {false, true}) {
        if (seen) {
            game->Object(tank).Cells = SingleCellFootprint(40, 35);
            FollowSlot(*game, tank);
            RememberStructures(*game);
        }
        EXPECT_EQ(!ShowObjectInfo(*game, enemy, DefaultInfoChecks()).empty(), seen);
        EXPECT_EQ(ShowCellLayers(*game, 40, 40).size(), seen ? 6u : 0u);
        EXPECT_EQ(listed(depot), seen);
        EXPECT_EQ(Run(cmd::Select{static_cast<i16>(enemy)}).accepted, seen);
        game->SelectedObject = 0;
        FrameGeometry g;
        g.firstCol = g.firstRow = 1, g.lastCol = g.lastRow = 50, g.size = 16;
        MapOverlayLayer overlays;
        overlays.Update(*game, g);
        bool marked = false;
        for (const OverlayMark& m : overlays.Marks()) marked = marked || (m.col == 40 && m.row == 40);
        EXPECT_EQ(marked, seen);
        const Bitmap minimap = RebuildMinimap(*game, Bitmap(1, 1, 0xFF808080u));
        EXPECT_EQ(minimap.at(40, 40) != 0xFF000000u && minimap.at(40, 40) != 0xFF808080u, seen);
    }
    // Gone out of sight again: the depot is remembered, the tank is not shown.
    game->Object(tank).Cells = SingleCellFootprint(5, 5);
    FollowSlot(*game, tank);
    EXPECT_TRUE(listed(depot));
    EXPECT_TRUE(ShowObjectInfo(*game, enemy, DefaultInfoChecks()).empty());
    EXPECT_EQ(ShowCellLayers(*game, 40, 40).size(), 1u) << "explored: the ground only";
}

// A site moved onto a block with a hidden object is refused, saying only that
// the place is taken.
TEST_F(FogTest, ASiteOnAHiddenObjectIsRefusedAsTaken) {
    const int constructor = Make(1, kConstructor, 10, 10);
    game->Object(constructor).Cargo = 255;
    game->Object(constructor).Stats.Scan = 0;
    Make(2, kTank, 9, 9);
    const u8 cost = static_cast<u8>(game->UnitStats[kMiningComplex].Cost);
    ASSERT_TRUE(Run(cmd::StartConstruction{static_cast<i16>(constructor), kMiningComplex, 1, cost}).accepted);
    ASSERT_EQ(game->ClickMode, kClickPlaceSite);
    // The builder waits off the map while its site is placed, still seeing its own cell.
    ASSERT_TRUE(SeesCell(*game, 1, 10, 10));
    ASSERT_FALSE(SeesCell(*game, 1, 9, 9));
    ASSERT_NE(game->Object(game->LastCreatedObject).Cells, BlockFootprint(9, 9));
    const Outcome out = Run(cmd::MoveSite{9, 9});
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(out.reason, "место занято");
    EXPECT_FALSE(SiteBlockedByHidden(*game, 11, 11));
}

// The option is the game's and is chosen before it starts; one player, a
// player who lost and the end of the game see everything; mines never.
TEST_F(FogTest, WhenTheFogCovers) {
    const int tank = Make(1, kTank, 5, 5);
    const int enemy = Make(2, kTank, 40, 40);
    EXPECT_TRUE(FogCovers(*game, 1));
    game->Sight.On = 0;
    EXPECT_FALSE(FogCovers(*game, 1));
    EXPECT_TRUE(SeesObject(*game, 1, enemy));
    game->Sight.On = 1;
    game->Players.Table[1].Joined = 0, game->Players.Table[1].BasePlaced = 0;
    game->Players.Table[2].Joined = 0, game->Players.Table[2].BasePlaced = 0;
    EXPECT_TRUE(Run(cmd::UseFog{0}).accepted) << "before the match starts";
    EXPECT_EQ(game->Sight.On, 0);
    EXPECT_TRUE(Run(cmd::UseFog{1}).accepted);
    game->Players.Table[1].BasePlaced = game->Players.Table[2].BasePlaced = 1;
    EXPECT_FALSE(Run(cmd::UseFog{0}).accepted) << "not once the match started";
    DeleteObject(*game, tank);
    EXPECT_FALSE(FogCovers(*game, 1)) << "player 1 lost";
    EXPECT_FALSE(FogCovers(*game, 2)) << "the game is over";
    game->Object(enemy).TypeId = 32;
    Make(1, kTank, 39, 40);
    EXPECT_FALSE(SeesObject(*game, 1, enemy)) << "nobody sees another player's mine";
    game->Players.Count = 1;
    EXPECT_FALSE(FogCovers(*game, 1));
}

}  // namespace
}  // namespace tarq::testing
