#include <gtest/gtest.h>

#include "core/World.h"
#include "setup/Launch.h"
#include "world/LandingSectors.h"

namespace tarq {
namespace {

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        MakeMap(50, 50);
    }
    // What generation leaves in layer 1: the terrain picture, shown.
    void MakeMap(int width, int height) {
        game->World.MapWidth = static_cast<i16>(width);
        game->World.MapHeight = static_cast<i16>(height);
        for (int c = 1; c <= width; ++c)
            for (int r = 1; r <= height; ++r) {
                game->Map(c, r).Layers[kLayerTerrain] = TSpriteRef{4, 1, 0, -1, 1};
                game->World.Passability(c, r) = kPassLand;
            }
    }
    int Shown() const {
        int n = 0;
        for (int c = 1; c <= game->World.MapWidth; ++c)
            for (int r = 1; r <= game->World.MapHeight; ++r) n += game->Map(c, r).Layers[kLayerTerrain].show;
        return n;
    }
    u8 Show(int c, int r) const { return game->Map(c, r).Layers[kLayerTerrain].show; }
    std::unique_ptr<Game> game;
};

TEST(SettingIntegerTest, AcceptsWholeSixteenBitNumbersOnly) {
    // The accepted texts, then the refused ones.
    // clang-format off
    const std::pair<const char*, std::optional<i16>> cases[] = {
        {"10", 10},        {" 18 ", 18},   {"-3", -3},       {"+7", 7},        {"0", 0},
        {"32767", 32767},  {"-32768", -32768},
        {"", std::nullopt},     {"  ", std::nullopt},   {"abc", std::nullopt},  {"10.5", std::nullopt},
        {"1e3", std::nullopt},  {"12a", std::nullopt},  {"$1F", std::nullopt},  {"+-5", std::nullopt},
        {"-", std::nullopt},    {"32768", std::nullopt}, {"99999999999", std::nullopt}, {"1 2", std::nullopt},
    };
    // clang-format on
    for (auto [text, expected] : cases) EXPECT_EQ(ParseSettingInteger(text), expected) << '"' << text << '"';
}

TEST_F(LaunchTest, AnimationPeriodsComeFromTheSettingsOrStopTheLaunch) {
    EXPECT_TRUE(ReadAnimPeriods(*game, "10", "18").ok);
    EXPECT_EQ(game->SlowAnimPeriod, 10);
    EXPECT_EQ(game->TwoFrameAnimPeriod, 18);
    struct Case {
        const char* sfps2;
        const char* sfps3;
        const char* field;
    };
    const Case cases[] = {{"abc", "5", "SFPS2"}, {"7", "x", "SFPS3"}, {"", "", "SFPS2"}};
    for (const Case& c : cases) {
        const LaunchStep step = ReadAnimPeriods(*game, c.sfps2, c.sfps3);
        EXPECT_FALSE(step.ok);
        EXPECT_NE(step.message.find(c.field), std::string::npos) << step.message;
        EXPECT_NE(step.message.find("целое число"), std::string::npos) << step.message;
        EXPECT_EQ(game->SlowAnimPeriod, 10);  // nothing written
        EXPECT_EQ(game->TwoFrameAnimPeriod, 18);
    }
    const LaunchStep field = ReadAnimPeriods(*game, "abc", "5");
    EXPECT_NE(field.message.find("Частота мерцания малокадровой графики"), std::string::npos);
    EXPECT_NE(field.message.find("«abc»"), std::string::npos);
}

TEST_F(LaunchTest, WithoutSectorsTheLaunchGoesOnAndTheWholeMapShows) {
    game->World.LandingSectors[3][3] = 1;  // marked earlier: ignored
    for (int c = 1; c <= 50; ++c) game->Map(c, 7).Layers[kLayerTerrain].show = 0;
    const LaunchStep step = ApplyLandingSectors(*game, false);
    EXPECT_TRUE(step.ok);
    EXPECT_EQ(game->UseLandingSectors, 0);
    EXPECT_EQ(Shown(), 50 * 50);
}

