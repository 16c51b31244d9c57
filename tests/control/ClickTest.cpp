// Clicks after the base has landed: what is found under the cursor, selection
// and the menu, and the one-cell step with its facing.
#include <gtest/gtest.h>

#include <algorithm>

#include "control/MapClick.h"
#include "control/UnitMoves.h"
#include "core/FactoryFixture.h"

namespace tarq::testing {
namespace {

constexpr int kTank = 4;  // a land unit drawn in layer 4

class ClickTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        CurrentPlayerEntry(*game).BasePlaced = 1;
        game->CellPixels = 10;
        game->ViewSettings.FirstCol = game->ViewSettings.FirstRow = 1;
        context.checks = DefaultInfoChecks();
    }
    // The mouse over cell (col, row) of a view that starts at cell (1, 1).
    ClickResult ClickCell(int col, int row) {
        game->MouseX = (col - 1) * 10 + 5;
        game->MouseY = (row - 1) * 10 + 5;
        return DXDrawClick(*game, context);
    }
    int Tank(int col, int row) {
        EXPECT_EQ(CreateObject(*game, col, row, kTank, 0), 1);
        game->Object(game->LastCreatedObject).MovesLeft = 5;
        return game->LastCreatedObject;
    }
    ClickContext context;
};

TEST_F(ClickTest, TheHighestPriorityLayerOfTheCellIsFound) {
    struct Case {
        std::array<int, 9> ids;  // by layer 1..8 (index 0 unused)
        u8 readyLayerOn;
        CellFind expected;
    };
    const Case cases[] = {
        {{0, 11, 0, 0, 0, 0, 0, 0, 0}, 0, {0, false}},  // terrain never counts
        {{0, 0, 0, 0, 0, 0, 6, 0, 0}, 0, {6, false}},  {{0, 0, 2, 0, 0, 0, 6, 0, 0}, 0, {2, false}},
        {{0, 0, 2, 3, 0, 0, 6, 0, 0}, 0, {3, false}},  {{0, 0, 2, 3, 4, 0, 6, 0, 0}, 0, {4, false}},
        {{0, 0, 2, 0, 4, 5, 0, 0, 0}, 0, {4, false}},  // connectors and geology never count
        {{0, 0, 2, 3, 4, 0, 6, 7, 8}, 0, {4, false}},  // layer 8 only while ready markers exist
        {{0, 0, 2, 3, 4, 0, 6, 0, 8}, 1, {8, true}},   {{0, 0, 0, 3, 0, 0, 0, 0, 0}, 1, {3, false}},
    };
    for (const Case& c : cases) {
        for (int layer = 1; layer <= kLayers; ++layer)
            LayerAt(4, 4, layer).id = static_cast<i16>(c.ids[static_cast<std::size_t>(layer)]);
        game->ReadyLayerOn = c.readyLayerOn;
        const CellFind find = ObjectAt(*game, 4, 4);
        EXPECT_EQ(find.object, c.expected.object);
        EXPECT_EQ(find.readyMarker, c.expected.readyMarker);
    }
    EXPECT_EQ(ObjectAt(*game, 0, 4).object, 0);
    EXPECT_EQ(ObjectAt(*game, 4, 11).object, 0);
}

TEST_F(ClickTest, FirstClickSelectsAndArmsSecondOpensTheMenuAndDisarms) {
    const int tank = Tank(3, 3);
    game->DragStartX = 27, game->DragStartY = 33;
    ClickResult first = ClickCell(3, 3);
    EXPECT_EQ(game->SelectedObject, tank);
    EXPECT_EQ(game->MoveArmed, 1);
    EXPECT_TRUE(first.updateCursor);
    EXPECT_FALSE(first.openMenu);
    ASSERT_TRUE(first.memo.has_value());
    EXPECT_EQ(first.memo->front().text, game->UnitTypes[kTank].Name);

    ClickResult second = ClickCell(3, 3);
    EXPECT_EQ(game->MoveArmed, 0);
    EXPECT_TRUE(second.openMenu);
    EXPECT_EQ(second.menuX, 27);
    EXPECT_EQ(second.menuY, 33);
    EXPECT_TRUE(second.memo.has_value());
}

TEST_F(ClickTest, AnObjectThatCannotMoveNowIsSelectedUnarmed) {
    struct Case {
        u8 moves, order;
    };
    for (const Case c : {Case{0, 0}, Case{3, 1}, Case{3, 2}}) {
        const int tank = Tank(2 + c.order, 6);
        game->Object(tank).MovesLeft = c.moves;
        game->Object(tank).OrderState = c.order;
        game->MoveArmed = 1;
        ClickCell(2 + c.order, 6);
        EXPECT_EQ(game->SelectedObject, tank);
        EXPECT_EQ(game->MoveArmed, 0);
    }
}

