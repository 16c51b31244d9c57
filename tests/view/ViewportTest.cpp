#include <gtest/gtest.h>

#include <cstdlib>

#include "core/Players.h"
#include "core/World.h"
#include "view/Viewport.h"

namespace tarq {
namespace {

class ViewportTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        game->World.MapWidth = 100;
        game->World.MapHeight = 100;
    }
    Game& g() { return *game; }
    TViewSettings& v() { return game->ViewSettings; }
    std::unique_ptr<Game> game;
};

TEST_F(ViewportTest, ScaleGivesCellSizeAndVisibleCells) {
    struct Case {
        int scale, mapW, width, height, cell, cols, rows;
    };
    const Case cases[] = {
        {5, 400, 544, 400, 3, 182, 134}, {15, 100, 544, 400, 9, 61, 45},
        {50, 100, 544, 400, 32, 18, 13}, {100, 100, 544, 400, 64, 9, 7},
        {120, 100, 544, 400, 76, 8, 6},  {15, 50, 544, 400, 9, 50, 45},  // narrower map than the screen
        {1, 100, 544, 400, 1, 100, 100},                                 // size 0 is raised to 1
    };
    for (const Case& c : cases) {
        g().World.MapWidth = static_cast<i16>(c.mapW);
        g().World.MapHeight = static_cast<i16>(c.mapW);
        v().Scale = static_cast<u16>(c.scale);
        UpdateViewGeometry(g(), c.width, c.height);
        EXPECT_EQ(g().CellPixels, c.cell) << "scale " << c.scale;
        EXPECT_EQ(g().VisibleCols, c.cols) << "scale " << c.scale;
        EXPECT_EQ(g().VisibleRows, c.rows) << "scale " << c.scale;
    }
}

TEST_F(ViewportTest, ClampKeepsTheFirstCellInsideTheMap) {
    struct Case {
        int first, visible, mapSize, expected;
    };
    const Case cases[] = {{-10, 20, 100, 1}, {0, 20, 100, 1},    {1, 20, 100, 1}, {80, 20, 100, 80},
                          {81, 20, 100, 80}, {500, 20, 100, 80}, {5, 50, 50, 1},  {30, 60, 50, 1}};
    for (const Case& c : cases) {
        g().World.MapWidth = g().World.MapHeight = static_cast<i16>(c.mapSize);
        g().VisibleCols = g().VisibleRows = static_cast<i16>(std::min(c.visible, c.mapSize));
        v().FirstCol = v().FirstRow = static_cast<i16>(c.first);
        v().ViewCenterCol = -7;
        ClampView(g());
        EXPECT_EQ(v().FirstCol, c.expected) << "first " << c.first;
        EXPECT_EQ(v().FirstRow, c.expected) << "first " << c.first;
        EXPECT_EQ(v().ViewCenterCol, -7);  // the centre is not clamped
    }
}

TEST_F(ViewportTest, HoveredCellTruncatesTowardZero) {
    g().CellPixels = 32;
    v().FirstCol = 10;
    v().FirstRow = 20;
    v().ViewOffsetX = 16;
    v().ViewOffsetY = 5;
    struct Case {
        int mouseX, mouseY, col, row;
    };
    const Case cases[] = {
        {16, 5, 10, 20},
        {47, 36, 10, 20},
        {48, 37, 11, 21},
        {10, 0, 10, 20},              // a few pixels left of / above the origin: still the first cell
        {-17, -28, 9, 19},            // a whole cell left of it: one less
        {16 + 32 * 200, 5, 210, 20},  // not clamped to the map
    };
    for (const Case& c : cases) {
        g().MouseX = c.mouseX;
        g().MouseY = c.mouseY;
        UpdateHoverCell(g());
        EXPECT_EQ(g().HoverCol, c.col) << c.mouseX;
        EXPECT_EQ(g().HoverRow, c.row) << c.mouseY;
    }
}

