// The first click: refused cells, the order in which the force lands, cargo,
// the mining complex's deposits, the landing marks and the view.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "control/BasePlacement.h"
#include "control/MapClick.h"
#include "core/FactoryFixture.h"
#include "world/LandingSectors.h"

namespace tarq::testing {
namespace {

constexpr int kTank = 4;
constexpr int kBoat = 21;  // water only

class BasePlacementTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(20, 20, kPassLand);
        game->ViewSettings.FirstCol = game->ViewSettings.FirstRow = 1;
        for (int k = 0; k < kPurchaseEntries; ++k) game->PurchaseList(k) = {};
    }
    void Buy(int entry, int type, int cargo = 0) {
        game->PurchaseList(entry) = {static_cast<u8>(type), static_cast<u8>(cargo), 0};
    }
    TCellPos CellOf(int slot) const { return game->Object(slot).Cells[1]; }
};

TEST_F(BasePlacementTest, RefusedCellsChangeNothing) {
    PaintGround(1, 1, {"~,#."});
    Buy(0, kTank);
    struct Case {
        int col, row;
        u8 sectors;
    };
    // water, coast, blocked, off the map, land outside the marked sectors
    const Case cases[] = {{1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {21, 5, 0}, {0, 5, 0}, {4, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.col << "," << c.row);
        game->UseLandingSectors = c.sectors;
        const WorldSnapshot before(*game);
        EXPECT_FALSE(PlaceInitialForce(*game, c.col, c.row));
        EXPECT_TRUE(WorldSnapshot(*game) == before);
    }
    // Inside a marked sector (terrain shown) the same land cell is taken.
    LayerAt(4, 1, kLayerTerrain).show = 1;
    EXPECT_TRUE(PlaceInitialForce(*game, 4, 1));
}

TEST_F(BasePlacementTest, TheForceLandsOnTheClickedCellThenInGrowingSquares) {
    for (int k = 0; k < 11; ++k) Buy(k, kTank, k);
    ASSERT_TRUE(PlaceInitialForce(*game, 10, 10));
    const TCellPos expected[] = {{10, 10}, {11, 10}, {10, 11}, {11, 11},                                // ring 1
                                 {9, 10},  {12, 10}, {9, 11},  {12, 11}, {9, 12}, {10, 12}, {11, 12}};  // ring 2
    for (int k = 0; k < 11; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(CellOf(k + 1), expected[k]);
        EXPECT_EQ(game->Object(k + 1).Cargo, k);
    }
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

TEST_F(BasePlacementTest, EmptyEntriesAndPurchasesThatFitNowhereAreSkipped) {
    Buy(0, 0, 9);
    Buy(3, kBoat, 7);  // no water anywhere
    Buy(4, kTank, 12);
    Buy(100, kTank, 13);
    ASSERT_TRUE(PlaceInitialForce(*game, 5, 5));
    EXPECT_EQ(game->Object(1).TypeId, kTank);
    EXPECT_EQ(game->Object(1).Cargo, 12);
    EXPECT_EQ(CellOf(2), (TCellPos{6, 5}));
    EXPECT_EQ(game->Object(2).Cargo, 13);
    EXPECT_EQ(game->Object(3).Owner, 0);
}

TEST_F(BasePlacementTest, AMiningComplexSetsTheDepositsAroundTheClickedCell) {
    game->World.Resources.fill({2, 5});
    Buy(0, kTank);
    Buy(1, kTank);
    Buy(7, kMiningComplexType, 20);
    ASSERT_TRUE(PlaceInitialForce(*game, 8, 8));
    // The complex lands elsewhere; the deposits follow the click, not the complex.
    EXPECT_NE(CellOf(3), (TCellPos{8, 8}));
    for (int c = 5; c <= 11; ++c)
        for (int r = 5; r <= 11; ++r) {
            SCOPED_TRACE(::testing::Message() << c << "," << r);
            const bool inside = c >= 6 && c <= 10 && r >= 6 && r <= 10;
            TResourceCell want{2, static_cast<u8>(inside ? 0 : 5)};
            if (c == 8 && r == 8) want = {1, 14};
            if (c == 8 && r == 9) want = {3, 1};
            if (c == 9 && r == 9) want = {2, 9};
            EXPECT_EQ(game->World.Resources(c, r).Kind, want.Kind);
            EXPECT_EQ(game->World.Resources(c, r).Amount, want.Amount);
            EXPECT_EQ(LayerAt(c, r, kLayerGeology).idU, want.Kind + 4);
            EXPECT_EQ(LayerAt(c, r, kLayerGeology).Spr, want.Amount);
        }
}

TEST_F(BasePlacementTest, DepositsByTheMapEdgeStayOnTheMap) {
    game->World.Resources.fill({2, 5});
    SetBaseDeposits(*game, 1, 20);
    EXPECT_EQ(game->World.Resources(1, 20).Amount, 14);
    EXPECT_EQ(game->World.Resources(3, 18).Amount, 0);
    EXPECT_EQ(game->World.Resources(1, 21).Amount, 5);  // the border below the map keeps its value
    EXPECT_EQ(game->World.Resources(0, 20).Amount, 5);
}

TEST_F(BasePlacementTest, TheLandingMarksDisappearAndTheViewCentresOnTheBase) {
    game->UseLandingSectors = 1;
    LayerAt(12, 7, kLayerTerrain).show = 1;
    Buy(0, kTank);
    game->CellPixels = 10;
    game->MouseX = 115, game->MouseY = 65;  // cell (12, 7) of a view from (1, 1)
    const ClickContext context{50, 640, 480, DefaultInfoChecks()};
    const ClickResult r = DXDrawClick(*game, context);
    ASSERT_TRUE(r.baseLanded);
    EXPECT_EQ(CurrentPlayerEntry(*game).BasePlaced, 1);
    ASSERT_TRUE(r.zoomTo100.has_value());
    EXPECT_EQ(game->ViewSettings.Scale, 100);
    EXPECT_EQ(r.zoomTo100->cols, std::to_string(game->VisibleCols));
    EXPECT_EQ(game->ViewSettings.FirstCol, 12 - game->VisibleCols / 2);
    EXPECT_EQ(game->ViewSettings.FirstRow, 7 - game->VisibleRows / 2);
    EXPECT_EQ(game->ViewSettings.ViewCenterCol, 12);
    EXPECT_EQ(game->ViewSettings.ViewCenterRow, 7);
    for (int c = 1; c <= 20; ++c)
        for (int r2 = 1; r2 <= 20; ++r2) ASSERT_EQ(LayerAt(c, r2, kLayerTerrain).show, 1);
    EXPECT_EQ(CellOf(1), (TCellPos{12, 7}));
    // Once placed, a click selects instead of landing a second force.
    game->MouseX = (12 - game->ViewSettings.FirstCol) * game->CellPixels + game->ViewSettings.ViewOffsetX + 1;
    game->MouseY = (7 - game->ViewSettings.FirstRow) * game->CellPixels + game->ViewSettings.ViewOffsetY + 1;
    const ClickResult second = DXDrawClick(*game, context);
    EXPECT_FALSE(second.baseLanded);
    EXPECT_EQ(game->SelectedObject, 1);
    EXPECT_EQ(game->Object(2).Owner, 0);
}

TEST_F(BasePlacementTest, AtZoom100TheBarIsLeftAlone) {
    Buy(0, kTank);
    game->CellPixels = 10;
    game->VisibleCols = 9, game->VisibleRows = 7;
    game->MouseX = 35, game->MouseY = 35;
    const ClickResult r = DXDrawClick(*game, {100, 640, 480, DefaultInfoChecks()});
    ASSERT_TRUE(r.baseLanded);
    EXPECT_FALSE(r.zoomTo100.has_value());
    EXPECT_EQ(game->ViewSettings.FirstCol, 4 - 4);
    EXPECT_EQ(game->ViewSettings.FirstRow, 4 - 3);
}

// A game of two players in which player 2 lands.
class JoiningLandingTest : public BasePlacementTest {
protected:
    void SetUp() override {
        BasePlacementTest::SetUp();
        game->Players.Count = 2;
        game->Players.Table[2].Number = 2;
    }
    // Every cell an object of `player` covers.
    std::set<std::pair<int, int>> CellsOf(int player) const {
        std::set<std::pair<int, int>> cells;
        for (const TGameObject& o : game->World.Objects)
            if (o.Owner == player)
                for (const TCellPos& p : o.Cells) cells.insert({p.col, p.row});
        return cells;
    }
};

TEST_F(JoiningLandingTest, TheLandingCoversNoObjectOrConnectorOfAnotherPlayer) {
    constexpr int kConstructor = 1, kAircraft = 28, kGenerator = 40, kPlatform = 54, kRoad = 58, kConnector = 66,
                  kBridge = 67;
    PaintGround(12, 9, {"~~", "~~"});
    struct Foreign {
        int type, col, row;
        bool site;
    };
    const Foreign foreign[] = {{kConnector, 10, 10, false}, {kRoad, 11, 10, false},   {kGenerator, 10, 11, true},
                               {kConnector, 11, 11, true},  {kBridge, 12, 10, false}, {kPlatform, 13, 10, false}};
    game->CurrentPlayer = 1;
    for (const Foreign& f : foreign) {
        ASSERT_EQ(CreateObject(*game, f.col, f.row, f.type, f.site ? 1 : 0), 1) << f.type;
        if (f.site) game->Object(game->LastCreatedObject).OrderState = 2;
    }
    const auto theirs = CellsOf(1);
    game->CurrentPlayer = 2;
    const int kinds[] = {kMiningComplexType, kGenerator, kConstructor, kConstructor, kAircraft};
    for (int k = 0; k < 5; ++k) Buy(k, kinds[k]);
    for (int k = 5; k < 20; ++k) Buy(k, kTank);
    ASSERT_TRUE(PlaceInitialForce(*game, 10, 10));
    for (const auto& cell : CellsOf(2)) EXPECT_EQ(theirs.count(cell), 0u) << cell.first << "," << cell.second;
    EXPECT_EQ(game->World.Connectors(10, 10).Owner, 1);
}

TEST_F(JoiningLandingTest, WithSectorsTheForceLandsInsideThemOrIsRefusedWhole) {
    constexpr int kGenerator = 40;
    // Sectors 2..4 across and down: cells 4..9 of the 20 x 20 map, 36 of them.
    for (int sx = 2; sx <= 4; ++sx)
        for (int sy = 2; sy <= 4; ++sy) game->World.LandingSectors[sx][sy] = kSectorClaimed;
    game->UseLandingSectors = 1;
    ShowLandingArea(*game, true);
    game->CurrentPlayer = 2;
    Buy(0, kGenerator);  // a structure: its connector must go too when refused
    for (int k = 1; k <= 36; ++k) Buy(k, kTank);
    const WorldSnapshot before(*game);
    const LandingResult refused = PlaceInitialForce(*game, 5, 5);
    EXPECT_FALSE(refused);
    ASSERT_FALSE(game->UnitTypes[kTank].Name.empty());
    EXPECT_NE(refused.refusal.find("«" + game->UnitTypes[kTank].Name + "»"), std::string::npos) << refused.refusal;
    EXPECT_TRUE(WorldSnapshot(*game) == before);

    Buy(36, 0);  // one fewer fills the sectors exactly
    ASSERT_TRUE(PlaceInitialForce(*game, 5, 5));
    EXPECT_EQ(CellsOf(2).size(), 36u);
    for (const auto& [c, r] : CellsOf(2)) EXPECT_TRUE(c >= 4 && c <= 9 && r >= 4 && r <= 9) << c << "," << r;
}

}  // namespace
}  // namespace tarq::testing
