// Round trips through a game file at every stage of a short game, on the
// smallest and the largest map: the loaded game equals the original in
// everything the file carries and draws the same frame pixel for pixel; then
// the original and its copy play the next stage in step and stay equal.
#include <gtest/gtest.h>

#include "control/TurnPhases.h"
#include "core/CommandCodec.h"
#include "core/Factory.h"
#include "core/StateHash.h"
#include "gamefile/GameFile.h"
#include "gamefile/GamePlay.h"
#include "orders/Execute.h"
#include "view/GraphicsCache.h"
#include "view/RenderReference.h"
#include "view/Renderer.h"

namespace tarq::testing {
namespace {

// Loaded by the same user: the preferences are theirs, not the file's.
std::unique_ptr<Game> RoundTrip(const Game& game) {
    LoadedGame loaded = ReadGameFile(WriteGameFile(game), "round-trip.tarq", game);
    EXPECT_TRUE(loaded) << loaded.message.toStdString();
    return std::move(loaded.game);
}

// Sheets of 512 small patterns, so most pictures of every layer are drawn.
const ImageList& Sheets() {
    static const ImageList list = [] {
        ImageList l;
        for (int item = 0; item < kImageListItems; ++item)
            l.append() = testref::MakeSheet(4, 32, 16, item != 4, 100 + static_cast<std::uint32_t>(item));
        return l;
    }();
    return list;
}

Bitmap Frame(Game& game) {
    Bitmap back(kSurfaceWidth, kSurfaceHeight, 0xFF000000u);
    FrameCache cache;
    RenderFrame(game, Sheets(), back, cache);
    return back;
}

class RoundTripTest : public ::testing::TestWithParam<int> {};

TEST_P(RoundTripTest, EveryStageLoadsAsSavedAndPlaysOnInStep) {
    std::unique_ptr<Game> original = LaunchedGame(GetParam());
    std::unique_ptr<Game> copy;
    for (const Stage& stage : Stages()) {
        SCOPED_TRACE(stage.name);
        stage.act(*original);
        if (copy) {
            stage.act(*copy);
            ASSERT_EQ(StateDifference(*original, *copy), "") << "played on in step from the loaded game";
        }
        copy = RoundTrip(*original);
        ASSERT_TRUE(copy);
        ASSERT_EQ(StateDifference(*original, *copy), "");
        EXPECT_EQ(StateHash(*copy), StateHash(*original));
        EXPECT_EQ(Frame(*original).pixels, Frame(*copy).pixels);
        ASSERT_EQ(StateDifference(*original, *copy), "") << "after a frame each";
    }
    EXPECT_EQ(original->Turn, 7);
    // Looking around, the mouse and the animation leave the match as it was.
    const std::uint64_t hash = StateHash(*original);
    for (const Command& look : {Command{cmd::Zoom{90}}, Command{cmd::ScrollTo{7, 9}}, Command{cmd::Resize{640, 480}},
                                Command{cmd::ToggleView{4}}, Command{cmd::Select{3}}})
        EXPECT_TRUE(Execute(*original, {1, look}).accepted) << CommandName(look);
    original->MouseX = 33, original->HoverCol = 12;
    for (int tick = 0; tick < 40; ++tick) AdvanceAnimations(*original);
    EXPECT_EQ(StateHash(*original), hash);
}

INSTANTIATE_TEST_SUITE_P(SmallestAndLargestMap, RoundTripTest, ::testing::Values(50, 500));

// Every type of the catalogue, each created on ground that takes it: the
// checks accept every object the game can make; notices at the map's edge
// and the longest text come back too.
TEST(RoundTripTypesTest, EveryTypeLoadsAsSaved) {
    std::unique_ptr<Game> game = LaunchedGame(50);
    for (int c = 1; c <= 50; ++c)
        for (int r = 1; r <= 50; ++r)
            game->World.Passability(c, r) = c <= 20 ? kPassLand : c <= 35 ? kPassCoast : kPassWater;
    for (int type = 1; type <= kDefinedTypes; ++type) {
        bool placed = false;
        for (int i = 0; i < 2500 && !placed; i += 7) placed = CreateObject(*game, 1 + i % 50, 1 + i / 50, type, 0) == 1;
        EXPECT_TRUE(placed) << type;
    }
    AddNotice(*game, 1, 50, 1, "Танк 50x1: путь закрыт");
    AddNotice(*game, 8, 0, 0, std::string(1024, 'x'));
    EXPECT_EQ(StateDifference(*game, *RoundTrip(*game)), "");
}

// Mid-battle: two players' tanks have fired, a mine lies hidden; the loaded
// game is the same and the next shot and step play out the same in both.
TEST(RoundTripTypesTest, AGameMidBattleLoadsAsSavedAndFightsOnInStep) {
    std::unique_ptr<Game> game = LaunchedGame(50);
    Game& g = *game;
    for (int c = 1; c <= 50; ++c)
        for (int r = 1; r <= 50; ++r) g.World.Passability(c, r) = kPassLand;
    g.Players.Count = 2;
    for (int p = 1; p <= 2; ++p) {
        g.Players.Table[p].Number = static_cast<u8>(p), g.Players.Table[p].Colour = static_cast<u8>(p - 1);
        g.Players.Table[p].Joined = g.Players.Table[p].BasePlaced = 1;
    }
    const auto make = [&](int owner, int type, int col, int row) {
        g.CurrentPlayer = static_cast<u8>(owner);
        EXPECT_EQ(CreateObject(g, col, row, type, 0), 1);
        return static_cast<i16>(g.LastCreatedObject);
    };
    const i16 a = make(1, 3, 10, 10), b = make(2, 3, 12, 10), layer = make(2, 8, 20, 20);
    g.Object(layer).Cargo = 10;
    g.CurrentPlayer = 2;
    ASSERT_TRUE(Execute(g, {2, cmd::LayMine{layer, 21, 20}}).accepted);
    g.CurrentPlayer = 1;
    ShowOwnMinesOnly(g);
    ASSERT_TRUE(Execute(g, {1, cmd::Attack{a, b}}).accepted);
    ASSERT_EQ(g.CombatLog.size(), 2u);  // the shot and the answer
    std::unique_ptr<Game> copy = RoundTrip(g);
    ASSERT_EQ(StateDifference(g, *copy), "");
    for (Game* x : {&g, copy.get()}) {
        EXPECT_TRUE(Execute(*x, {1, cmd::Attack{a, b}}).accepted);
        EXPECT_TRUE(Execute(*x, {1, cmd::Step{a, 11, 10}}).accepted);
    }
    EXPECT_EQ(StateDifference(g, *copy), "");
    EXPECT_EQ(StateHash(g), StateHash(*copy));
}

}  // namespace
}  // namespace tarq::testing