TEST_F(ViewportTest, ScaleChangeRecentresOnTheCentreCell) {
    v().ViewCenterCol = 50;
    v().ViewCenterRow = 40;
    v().ScreenCenterX = 272;
    v().ScreenCenterY = 200;
    const ScaleLabels labels = SScaleChange(g(), 15, 544, 400);
    EXPECT_EQ(v().Scale, 15);
    EXPECT_EQ(g().ViewChanged, 1);
    EXPECT_EQ(labels.cols, "61");
    EXPECT_EQ(labels.rows, "45");
    EXPECT_EQ(labels.spriteSize, "9 X 9");
    EXPECT_EQ(v().FirstCol, 50 - 30);
    EXPECT_EQ(v().FirstRow, 40 - 22);
    // The left/top edge of the centre cell is on the screen centre.
    EXPECT_EQ(v().ViewOffsetX + (v().ViewCenterCol - v().FirstCol) * g().CellPixels, 272);
    EXPECT_EQ(v().ViewOffsetY + (v().ViewCenterRow - v().FirstRow) * g().CellPixels, 200);
}

TEST_F(ViewportTest, ScaleChangeOffsetsWrapIn16Bits) {
    v().ScreenCenterX = 40000;  // beyond i16: the offset wraps as the field does
    v().ScreenCenterY = 0;
    SScaleChange(g(), 100, 544, 400);  // 64-pixel cells, 9 x 7 visible
    EXPECT_EQ(v().ViewOffsetX, static_cast<i16>(40000 - 64 * 4));
    EXPECT_EQ(v().ViewOffsetX, 40000 - 64 * 4 - 65536);
    EXPECT_EQ(v().ViewOffsetY, -64 * 3);
}

TEST_F(ViewportTest, WheelHoldsTheBarWithinItsBounds) {
    struct Case {
        int position;
        bool zoomIn;
        int expected;
        bool changed;
    };
    const Case cases[] = {{15, true, 17, true},    {15, false, 13, true}, {119, true, 120, true},
                          {120, true, 120, false}, {5, false, 5, false},  {6, false, 5, true}};
    for (const Case& c : cases) {
        g().ViewChanged = 0;
        v().FirstCol = 33;
        const WheelZoom zoom = MouseWheelZoom(g(), c.position, c.zoomIn);
        EXPECT_EQ(zoom.position, c.expected) << c.position;
        EXPECT_EQ(zoom.changed, c.changed) << c.position;
        EXPECT_EQ(g().ViewChanged, 1);
        EXPECT_EQ(v().FirstCol, 33);  // the wheel itself never re-centres
    }
}

TEST_F(ViewportTest, MinimapPressCentresOnTheCellUnderIt) {
    g().VisibleCols = 20;
    g().VisibleRows = 15;
    struct Case {
        int x, y, firstCol, firstRow;
    };
    const Case cases[] = {
        {98, 98, 50 - 10, 50 - 7}, {0, 0, -10, -7},  // near the left/top edge: negative until the next clamp
        {1, 1, -10, -7},                             // 100/196 truncates to 0
        {2, 195, 1 - 10, 99 - 7},  {-20, 300, -10 - 10, 153 - 7},  // dragged outside: truncation toward zero
    };
    for (const Case& c : cases) {
        MinimapPress(g(), c.x, c.y, 196, 196);
        EXPECT_EQ(v().FirstCol, c.firstCol) << c.x;
        EXPECT_EQ(v().FirstRow, c.firstRow) << c.y;
        EXPECT_EQ(v().ViewCenterCol, c.firstCol + 10);
        EXPECT_EQ(v().ViewCenterRow, c.firstRow + 7);
        EXPECT_EQ(g().MinimapDrag, 1);
    }
    MinimapPress(g(), 0, 0, 196, 196);
    ClampView(g());
    EXPECT_EQ(v().FirstCol, 1);
    EXPECT_EQ(v().ViewCenterCol, 0);  // the centre keeps the unclamped value
}

