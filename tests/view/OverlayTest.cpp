#include <gtest/gtest.h>

#include "core/World.h"
#include "view/Overlays.h"

namespace tarq {
namespace {

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        game->World.MapWidth = 6;
        game->World.MapHeight = 5;
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 5; ++r) {
                // Every kind of passability, blocked cells on the diagonal.
                game->World.Passability(c, r) = c == r ? u8{kPassBlocked} : static_cast<u8>(1u << ((c + r) % 3));
                game->World.Resources(c, r) = {static_cast<u8>(1 + c % 3), static_cast<u8>((c * r) % 4)};
                game->Map(c, r).Layers[kLayerGeology] = {static_cast<u8>(5 + c % 3), static_cast<i16>((c * r) % 4), 0,
                                                         0, 0};
            }
        game->Map(2, 2).Layers[kLayerGeology].show = 1;  // blocked cells keep whatever they had
        game->Map(7, 1).Layers[kLayerGeology].show = 0;  // outside the map
    }
    std::unique_ptr<Game> game;
};

TEST_F(OverlayTest, GeologyFollowsTheSwitchOnUnblockedCellsOnly) {
    for (const u8 expected : {u8{1}, u8{0}, u8{1}}) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(ToggleGeology(*game), expected);
        for (int c = 1; c <= 6; ++c)
            for (int r = 1; r <= 5; ++r) {
                const u8 show = game->Map(c, r).Layers[kLayerGeology].show;
                if (c == r)
                    EXPECT_EQ(show, c == 2 ? 1 : 0) << c << "," << r;
                else
                    EXPECT_EQ(show, expected) << c << "," << r << " amount " << int(game->World.Resources(c, r).Amount);
            }
        EXPECT_EQ(game->Map(7, 1).Layers[kLayerGeology].show, 0);
    }
}

TEST_F(OverlayTest, ConnectorsToggleOnlyConnectorCells) {
    game->ViewSettings.ShowConnectors = 1;
    game->World.Connectors(2, 3) = {1, 1};
    game->World.Connectors(4, 4) = {1, 1};
    game->World.Connectors(5, 1) = {1, 0};  // owner without a connector
    game->World.Connectors(1, 2) = {1, 1};  // on the border: no picture, left alone
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 5; ++r) game->Map(c, r).Layers[kLayerConnectors] = {8, 3, 0, 0, 1};
    EXPECT_EQ(ToggleConnectors(*game), 0);
    for (int c = 1; c <= 6; ++c)
        for (int r = 1; r <= 5; ++r) {
            const bool connector = (c == 2 && r == 3) || (c == 4 && r == 4);
            EXPECT_EQ(game->Map(c, r).Layers[kLayerConnectors].show, connector ? 0 : 1) << c << "," << r;
        }
    EXPECT_EQ(ToggleConnectors(*game), 1);
    EXPECT_EQ(game->Map(2, 3).Layers[kLayerConnectors].show, 1);
}

TEST_F(OverlayTest, GridSwitchFlips) {
    EXPECT_EQ(ToggleGrid(*game), 1);
    EXPECT_EQ(game->ViewSettings.ShowGrid, 1);
    EXPECT_EQ(ToggleGrid(*game), 0);
    game->ViewSettings.ShowGrid = 7;  // anything but 0 counts as on
    EXPECT_EQ(ToggleGrid(*game), 0);
}

TEST_F(OverlayTest, WarningRunsOutAfterItsTicks) {
    game->WarnFlashTicks = 4;
    std::vector<bool> restore;
    for (int t = 0; t < 6; ++t) restore.push_back(CountDownWarning(*game));
    EXPECT_EQ(restore, (std::vector<bool>{false, false, false, true, false, false}));
    EXPECT_EQ(game->WarnFlashTicks, -1);
}

TEST(CursorTest, NextMapCursor) {
    struct Case {
        int current;
        bool moveArmed;
        int next;
    };
    const Case cases[] = {{1, false, 2}, {7, false, 8}, {8, false, 1}, {9, false, 1}, {10, false, 1},
                          {0, false, 1}, {1, true, 10}, {8, true, 10}, {9, true, 10}, {10, true, 9}};
    for (const Case& c : cases) EXPECT_EQ(NextMapCursor(c.current, c.moveArmed), c.next) << c.current << c.moveArmed;
}

}  // namespace
}  // namespace tarq
