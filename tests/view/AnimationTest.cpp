#include <gtest/gtest.h>

#include "core/World.h"
#include "view/Animation.h"

namespace tarq {
namespace {

class AnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        game->SlowAnimPeriod = 10;
        game->TwoFrameAnimPeriod = 18;
    }

    // A ring of n SpriteTable entries from `first`: entry first + i shows
    // picture 100 + i of sheet 3 and names the next one; the last names the first.
    void MakeRing(int first, int n) {
        for (int i = 0; i < n; ++i) {
            TSpriteRef& e = game->SpriteTable[static_cast<std::size_t>(first + i)];
            e.idU = 3;
            e.Spr = static_cast<i16>(100 + i);
            e.SprNext = static_cast<i16>(first + (i + 1) % n);
        }
    }

    // The picture of ring entry `entry` as an object holds it.
    TSpriteRef Picture(int entry, int id) {
        TSpriteRef s = game->SpriteTable[static_cast<std::size_t>(entry)];
        s.id = static_cast<i16>(id);
        s.show = 1;
        return s;
    }

    TGameObject& OneCellObject(int slot, int col, int row, int animClass, int layer, int secondLayer = 0) {
        TGameObject& o = game->World.Objects[slot];
        o.Owner = 1;
        o.Active = 1;
        o.AnimClass = static_cast<u8>(animClass);
        o.CellCount = 1;
        for (int k = 1; k <= 4; ++k) o.Cells[k] = {static_cast<i16>(col), static_cast<i16>(row)};
        o.Layer = static_cast<u8>(layer);
        o.SecondLayer = static_cast<u8>(secondLayer);
        return o;
    }

    std::unique_ptr<Game> game;
};

// Tick numbers at which the picture changes, over `ticks` ticks.
std::vector<int> ChangeTicks(Game& game, int col, int row, int layer, int ticks) {
    std::vector<int> at;
    TSpriteRef last = game.Map(col, row).Layers[layer];
    for (int t = 1; t <= ticks; ++t) {
        AdvanceAnimations(game);
        if (!(game.Map(col, row).Layers[layer] == last)) at.push_back(t);
        last = game.Map(col, row).Layers[layer];
    }
    return at;
}

TEST_F(AnimationTest, PeriodByClassCountsTicksNotSteps) {
    struct Case {
        int animClass;
        int active;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {2, 1, {11, 22, 33}},  // SlowAnimPeriod 10: every 11 ticks
        {3, 1, {19}},          // TwoFrameAnimPeriod 18: every 19 ticks
        {1, 1, {}},            // any other class: every tick (filled below)
        {0, 1, {}},            // still
        {2, 0, {}},            // not active
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.animClass * 10 + c.active);
        SetUp();
        MakeRing(600, 5);
        TGameObject& o = OneCellObject(1, 4, 4, c.animClass, 2);
        o.Active = static_cast<u8>(c.active);
        o.CellSprites[1] = Picture(600, 1);
        game->Map(4, 4).Layers[3] = o.CellSprites[1];
        std::vector<int> expected = c.expected;
        if (c.animClass == 1)
            for (int t = 1; t <= 36; ++t) expected.push_back(t);
        EXPECT_EQ(ChangeTicks(*game, 4, 4, 3, 36), expected);
    }
}

TEST_F(AnimationTest, StepKeepsIdAndShowAndFollowsTheRing) {
    MakeRing(600, 3);
    TGameObject& o = OneCellObject(7, 2, 3, 1, 3);
    o.CellSprites[1] = Picture(600, 7);
    o.CellSprites[1].show = 0;  // a hidden picture stays hidden
    AdvanceAnimations(*game);
    const TSpriteRef expected{3, 101, 7, 602, 0};
    EXPECT_EQ(o.CellSprites[1], expected);
    EXPECT_EQ(game->Map(2, 3).Layers[4], expected);
}

