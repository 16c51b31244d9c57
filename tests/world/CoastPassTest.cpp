#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "WorldTestSupport.h"
#include "world/CoastPass.h"

namespace tarq {
namespace {

using testing::MakeMap;

struct ExpectedWrite {
    int dc, dr, code;
};

// The coast table as the game defines it, typed in independently of the
// generator's data: check, the cells written, the patterns joined by ';'.
struct CoastCase {
    int check;
    std::vector<ExpectedWrite> writes;
    const char* patterns;
};

// clang-format off
const std::vector<CoastCase> kCoastTable = {
    {1, {{0, -1, 2}, {0, 1, 2}, {0, 0, 2}, {-1, 0, 29}, {-1, -1, 32}, {-1, 1, 31}}, "###/.##/..C/.##/###"},
    {2, {{0, 0, 41}}, "###/#C./...;###/#C./..#"},
    {2, {{0, 0, 35}}, "###/.C#/...;###/.C#/#.."},
    {2, {{0, 0, 38}}, "###/#C#/...;###/#C#/#..;###/#C#/..#;###/#C#/#.#"},
    {2, {{0, 0, 44}}, "##./#C./#..;##./#C./#.#"},
    {2, {{0, 0, 15}}, "###/#C./#..;###/#C./#.#"},
    {2, {{0, 0, 12}}, ".../#C./##."},
    {2, {{0, 0, 42}}, "#../#C./##.;#.#/#C./##."},
    {2, {{0, 0, 7}}, "##./#C./##.;###/#C./##.;##./#C./###;###/#C./###"},
    {2, {{0, 0, 6}}, "###/#C#/##."},
    {2, {{0, 0, 30}}, ".##/.C#/..#;.##/.C#/#.#"},
    {2, {{0, 0, 16}}, "###/.C#/..#;###/.C#/#.#"},
    {2, {{0, 0, 24}}, ".../.C#/.##"},
    {2, {{0, 0, 28}}, "..#/.C#/.##;#.#/.C#/.##"},
    {2, {{0, 0, 34}}, ".##/.C#/.##;###/.C#/.##;.##/.C#/###;###/.C#/###"},
    {2, {{0, 0, 5}}, "###/#C#/.##"},
    {2, {{0, 0, 23}}, ".../#C./###;..#/#C./###"},
    {2, {{0, 0, 14}}, "#../#C./###;#.#/#C./###"},
    {2, {{0, -1, 34}, {0, 0, 2}, {1, 0, 19}, {0, 1, 2}}, ".##/#C./###"},
    {2, {{0, 0, 21}}, ".../.C#/###;#../.C#/###"},
    {2, {{0, 0, 13}}, "..#/.C#/###;#.#/.C#/###"},
    {2, {{0, 0, 27}}, ".../#C#/###;#../#C#/###;..#/#C#/###;#.#/#C#/###"},
    {2, {{0, 0, 4}}, "##./#C#/###"},
    {2, {{0, 0, 3}}, ".##/#C#/###"},
    {3, {{0, 0, 46}}, "##./#C./##./#..;###/#C./##./#..;##./#C./##./#.#;###/#C./##./#.#"},
    {3, {{0, 0, 32}}, ".##/.C#/.##/..#;###/.C#/.##/..#;.##/.C#/.##/#.#;###/.C#/.##/#.#"},
    {4, {{0, 0, 37}}, "####/#C#./....;####/#C#./#...;####/#C#./...#;####/#C#./#..#"},
    {4, {{0, 0, 26}}, "..../#C#./####;#.../#C#./####;...#/#C#./####;#..#/#C#./####"},
    {5, {{0, 0, 36}}, "####/.#C#/....;####/.#C#/#...;####/.#C#/...#;####/.#C#/#..#"},
    {5, {{0, 0, 25}}, "..../.#C#/####;#.../.#C#/####;...#/.#C#/####;#..#/.#C#/####"},
    {6, {{0, 0, 45}}, "#../##./#C./##.;#.#/##./#C./##.;#../##./#C./###;#.#/##./#C./###"},
    {6, {{0, 0, 31}}, "..#/.##/.C#/.##;#.#/.##/.C#/.##;..#/.##/.C#/###;#.#/.##/.C#/###"},
    {7, {{0, 0, 22}}, "...../.#C#./#####"},
    {8, {{0, 0, 40}}, "#####/.#C#./.....;#####/.#C#./#....;#####/.#C#./....#"},
    {9, {{0, 0, 43}}, "#../##./#C./##./#.."},
    {10, {{0, 0, 29}}, "..#/.##/.C#/.##/..#"},
};
// clang-format on

// (column offset, row offset) of the checked cell's window, per check.
struct Window {
    int colLo, rowLo;
};
const Window kWindows[11] = {{0, 0},   {-2, -2}, {-1, -1}, {-1, -1}, {-1, -1}, {-2, -1},
                             {-1, -2}, {-2, -1}, {-2, -1}, {-1, -2}, {-1, -2}};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
    return parts;
}

// Paints a pattern into the window of `check` around (col, row): '#' and 'C'
// as plain land, '.' as water.
void Paint(Game& game, int check, int col, int row, const std::string& pattern) {
    const std::vector<std::string> rows = Split(pattern, '/');
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            game.World.Terrain(col + kWindows[check].colLo + static_cast<int>(c),
                               row + kWindows[check].rowLo + static_cast<int>(r)) = rows[r][c] == '.' ? 1 : 2;
}

TEST(CoastPass, EveryPatternOfTheTableWritesItsCodes) {
    const int col = 6, row = 6;
    auto game = NewGame();
    for (const CoastCase& entry : kCoastTable)
        for (const std::string& pattern : Split(entry.patterns, ';'))
            for (u8 surround : {u8{1}, u8{2}}) {
                // The cells around the window must not matter.
                testing::ResetMap(*game, 12, 12, surround);
                Paint(*game, entry.check, col, row, pattern);
                auto before = game->World.Terrain;
                const CoastRule* rule =
                    ApplyCoastCheck(*game, entry.check, col, row, ReadNeighbourhood(*game, col, row));
                ASSERT_NE(rule, nullptr) << "check " << entry.check << " " << pattern;
                for (const ExpectedWrite& w : entry.writes) before(col + w.dc, row + w.dr) = static_cast<u8>(w.code);
                for (int c = 1; c <= 12; ++c)
                    for (int r = 1; r <= 12; ++r)
                        ASSERT_EQ(game->World.Terrain(c, r), before(c, r))
                            << "check " << entry.check << " " << pattern << " at " << c << "," << r;
            }
}

TEST(CoastPass, CheckOneWidensAThinPeninsulaTip) {
    auto game = MakeMap(10, 10, 2);
    Paint(*game, 1, 5, 5, "###/.##/..C/.##/###");
    RunCoastPass(*game);
    // The water cell left of the tip became coast; the tip's column is land again.
    EXPECT_EQ(game->World.Terrain(4, 5), 29);
    EXPECT_NE(game->World.Terrain(4, 5), 1);
    EXPECT_EQ(game->World.Terrain(3, 5), 1);
    EXPECT_EQ(game->World.Terrain(3, 4), 1);
}

TEST(CoastPass, CheckTwoListWritesFourCells) {
    auto game = MakeMap(10, 10, 1);
    Paint(*game, 2, 5, 5, ".##/#C./###");
    game->World.Terrain(5, 4) = 7;  // land, but not plain land: overwritten
    ApplyCoastCheck(*game, 2, 5, 5, ReadNeighbourhood(*game, 5, 5));
    EXPECT_EQ(game->World.Terrain(5, 4), 34);
    EXPECT_EQ(game->World.Terrain(5, 5), 2);
    EXPECT_EQ(game->World.Terrain(6, 5), 19);
    EXPECT_EQ(game->World.Terrain(5, 6), 2);
    EXPECT_EQ(game->World.Terrain(4, 4), 1);
}

TEST(CoastPass, LaterChecksOverwriteEarlierOnes) {
    // The 3 x 3 window gives 7 (check 2), the 5-row window of check 9 then 43.
    auto game = MakeMap(12, 12, 1);
    Paint(*game, 9, 6, 6, "#../##./#C./##./#..");
    RunCoastPass(*game);
    EXPECT_EQ(game->World.Terrain(6, 6), 43);

    // Check 2 alone gives 7 for the same window.
    auto single = MakeMap(12, 12, 1);
    Paint(*single, 9, 6, 6, "#../##./#C./##./#..");
    ApplyCoastCheck(*single, 2, 6, 6, ReadNeighbourhood(*single, 6, 6));
    EXPECT_EQ(single->World.Terrain(6, 6), 7);
}

TEST(CoastPass, LoneLandCellStaysPlainLand) {
    auto game = MakeMap(9, 9, 1);
    game->World.Terrain(5, 5) = 2;
    RunCoastPass(*game);
    EXPECT_EQ(game->World.Terrain(5, 5), 2);
}

TEST(CoastPass, FirstColumnAndRowAreNeverChecked) {
    // Shapes that would match check 2 anywhere else.
    auto game = MakeMap(8, 8, 1);
    game->World.Terrain(1, 4) = 2;
    game->World.Terrain(1, 5) = 2;
    game->World.Terrain(4, 1) = 2;
    game->World.Terrain(5, 1) = 2;
    RunCoastPass(*game);
    EXPECT_EQ(game->World.Terrain(1, 4), 2);
    EXPECT_EQ(game->World.Terrain(1, 5), 2);
    EXPECT_EQ(game->World.Terrain(4, 1), 2);
    EXPECT_EQ(game->World.Terrain(5, 1), 2);
}

TEST(CoastPass, OutsideTheMapReadsAsLandWhateverTheStorageHolds) {
    // A cell in the last column: the column beyond the map holds water left
    // over from a larger map, yet it must read as land.
    auto game = MakeMap(8, 8, 1);
    for (int r = 0; r < kGridSpan; ++r) game->World.Terrain(9, r) = 1;
    Paint(*game, 2, 8, 5, "##./#C./###");
    const Neighbourhood around = ReadNeighbourhood(*game, 8, 5);
    for (int dr = -2; dr <= 2; ++dr) EXPECT_TRUE(around & (1u << NeighbourBit(1, dr))) << dr;
    // The same applies on the largest map, where the window leaves the storage.
    auto big = MakeMap(500, 500, 2);
    EXPECT_EQ(ReadNeighbourhood(*big, 500, 500), kAllLand);
}

TEST(CoastPass, NeighbourhoodReadsEveryCodeButWaterAsLand) {
    // Every code, with high bits set or not, next to water.
    auto game = MakeMap(30, 30, 1);
    RandomSource rng;
    rng.SetSeed(5);
    for (int c = 1; c <= 30; ++c)
        for (int r = 1; r <= 30; ++r)
            game->World.Terrain(c, r) = rng.Random(2) == 0 ? 1 : static_cast<u8>(rng.Random(256));
    for (int c = 1; c <= 30; ++c)
        for (int r = 1; r <= 30; ++r) {
            Neighbourhood expected = 0;
            for (int dc = -2; dc <= 2; ++dc)
                for (int dr = -2; dr <= 2; ++dr)
                    if (!game->InMap(c + dc, r + dr) || game->World.Terrain(c + dc, r + dr) != 1)
                        expected |= 1u << NeighbourBit(dc, dr);
            ASSERT_EQ(ReadNeighbourhood(*game, c, r), expected) << c << "," << r;
        }
}

TEST(CoastPass, NothingIsWrittenOutsideTheMap) {
    // Hand-made land against the last row: check 1's list would write below it.
    auto game = MakeMap(8, 8, 1);
    for (int r = 0; r < kGridSpan; ++r)
        for (int c = 0; c < kGridSpan; ++c)
            if (!game->InMap(c, r)) game->World.Terrain(c, r) = 99;
    Paint(*game, 1, 4, 7, "###/.##/..C/.##");
    game->World.Terrain(4, 8) = 2;
    RunCoastPass(*game);
    for (int r = 0; r < kGridSpan; ++r)
        for (int c = 0; c < kGridSpan; ++c)
            if (!game->InMap(c, r)) {
                ASSERT_EQ(game->World.Terrain(c, r), 99) << c << "," << r;
            }
}

// The coast pass done the plain way, straight from the pattern text.
struct SplitCase {
    const CoastCase* entry;
    std::vector<std::vector<std::string>> patterns;  // rows of each pattern
};

void ReferenceCoastPass(Game& game) {
    static const std::vector<SplitCase> table = [] {
        std::vector<SplitCase> split;
        for (const CoastCase& entry : kCoastTable) {
            SplitCase s{&entry, {}};
            for (const std::string& p : Split(entry.patterns, ';')) s.patterns.push_back(Split(p, '/'));
            split.push_back(s);
        }
        return split;
    }();
    auto land = [&](int c, int r) { return !game.InMap(c, r) || game.World.Terrain(c, r) != 1; };
    for (int x = 2; x <= game.World.MapWidth; ++x)
        for (int y = 2; y <= game.World.MapHeight; ++y) {
            if (game.World.Terrain(x, y) != 2) continue;
            for (int check = 1; check <= 10; ++check) {
                const CoastCase* hit = nullptr;
                for (const SplitCase& entry : table) {
                    if (entry.entry->check != check || hit) continue;
                    for (const auto& rows : entry.patterns) {
                        bool same = true;
                        for (std::size_t r = 0; r < rows.size(); ++r)
                            for (std::size_t c = 0; c < rows[r].size(); ++c)
                                same = same &&
                                       (rows[r][c] != '.') == land(x + kWindows[check].colLo + static_cast<int>(c),
                                                                   y + kWindows[check].rowLo + static_cast<int>(r));
                        if (same) hit = entry.entry;
                    }
                }
                if (!hit) continue;
                for (const ExpectedWrite& w : hit->writes)
                    if (game.InMap(x + w.dc, y + w.dr))
                        game.World.Terrain(x + w.dc, y + w.dr) = static_cast<u8>(w.code);
            }
        }
}

TEST(CoastPass, MatchesThePlainPassOnRandomShores) {
    RandomSource rng = testing::FixedRandom(0);
    for (int landPercent : {20, 50, 80, 95}) {
        for (int seed = 0; seed < 6; ++seed) {
            rng.SetSeed(static_cast<u32>(seed * 7919 + landPercent));
            const int width = 10 + rng.Random(30), height = 10 + rng.Random(30);
            auto fast = MakeMap(width, height, 1);
            for (int c = 1; c <= width; ++c)
                for (int r = 1; r <= height; ++r)
                    if (rng.Random(100) < landPercent) fast->World.Terrain(c, r) = 2;
            auto plain = MakeMap(width, height, 1);
            plain->World.Terrain = fast->World.Terrain;
            RunCoastPass(*fast);
            ReferenceCoastPass(*plain);
            for (int c = 1; c <= width; ++c)
                for (int r = 1; r <= height; ++r)
                    ASSERT_EQ(fast->World.Terrain(c, r), plain->World.Terrain(c, r))
                        << landPercent << "% seed " << seed << " at " << c << "," << r;
        }
    }
}

}  // namespace
}  // namespace tarq