TEST_F(LaunchTest, NoMarkedSectorRefusesAndHidesTheMap) {
    const LaunchStep step = ApplyLandingSectors(*game, true);
    EXPECT_FALSE(step.ok);
    EXPECT_EQ(step.message, "Как насчет задать сектора для высадки?");
    EXPECT_EQ(game->UseLandingSectors, 1);
    EXPECT_EQ(Shown(), 0);
    // A sector taken by another player does not count as chosen.
    game->World.LandingSectors[2][2] = 2;
    EXPECT_FALSE(ApplyLandingSectors(*game, true).ok);
}

TEST_F(LaunchTest, SectorsWhereNoBaseCanLandOrMoreThanAShareAreRefused) {
    for (int c = 1; c <= 50; ++c)
        for (int r = 1; r <= 20; ++r) game->World.Passability(c, r) = kPassWater;
    struct Case {
        int players;
        bool checkBox2;
        int columns, firstRow, rows;  // the claimed sectors; sector rows 0..3 are water
        const char* message;
    };
    const Case cases[] = {
        {2, false, 0, 0, 0, kSectorsRequiredMessage},
        {1, true, 10, 0, 4, kNoLandInSectorsMessage},
        {2, true, 10, 4, 6, "каждому из 2 игроков можно не больше 50"},
        {2, false, 5, 5, 4, nullptr},
        {1, true, 10, 3, 2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        game->Players.Count = static_cast<u8>(c.players);
        for (int sx = 0; sx < kSectorGrid; ++sx)
            for (int sy = 0; sy < kSectorGrid; ++sy) {
                const bool claimed = sx < c.columns && sy >= c.firstRow && sy < c.firstRow + c.rows;
                game->World.LandingSectors[sx][sy] = claimed ? kSectorClaimed : kSectorFree;
            }
        const LaunchStep step = ApplyLandingSectors(*game, c.checkBox2);
        EXPECT_EQ(step.ok, c.message == nullptr);
        if (c.message) {
            EXPECT_NE(step.message.find(c.message), std::string::npos) << step.message;
        }
        EXPECT_EQ(game->UseLandingSectors, 1);
    }
}

TEST_F(LaunchTest, MarkingSectorsAfterARefusalLetsTheNextPressShowThem) {
    ASSERT_FALSE(ApplyLandingSectors(*game, true).ok);
    game->World.LandingSectors[0][0] = 1;
    game->World.LandingSectors[9][9] = 1;
    const LaunchStep step = ApplyLandingSectors(*game, true);
    ASSERT_TRUE(step.ok);
    // Sector (0, 0) covers columns and rows 1..4, sector (9, 9) 45..49; 50 is in none.
    EXPECT_EQ(Shown(), 4 * 4 + 5 * 5);
    EXPECT_EQ(Show(1, 1), 1);
    EXPECT_EQ(Show(4, 4), 1);
    EXPECT_EQ(Show(5, 4), 0);
    EXPECT_EQ(Show(45, 49), 1);
    EXPECT_EQ(Show(50, 49), 0);
    EXPECT_EQ(Show(49, 50), 0);
    EXPECT_EQ(Show(50, 50), 0);
    EXPECT_EQ(Show(20, 20), 0);
    // Unchecking the box afterwards shows the whole map again.
    EXPECT_TRUE(ApplyLandingSectors(*game, false).ok);
    EXPECT_EQ(Shown(), 50 * 50);
}

TEST_F(LaunchTest, SectorsOfAWideMapFollowItsOwnSpan) {
    MakeMap(400, 100);
    game->World.LandingSectors[1][9] = 1;  // columns 40..79, rows 90..99
    ASSERT_TRUE(ApplyLandingSectors(*game, true).ok);
    EXPECT_EQ(Shown(), 40 * 10);
    EXPECT_EQ(Show(40, 90), 1);
    EXPECT_EQ(Show(79, 99), 1);
    EXPECT_EQ(Show(80, 99), 0);
    EXPECT_EQ(Show(40, 100), 0);
}

}  // namespace
}  // namespace tarq
