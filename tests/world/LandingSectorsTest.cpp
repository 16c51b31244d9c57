#include <gtest/gtest.h>

#include "WorldTestSupport.h"
#include "world/LandingSectors.h"
#include "world/MapGenerator.h"
#include "world/MapPreview.h"

namespace tarq {
namespace {

using testing::FixedRandom;
using testing::HashMap;
using testing::MakeMap;

TEST(LandingSectors, CellToSectorRule) {
    struct Case {
        int cell, mapSize, sector;
    };
    const Case cases[] = {
        {1, 50, 0},   {4, 50, 0},   {5, 50, 1},    {44, 50, 8},    {45, 50, 9}, {49, 50, 9}, {50, 50, 10},
        {39, 400, 0}, {40, 400, 1}, {399, 400, 9}, {400, 400, 10}, {1, 0, 10},  {5, 9, 10},  {0, 100, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(SectorOf(c.cell, c.mapSize), c.sector) << c.cell << " of " << c.mapSize;
}

TEST(LandingSectors, FiftyMapSectorExtents) {
    auto game = MakeMap(50, 50);
    game->World.LandingSectors[0][0] = kSectorClaimed;
    game->World.LandingSectors[9][9] = kSectorClaimed;
    int first = 0, last = 0;
    for (int c = 1; c <= 50; ++c)
        for (int r = 1; r <= 50; ++r) {
            if (!CellInSectorState(*game, c, r, kSectorClaimed)) continue;
            if (c <= 4 && r <= 4)
                ++first;
            else if (c >= 45 && c <= 49 && r >= 45 && r <= 49)
                ++last;
            else
                ADD_FAILURE() << c << "," << r;
        }
    EXPECT_EQ(first, 16);
    EXPECT_EQ(last, 25);
}

TEST(LandingSectors, PressesToggleFreeAndClaimedOnly) {
    auto game = NewGame();  // no map yet: presses still count
    Image2MouseDownToggle(*game, 0, 0);
    EXPECT_EQ(game->World.LandingSectors[0][0], 1);
    Image2MouseDownToggle(*game, 15, 15);
    EXPECT_EQ(game->World.LandingSectors[0][0], 0);
    Image2MouseDownToggle(*game, 159, 16);
    EXPECT_EQ(game->World.LandingSectors[9][1], 1);
    for (u8 held : {u8{2}, u8{3}, u8{7}}) {
        game->World.LandingSectors[4][5] = held;
        Image2MouseDownToggle(*game, 64, 80);
        EXPECT_EQ(game->World.LandingSectors[4][5], held);
    }
    // Outside the picture: nothing changes.
    const auto before = game->World.LandingSectors[0][0];
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {160, 5}, {5, 160}, {100000, 100000}})
        Image2MouseDownToggle(*game, x, y);
    EXPECT_EQ(game->World.LandingSectors[0][0], before);
    int claimed = 0;
    for (auto& column : game->World.LandingSectors)
        for (u8 s : column) claimed += s == 1;
    EXPECT_EQ(claimed, 1);
}

TEST(LandingSectors, EachPlayerClaimsAtMostAnEqualShare) {
    struct Case {
        int players, share;
    };
    for (const Case& c : {Case{1, 100}, Case{2, 50}, Case{3, 33}, Case{8, 12}}) {
        SCOPED_TRACE(c.players);
        auto game = NewGame();
        game->Players.Count = static_cast<u8>(c.players);
        EXPECT_EQ(SectorShare(*game), c.share);
        for (int x = 8; x < kSectorPicture; x += kSectorPixels)
            for (int y = 8; y < kSectorPicture; y += kSectorPixels) Image2MouseDownToggle(*game, x, y);
        EXPECT_EQ(ClaimedSectorCount(*game), c.share);
        if (c.share == 100) continue;
        // A claim given up makes room for another.
        Image2MouseDownToggle(*game, 8, 8);
        Image2MouseDownToggle(*game, 152, 152);
        EXPECT_EQ(game->World.LandingSectors[0][0], kSectorFree);
        EXPECT_EQ(game->World.LandingSectors[9][9], kSectorClaimed);
        EXPECT_EQ(ClaimedSectorCount(*game), c.share);
    }
}

TEST(LandingSectors, GridPicture) {
    auto game = NewGame();
    game->World.LandingSectors[1][0] = 1;  // claimed
    game->World.LandingSectors[2][0] = 2;  // taken: red
    game->World.LandingSectors[3][0] = 3;  // keeps the red of the sector before
    game->World.LandingSectors[0][1] = 4;  // keeps the red of row 0's last brush
    game->World.LandingSectors[1][1] = 9;  // navy
    game->World.LandingSectors[9][9] = 1;
    const Bitmap grid = DrawSectorGrid(*game);
    ASSERT_EQ(grid.width, 160);
    ASSERT_EQ(grid.height, 160);
    const Pixel T = kSectorGridTransparent, N = kSectorNavy, R = kSectorRed;
    struct Case {
        int x, y;
        Pixel expected;
    };
    const Case cases[] = {
        {0, 0, T},     {0, 50, T},    {50, 0, T},                             // column 0 and row 0 are never drawn
        {1, 1, N},     {17, 1, N},    {1, 17, N},    {17, 17, N}, {9, 9, T},  // free: outline only
        {25, 9, N},    {18, 2, N},    {32, 16, N},                            // claimed: filled navy
        {40, 9, R},    {48, 9, R},    {49, 9, N},                             // taken: red up to the next outline
        {56, 9, R},                                                           // 3 keeps red
        {9, 25, R},                                                           // 4 keeps the last colour, red
        {25, 25, N},                                                          // 9 navy
        {152, 152, N}, {159, 159, N}, {145, 159, N},  // last sector, clipped at the picture edge
        {152, 136, T},
    };
    for (const Case& c : cases) EXPECT_EQ(grid.at(c.x, c.y), c.expected) << c.x << "," << c.y;
    // Outline rows of the first sector row run from pixel 1 to the edge.
    for (int x = 1; x < 160; ++x) ASSERT_EQ(grid.at(x, 1), N) << x;
}

TEST(LandingSectors, TickingAgainDoesNotRegenerate) {
    auto game = NewGame();
    game->World.LandingSectors[2][3] = 1;
    int seeds = 0;
    RandomSource rng([&seeds] { return static_cast<u32>(++seeds); });
    EXPECT_TRUE(EnsureMapGenerated(*game, MapControls{}, rng));
    EXPECT_EQ(game->MapGenerated, 1);
    const auto hash = HashMap(*game);
    EXPECT_FALSE(EnsureMapGenerated(*game, MapControls{}, rng));
    EXPECT_EQ(seeds, 2);
    EXPECT_EQ(HashMap(*game), hash);
    // Generating anew keeps the claims.
    GenerateFromControls(*game, MapControls{}, rng);
    EXPECT_EQ(game->World.LandingSectors[2][3], 1);
}

TEST(MapPreview, OnePixelPerCellFromTheStrip) {
    auto game = MakeMap(50, 50, 1);
    game->World.Terrain(3, 4) = 2;
    game->World.Terrain(5, 5) = 200;  // beyond the strip: left white
    game->World.Terrain(50, 10) = 2;  // last column: outside the picture
    Bitmap strip(10, 1, 0xFF000000u);
    strip.at(1, 0) = 0xFF0000FFu;
    strip.at(2, 0) = 0xFF00FF00u;
    const Bitmap preview = MakeMapPreview(*game, strip);
    ASSERT_EQ(preview.width, 50);
    ASSERT_EQ(preview.height, 50);
    EXPECT_EQ(preview.at(3, 4), 0xFF00FF00u);
    EXPECT_EQ(preview.at(49, 49), 0xFF0000FFu);
    EXPECT_EQ(preview.at(5, 5), kPreviewBackground);
    EXPECT_EQ(preview.at(49, 10), 0xFF0000FFu);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(preview.at(0, i), kPreviewBackground);
        EXPECT_EQ(preview.at(i, 0), kPreviewBackground);
    }
    EXPECT_TRUE(MakeMapPreview(*NewGame(), strip).empty());
    EXPECT_EQ(MakeMapPreview(*game, Bitmap()).at(3, 4), kPreviewBackground);
}

}  // namespace
}  // namespace tarq
