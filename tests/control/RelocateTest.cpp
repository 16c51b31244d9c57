// Moving objects keeps the map layers what a full rebuild would draw, and the
// site being positioned follows the mouse around its builder.
#include <gtest/gtest.h>

#include "control/SitePreview.h"
#include "control/UnitMoves.h"
#include "core/FactoryFixture.h"

namespace tarq::testing {
namespace {

constexpr int kTank = 4;       // layer 4
constexpr int kEngineer = 3;   // layers 3 and 4
constexpr int kAircraft = 28;  // layer 6
constexpr int kFactory = 41;   // 2 x 2 structure, layer 3
constexpr int kMiningComplex = 39;

class RelocateTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(16, 16, kPassLand);
    }
    int Make(int type, int col, int row, u8 provisional = 0) {
        EXPECT_EQ(CreateObject(*game, col, row, type, provisional), 1) << type;
        return game->LastCreatedObject;
    }
    void ExpectSound() { EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game)); }
};

TEST_F(RelocateTest, EveryMoveLeavesTheLayersOfAFullRebuild) {
    const int tank = Make(kTank, 2, 2);
    const int engineer = Make(kEngineer, 3, 2);
    const int plane = Make(kAircraft, 4, 2);
    const int factory = Make(kFactory, 6, 6, 1);  // a site: structures joined to the grid never move
    struct Move {
        int object;
        TFootprint to;
    };
    const Move moves[] = {
        {tank, SingleCellFootprint(2, 3)},     {engineer, SingleCellFootprint(3, 3)},
        {plane, SingleCellFootprint(5, 3)},    {factory, BlockFootprint(10, 10)},
        {tank, SingleCellFootprint(3, 2)},      // onto the engineer's old cell
        {engineer, SingleCellFootprint(2, 2)},  // onto the tank's first cell
        {factory, BlockFootprint(1, 14)},      {plane, SingleCellFootprint(4, 2)},
    };
    for (const Move& m : moves) {
        const TFootprint from = game->Object(m.object).Cells;
        RelocateObject(*game, m.object, m.to);
        EXPECT_EQ(game->Object(m.object).Cells, m.to);
        ExpectSound();
        for (const TCellPos& p : from) {
            if (game->Object(m.object).Cells[1] == p) continue;
            for (int layer = 2; layer <= 6; ++layer)
                EXPECT_NE(LayerAt(p.col, p.row, layer).id, m.object) << "layer " << layer;
        }
    }
    // The aircraft left nothing behind in layer 6 on (5, 3).
    EXPECT_EQ(LayerAt(5, 3, kLayerAircraft), EmptySpriteRef);
    EXPECT_EQ(LayerAt(4, 2, kLayerAircraft).id, plane);
    // Releases after moves still leave a sound map: no stale record in the rebuild.
    DeleteObject(*game, tank);
    DeleteObject(*game, factory);
    ExpectSound();
    EXPECT_EQ(LayerAt(3, 2, kLayerUnits), EmptySpriteRef);
    EXPECT_EQ(LayerAt(1, 14, kLayerLarge), EmptySpriteRef);
}

TEST_F(RelocateTest, TheSiteTakesTheBlockTowardTheMouseWhereItFits) {
    // The builder is parked off the map while its site is positioned.
    const int builder = Make(kTank, 8, 8);
    game->Object(builder).Cells = SingleCellFootprint(30, 30);
    const int site = Make(kMiningComplex, 7, 7, 1);
    game->Object(site).OrderState = 2, game->Object(site).BuildLink = static_cast<u8>(builder);
    game->Object(builder).OrderState = 1, game->Object(builder).SiteObject = site;
    game->ClickMode = kClickPlaceSite;
    game->SiteBuilderCol = 8, game->SiteBuilderRow = 8;
    PaintGround(9, 9, {"#"});  // the lower right block is refused
    struct Case {
        int hoverCol, hoverRow;
        TFootprint expected;
    };
    const Case cases[] = {
        {8, 8, BlockFootprint(7, 7)},  {9, 8, BlockFootprint(8, 7)},   {8, 9, BlockFootprint(7, 8)},
        {12, 3, BlockFootprint(8, 7)}, {12, 12, BlockFootprint(8, 7)},  // refused: stays where it was
        {1, 1, BlockFootprint(7, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hoverCol << "," << c.hoverRow);
        game->HoverCol = c.hoverCol, game->HoverRow = c.hoverRow;
        EXPECT_TRUE(MoveSiteWithMouse(*game));
        EXPECT_EQ(game->Object(site).Cells, c.expected);
        EXPECT_EQ(LayerAt(c.expected[1].col, c.expected[1].row, game->Object(site).Layer + 1).id, site);
        ExpectSound();
    }
    game->ClickMode = kClickNormal;
    game->HoverCol = 9, game->HoverRow = 3;
    EXPECT_FALSE(MoveSiteWithMouse(*game));
    EXPECT_EQ(game->Object(site).Cells, BlockFootprint(7, 7));
}

}  // namespace
}  // namespace tarq::testing
