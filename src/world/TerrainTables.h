// Terrain codes, coast-check windows and patterns, obstacle kinds.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace tarq {

enum TerrainCode : std::uint8_t {
    kTerrainNone = 0,
    kTerrainWater = 1,
    kTerrainLand = 2,
    kTerrainCoastFirst = 3,
    kTerrainCoastLast = 46,
    kTerrainLandVariantFirst = 47,
    kTerrainLandVariantLast = 53,
    kTerrainWaterVariantFirst = 54,
    kTerrainWaterVariantLast = 59,
    kTerrainObstacleFirst = 60,
    kTerrainObstacleLast = 237,
};

// Window of coast check n (1..10), as offsets from the checked cell.
struct CoastWindow {
    int colLo, colHi, rowLo, rowHi;
    int cols() const { return colHi - colLo + 1; }
    int rows() const { return rowHi - rowLo + 1; }
};
inline constexpr std::array<CoastWindow, 11> kCoastWindows = {{
    {0, 0, 0, 0},  // unused
    {-2, 0, -2, 2},
    {-1, 1, -1, 1},
    {-1, 1, -1, 2},
    {-1, 2, -1, 1},
    {-2, 1, -1, 1},
    {-1, 1, -2, 1},
    {-2, 2, -1, 1},
    {-2, 2, -1, 1},
    {-1, 1, -2, 2},
    {-1, 1, -2, 2},
}};
constexpr int kCoastChecks = 10;

struct CoastWrite {
    int dc, dr;
    std::uint8_t code;
};

// One result of a check with the patterns that produce it, in table order.
struct CoastRule {
    int check;
    std::vector<CoastWrite> writes;
    std::vector<std::string> patterns;  // rows joined by '/'
};

const std::vector<CoastRule>& CoastRules();

struct ObstacleTile {
    int dc, dr;
    std::uint8_t code;
    bool passable;
};

struct ObstacleKind {
    int areaCols, areaRows;  // the test area: columns x..x+areaCols-1, rows y..y+areaRows-1
    std::vector<ObstacleTile> tiles;
};

const std::vector<ObstacleKind>& LargeObstacles();  // kinds 0..9
const std::vector<ObstacleKind>& SmallObstacles();  // kinds 0..15

// The raw text form of an obstacle kind, parsed once.
struct RawObstacle {
    int extraCols, extraRows;
    std::initializer_list<const char*> rows;
};

template <std::size_t N>
std::vector<ObstacleKind> ParseObstacles(const RawObstacle (&raw)[N]) {
    std::vector<ObstacleKind> kinds;
    for (const RawObstacle& r : raw) {
        ObstacleKind kind{r.extraCols + 1, r.extraRows + 1, {}};
        int dr = 0;
        for (const char* row : r.rows) {
            std::istringstream words(row);
            std::string word;
            for (int dc = 0; words >> word; ++dc) {
                if (word == "-") continue;
                const bool passable = word.back() == '*';
                if (passable) word.pop_back();
                kind.tiles.push_back({dc, dr, static_cast<std::uint8_t>(std::stoi(word)), passable});
            }
            ++dr;
        }
        kinds.push_back(std::move(kind));
    }
    return kinds;
}

}  // namespace tarq