TEST_F(ViewportTest, MinimapMoveFollowsOnlyWhileHeldAndEndsARightDrag) {
    g().VisibleCols = 20;
    g().VisibleRows = 20;
    v().FirstCol = 5;
    g().RightDrag = 1;
    EXPECT_FALSE(MinimapMove(g(), 98, 98, 196, 196));
    EXPECT_EQ(g().RightDrag, 0);
    EXPECT_EQ(v().FirstCol, 5);
    MinimapPress(g(), 0, 0, 196, 196);
    EXPECT_TRUE(MinimapMove(g(), 98, 98, 196, 196));
    EXPECT_EQ(v().FirstCol, 40);
    MinimapRelease(g());
    EXPECT_FALSE(MinimapMove(g(), 0, 0, 196, 196));
    EXPECT_EQ(v().FirstCol, 40);
}

TEST_F(ViewportTest, DragStepGrowsWithTheCell) {
    const std::pair<int, int> cases[] = {{3, 3}, {9, 3}, {32, 4}, {64, 5}, {70, 6}, {76, 5}};
    for (auto [cell, step] : cases) EXPECT_EQ(DragStep(cell), step) << cell;
}

TEST_F(ViewportTest, DragMovesTheOffsetAndStepsTheFirstCell) {
    struct Move {
        int x, y;
    };
    struct Case {
        bool screenMoves;
        int cell, offset, first;
        Move move;
        int offsetAfter, firstAfter;
    };
    const Case cases[] = {
        // The map follows the mouse (default): 3 pixels, directions reversed.
        {false, 32, 10, 20, {101, 100}, 13, 20},
        {false, 32, 31, 20, {101, 100}, 0, 19},  // past the cell size: next cell to the left
        {false, 32, 32, 20, {101, 100}, 0, 19},
        {false, 32, 29, 20, {101, 100}, 32, 20},  // exactly the cell size is kept
        {false, 32, 10, 20, {99, 100}, 7, 20},
        {false, 32, 2, 20, {99, 100}, 32, 21},  // below 0: back to the cell size, next cell
        // The screen follows the mouse (CheckBox12): the cell-dependent step, directions as the mouse.
        {true, 64, 10, 20, {101, 100}, 5, 20},
        {true, 64, 4, 20, {101, 100}, 64, 21},
        {true, 64, 10, 20, {99, 100}, 15, 20},
        {true, 64, 60, 20, {99, 100}, 0, 19},
        {true, 9, 10, 20, {100, 100}, 10, 20},  // no movement along the axis: nothing
    };
    for (const Case& c : cases) {
        g().CellPixels = static_cast<u16>(c.cell);
        g().VisibleCols = 11;
        g().VisibleRows = 11;
        v().ViewOffsetX = static_cast<i16>(c.offset);
        v().FirstCol = static_cast<i16>(c.first);
        v().ViewOffsetY = 0;
        v().FirstRow = 3;
        g().DragStartX = 100;
        g().DragStartY = 100;
        g().RightDrag = 1;
        g().ViewChanged = 0;
        ASSERT_TRUE(DragView(g(), c.move.x, c.move.y, c.screenMoves));
        EXPECT_EQ(v().ViewOffsetX, c.offsetAfter) << c.screenMoves << " " << c.offset << " -> " << c.move.x;
        EXPECT_EQ(v().FirstCol, c.firstAfter) << c.screenMoves << " " << c.offset << " -> " << c.move.x;
        EXPECT_EQ(g().DragStartX, c.move.x);
        EXPECT_EQ(v().ViewOffsetY, 0);
        EXPECT_EQ(v().ViewCenterCol, c.firstAfter + 5);
        EXPECT_EQ(v().ViewCenterRow, 3 + 5);
        EXPECT_EQ(g().ViewChanged, 1);
    }
}

TEST_F(ViewportTest, DraggingLeftOfColumnOneCyclesTheOffsetUntilTheClamp) {
    g().CellPixels = 9;
    g().VisibleCols = g().VisibleRows = 61;
    v().FirstCol = 1;
    v().ViewOffsetX = 0;
    g().RightDrag = 1;
    g().DragStartX = 0;
    for (int x = 1; x <= 40; ++x) {
        DragView(g(), x, 0, false);
        ClampView(g());
        EXPECT_EQ(v().FirstCol, 1);
        EXPECT_GE(v().ViewOffsetX, 0);
        EXPECT_LE(v().ViewOffsetX, 9);
    }
}