TEST_F(ClickTest, AReadyMarkerOpensTheMenuOnTheFirstClick) {
    const int tank = Tank(5, 5);
    LayerAt(5, 5, kLayerReady).id = static_cast<i16>(tank);
    game->ReadyLayerOn = 1;
    const ClickResult r = ClickCell(5, 5);
    EXPECT_EQ(game->SelectedObject, tank);
    EXPECT_TRUE(r.openMenu);
}

TEST_F(ClickTest, AnEmptyCellShowsItsLayersOnlyWhileNoMoveIsArmed) {
    const int tank = Tank(5, 5);
    ClickCell(5, 5);
    game->MoveArmed = 0;
    const ClickResult readOut = ClickCell(8, 8);
    ASSERT_TRUE(readOut.memo.has_value());
    EXPECT_EQ(readOut.memo->size(), 6u);
    EXPECT_EQ(game->Object(tank).Cells[1], (TCellPos{5, 5}));
}

TEST_F(ClickTest, AClickStepsOneCellTowardItAndTurnsToTheMatchingFacing) {
    struct Case {
        int col, row;  // clicked, from (5, 5)
        TCellPos to;
        int facing;
    };
    const Case cases[] = {
        {5, 1, {5, 4}, 1}, {9, 2, {6, 4}, 2},  {10, 5, {6, 5}, 3}, {7, 9, {6, 6}, 4},
        {5, 6, {5, 6}, 5}, {1, 10, {4, 6}, 6}, {2, 5, {4, 5}, 7},  {4, 4, {4, 4}, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.facing);
        game->SelectedObject = 0;
        const int tank = Tank(5, 5);
        TGameObject& u = game->Object(tank);
        ClickCell(5, 5);  // select and arm
        ASSERT_EQ(game->MoveArmed, 1);
        const ClickResult r = ClickCell(c.col, c.row);
        EXPECT_EQ(u.Cells, SingleCellFootprint(c.to.col, c.to.row));
        TSpriteRef expected = u.Sprites[c.facing];
        expected.id = static_cast<i16>(tank);
        EXPECT_EQ(u.CellSprites[1], expected);
        EXPECT_EQ(LayerAt(c.to.col, c.to.row, kLayerUnits), expected);
        EXPECT_EQ(LayerAt(5, 5, kLayerUnits), EmptySpriteRef);
        EXPECT_EQ(u.MovesLeft, 4);
        EXPECT_EQ(game->MoveArmed, 1);
        ASSERT_TRUE(r.memo.has_value());
        const std::string moves = "Ходы 4/" + std::to_string(u.Stats.Speed);
        EXPECT_TRUE(std::any_of(r.memo->begin(), r.memo->end(), [&](const InfoLine& l) { return l.text == moves; }));
        EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
        DeleteObject(*game, tank);
    }
    EXPECT_EQ(StepFacing(0, 0), 1);
}

TEST_F(ClickTest, StepsStopWithoutMovesAndOnGroundThatRefusesTheUnit) {
    PaintGround(6, 4, {"~"});
    const int tank = Tank(5, 5);
    TGameObject& u = game->Object(tank);
    u.MovesLeft = 2;
    ClickCell(5, 5);
    ClickCell(9, 1);  // toward water: refused, no move spent
    EXPECT_EQ(u.Cells[1], (TCellPos{5, 5}));
    EXPECT_EQ(u.MovesLeft, 2);
    ClickCell(9, 5);
    ClickCell(9, 5);
    EXPECT_EQ(u.Cells[1], (TCellPos{7, 5}));
    EXPECT_EQ(u.MovesLeft, 0);
    const TGameObject before = u;
    const ClickResult r = ClickCell(9, 5);
    EXPECT_EQ(u, before);
    EXPECT_FALSE(r.memo.has_value());  // nothing happens, not even the read-out
}

TEST_F(ClickTest, NoSelectionOrStepWhileASiteOrExitIsAwaited) {
    const int tank = Tank(5, 5);
    game->ClickMode = kClickPlaceSite;
    const ClickResult r = ClickCell(5, 5);
    EXPECT_EQ(game->SelectedObject, 0);
    EXPECT_FALSE(r.memo.has_value());
    EXPECT_NE(tank, 0);
}

}  // namespace
}  // namespace tarq::testing