TEST_F(AnimationTest, RingsReturnToTheirStart) {
    for (int n : {2, 16}) {
        SCOPED_TRACE(n);
        SetUp();
        MakeRing(700, n);
        TGameObject& o = OneCellObject(1, 9, 9, 1, 3);
        o.CellSprites[1] = Picture(700, 1);
        const TSpriteRef start = o.CellSprites[1];
        for (int t = 1; t < n; ++t) {
            AdvanceAnimations(*game);
            ASSERT_FALSE(o.CellSprites[1] == start) << "returned early at step " << t;
        }
        AdvanceAnimations(*game);
        EXPECT_EQ(o.CellSprites[1], start);
        EXPECT_EQ(game->Map(9, 9).Layers[4], start);
    }
}

TEST_F(AnimationTest, SecondLayerPutsASecondPictureOnAOneCellObject) {
    MakeRing(600, 4);
    MakeRing(650, 4);
    TGameObject& o = OneCellObject(3, 5, 6, 1, 2, 3);  // layers 3 and 4
    o.CellSprites[1] = Picture(600, 3);
    o.CellSprites[2] = Picture(650, 3);
    AdvanceAnimations(*game);
    EXPECT_EQ(game->Map(5, 6).Layers[3].Spr, 101);
    EXPECT_EQ(game->Map(5, 6).Layers[4].Spr, 101);
    EXPECT_EQ(game->Map(5, 6).Layers[4].SprNext, 652);
    EXPECT_EQ(game->Map(5, 6).Layers[4].id, 3);
}

TEST_F(AnimationTest, FourCellObjectWithSecondLayerAdvancesItsSecondPictureTwice) {
    MakeRing(600, 8);
    TGameObject& o = OneCellObject(2, 10, 10, 1, 1, 4);
    o.CellCount = 4;
    o.Cells[2] = {11, 10};
    o.Cells[3] = {10, 11};
    o.Cells[4] = {11, 11};
    for (int k = 1; k <= 4; ++k) o.CellSprites[k] = Picture(600, 2);
    AdvanceAnimations(*game);
    EXPECT_EQ(o.CellSprites[1].Spr, 101);
    EXPECT_EQ(o.CellSprites[2].Spr, 102);
    EXPECT_EQ(game->Map(11, 10).Layers[2].Spr, 101);  // written before its second step
    EXPECT_EQ(game->Map(11, 10).Layers[5].Spr, 102);
    EXPECT_EQ(game->Map(11, 11).Layers[2].Spr, 101);
}

// An empty picture (SprNext -1) on an animated object must not read before the table.
TEST_F(AnimationTest, SuccessorOutsideTheTableLeavesThePictureAlone) {
    TGameObject& o = OneCellObject(1, 3, 3, 1, 3);
    o.CellSprites[1] = TSpriteRef{9, 5, 1, -1, 1};
    AdvanceAnimations(*game);
    EXPECT_EQ(o.CellSprites[1], (TSpriteRef{9, 5, 1, -1, 1}));
    o.CellSprites[1].SprNext = kSpriteTableSize;
    AdvanceAnimations(*game);
    EXPECT_EQ(o.CellSprites[1].Spr, 5);
}

// The animation keeps time, not frames: the same second in ten ticks or in
// two hundred and fifty gives the same steps, and a long pause goes on from
// where it was instead of racing to catch up.
TEST(AnimationClockTest, StepsFollowTheTimeNotTheFrames) {
    for (const auto& [ticks, each] : {std::pair{10, 100}, std::pair{250, 4}, std::pair{1000, 1}}) {
        AnimationClock clock;
        int steps = 0;
        for (int t = 0; t < ticks; ++t) steps += clock.Advance(each);
        EXPECT_EQ(steps, 1000 / kAnimationStepMs) << ticks << " ticks of " << each << " ms";
    }
    AnimationClock paused;
    EXPECT_EQ(paused.Advance(5000), kMaxStepsPerTick);
    EXPECT_EQ(paused.Advance(kAnimationStepMs - 1), 0);
    EXPECT_EQ(paused.Advance(-40), 0);
}

}  // namespace
}  // namespace tarq