TEST_F(ViewportTest, InitialViewScaleFitsTheMapWidth) {
    struct Case {
        int mapW, barBefore, scale, bar;
        bool changed;
        int scaleAfter;
    };
    const Case cases[] = {
        {50, 15, 17, 17, true, 17},
        {100, 15, 8, 8, true, 8},
        {200, 15, 4, 5, true, 5},
        {400, 15, 2, 5, true, 5},
        {400, 5, 2, 5, false, 5},  // the bar already at 5: no OnChange, yet the zoom is
                                   // the bar's
        {60, 14, 14, 14, false, 14},
    };
    for (const Case& c : cases) {
        g().World.MapWidth = static_cast<i16>(c.mapW);
        g().World.MapHeight = static_cast<i16>(c.mapW / 2);
        const InitialScale init = StartInitialView(g(), 552, 540, 500, c.barBefore, 544, 480);
        EXPECT_EQ(init.barPosition, c.bar) << c.mapW;
        EXPECT_EQ(init.changed, c.changed) << c.mapW;
        EXPECT_EQ(v().Scale, c.scaleAfter) << c.mapW;
        EXPECT_EQ(v().ViewCenterCol, c.mapW / 2);
        EXPECT_EQ(v().ViewCenterRow, c.mapW / 4);
        EXPECT_EQ(v().ScreenCenterX, 270);
        EXPECT_EQ(v().ScreenCenterY, 250);
        if (c.changed) {
            EXPECT_EQ(init.labels.spriteSize, std::to_string(g().CellPixels) + " X " + std::to_string(g().CellPixels));
        }
        FinishInitialView(g(), 544, 480);
        EXPECT_EQ(v().FirstCol, 1);
        EXPECT_EQ(v().FirstRow, 1);
        EXPECT_EQ(g().CellPixels, std::max(1, static_cast<int>(c.scaleAfter * 64.0 / 100.0)));
    }
}

TEST_F(ViewportTest, MinimapTakesEachCellsColourFromThePalette) {
    g().World.MapWidth = 4;
    g().World.MapHeight = 3;
    Bitmap palette(6, 1, 0xFF000000u);
    for (int t = 0; t < 6; ++t) palette.at(t, 0) = 0xFF000000u | static_cast<Pixel>(t * 0x10);
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 3; ++r) g().World.Terrain(c, r) = static_cast<u8>(c + r - 1);
    g().World.Terrain(2, 2) = 200;  // past the palette's end
    const Pixel fill = 0xFF123456u;
    const Bitmap minimap = RebuildMinimap(g(), palette, fill);
    ASSERT_EQ(minimap.width, 4);
    ASSERT_EQ(minimap.height, 3);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y) {
            Pixel expected = fill;  // column 0 and row 0 stay; column 4 and row 3 are clipped
            if (x >= 1 && y >= 1 && !(x == 2 && y == 2)) expected = palette.at(x + y - 1, 0);
            EXPECT_EQ(minimap.at(x, y), expected) << x << "," << y;
        }
}

// A team mark stands apart from any ground, even ground of its own colour:
// its ring is far in brightness from the terrain around it.
TEST_F(ViewportTest, MinimapMarksAreRingedApartFromTheTerrain) {
    const auto brightness = [](Pixel p) {
        return (static_cast<int>((p >> 16) & 0xFF) * 299 + static_cast<int>((p >> 8) & 0xFF) * 587 +
                static_cast<int>(p & 0xFF) * 114) /
               1000;
    };
    g().World.MapWidth = g().World.MapHeight = 8;
    g().Players.Count = 2;
    TGameObject& unit = g().Object(1);
    unit.Owner = 1, unit.CellCount = 1, unit.Cells[1] = {4, 4};
    const Pixel team = TeamColourAt(PlayerColourIndex(g(), 1)).base;
    for (const Pixel ground : {team, 0xFF14285Au, 0xFF2E6E2Eu, 0xFF808080u, 0xFF000000u, 0xFFFFFFFFu}) {
        const Bitmap minimap = RebuildMinimap(g(), Bitmap(1, 1, ground));
        EXPECT_EQ(minimap.at(4, 4), team);
        for (int y = 3; y <= 5; ++y)
            for (int x = 3; x <= 5; ++x) {
                if (x == 4 && y == 4) continue;
                EXPECT_GE(std::abs(brightness(minimap.at(x, y)) - brightness(ground)), 100) << std::hex << ground;
            }
    }
}

TEST_F(ViewportTest, SyncGivesBarsCentreAndTheFrameOfVisibleCells) {
    v().FirstCol = 3;
    v().FirstRow = 2;
    g().VisibleCols = 4;
    g().VisibleRows = 3;
    g().ViewChanged = 1;
    const ViewSync sync = SyncViewControls(g(), 545, 401);
    EXPECT_EQ(sync.colPosition, 3);
    EXPECT_EQ(sync.colPage, 4);
    EXPECT_EQ(sync.rowPosition, 2);
    EXPECT_EQ(sync.rowPage, 3);
    EXPECT_EQ(v().ScreenCenterX, 272);
    EXPECT_EQ(v().ScreenCenterY, 200);
    EXPECT_EQ(g().ViewChanged, 0);
    EXPECT_EQ(sync.frame, (CellRect{3, 2, 7, 5}));

    const Pixel white = 0xFFFFFFFFu;
    const Bitmap overlay = DrawMinimapFrame(10, 8, sync.frame, white);
    ASSERT_EQ(overlay.width, 10);
    ASSERT_EQ(overlay.height, 8);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 8; ++y) {
            const bool inside = x >= 3 && x <= 6 && y >= 2 && y <= 4;
            const bool edge = inside && (x == 3 || x == 6 || y == 2 || y == 4);
            EXPECT_EQ(overlay.at(x, y), edge ? kMinimapFrameColour : white) << x << "," << y;
        }
    // A frame running past the map is clipped, not wrapped.
    const Bitmap clipped = DrawMinimapFrame(10, 8, CellRect{-2, 6, 20, 30}, white);
    EXPECT_EQ(clipped.at(0, 6), kMinimapFrameColour);
    EXPECT_EQ(clipped.at(9, 6), kMinimapFrameColour);
    EXPECT_EQ(clipped.at(5, 7), white);
    EXPECT_EQ(kMinimapFrameColour, 0xFF800000u);  // maroon $000080
}

TEST_F(ViewportTest, OverlayButtonsFormThreeRowsFromTheBottom) {
    std::array<ButtonBox, kOverlayButtons> current{};
    for (auto& b : current) b = {50, 50, 40, 20};
    current[1].width = 45;         // Button8
    current[3].height = 25;        // Button4 starts the middle row
    current[6] = {7, 60, 40, 22};  // Button1 starts the top row, was at top 60
    current[9] = {9, 9, 80, 18};   // Button11
    const auto placed = LayOutOverlayButtons(current, 144);
    EXPECT_EQ(placed[0], (ButtonBox{1, 124, 40, 20}));   // Button7: bottom on the panel's bottom
    EXPECT_EQ(placed[1], (ButtonBox{41, 124, 45, 20}));  // Button8
    EXPECT_EQ(placed[2], (ButtonBox{86, 124, 40, 20}));  // Button9
    EXPECT_EQ(placed[3], (ButtonBox{1, 99, 40, 25}));    // Button4
    EXPECT_EQ(placed[5].top, 99);
    EXPECT_EQ(placed[6], (ButtonBox{1, 77, 40, 22}));   // Button1
    EXPECT_EQ(placed[8], (ButtonBox{81, 77, 40, 20}));  // Button3
    EXPECT_EQ(placed[9], (ButtonBox{1, 42, 80, 18}));   // Button11 above Button1's old top
}

}  // namespace
}  // namespace tarq
