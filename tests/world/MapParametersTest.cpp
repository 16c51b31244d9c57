#include <gtest/gtest.h>

#include "core/World.h"
#include "world/MapParameters.h"

namespace tarq {
namespace {

struct ParameterCase {
    const char* name;
    MapControls controls;
    MapParameters expected;
};

MapControls With(void (*change)(MapControls&)) {
    MapControls c;
    change(c);
    return c;
}

// Fields: width, height, model, island count base and range, island size base
// and range, strip count, steps and width low/high, large, small, deposits.
const ParameterCase kCases[] = {
    {"defaults", MapControls{}, {100, 100, 1, 50, 100, 5, 10, 15, 30, 60, 120, 1, 20, 40, 80, 100}},
    {"smallest map, islands at 0",
     With([](MapControls& c) {
         c.mapSizeItem = 0;
         c.model = 0;
         c.ismass = 0;
         c.landMass = 0;
     }),
     {50, 50, 0, 5, 0, 0, 0, 15, 30, 60, 120, 1, 20, 20, 40, 50}},
    {"island base 1 becomes 5",
     With([](MapControls& c) {
         c.mapSizeItem = 0;
         c.ismass = 31;
     }),
     {50, 50, 1, 5, 3, 2, 5, 15, 30, 60, 120, 1, 20, 20, 40, 50}},
    {"island base 2 stays",
     With([](MapControls& c) {
         c.mapSizeItem = 0;
         c.ismass = 32;
     }),
     {50, 50, 1, 2, 4, 2, 5, 15, 30, 60, 120, 1, 20, 20, 40, 50}},
    {"obstacle density truncated",
     With([](MapControls& c) {
         c.mapSizeItem = 0;
         c.mountains = 1;
         c.stones = 3;
     }),
     {50, 50, 1, 25, 50, 2, 5, 15, 30, 60, 120, 1, 20, 0, 1, 50}},
    {"deposits below a hundred give none",
     With([](MapControls& c) {
         c.mapSizeItem = 2;
         c.deposits = 99;
         c.stones = 199;
     }),
     {150, 150, 1, 75, 150, 7, 15, 15, 30, 60, 120, 1, 20, 60, 298, 0}},
    {"only whole hundreds of deposits count",
     With([](MapControls& c) {
         c.mapSizeItem = 3;
         c.deposits = 199;
     }),
     {200, 200, 1, 100, 200, 10, 20, 15, 30, 60, 120, 1, 20, 80, 160, 200}},
    {"largest values",
     With([](MapControls& c) {
         c.mapSizeItem = 5;
         c.ismass = 600;
         c.landMass = 40;
         c.stripCount = 100;
         c.stripLength = 100;
         c.stripWidth = 20;
         c.mountains = 200;
         c.stones = 200;
         c.deposits = 500;
     }),
     {400, 400, 1, 300, 600, 80, 160, 100, 200, 300, 600, 2, 40, 800, 800, 2000}},
    {"strip minimums",
     With([](MapControls& c) {
         c.mapSizeItem = 4;
         c.stripCount = 0;
         c.stripLength = 1;
         c.stripWidth = 9;
     }),
     {300, 300, 1, 150, 300, 15, 30, 0, 0, 3, 6, 0, 18, 120, 240, 300}},
    {"size item beyond the list is clamped",
     With([](MapControls& c) { c.mapSizeItem = 6; }),
     {400, 400, 1, 200, 400, 20, 40, 15, 30, 60, 120, 1, 20, 160, 320, 400}},
    {"negative size item and positions are clamped",
     With([](MapControls& c) {
         c.mapSizeItem = -1;
         c.model = -4;
         c.ismass = 900;
         c.landMass = -5;
         c.stripLength = 0;
     }),
     {50, 50, 0, 37, 75, 0, 0, 15, 30, 3, 6, 1, 20, 20, 40, 50}},
};

TEST(MapParameters, FormulasOverTheControlRanges) {
    for (const ParameterCase& test : kCases) {
        auto game = NewGame();
        const MapParameters p = ReadMapParameters(*game, test.controls);
        EXPECT_EQ(p, test.expected) << test.name << ": got island " << p.IslandCountBase << "/" << p.IslandCountRange
                                    << " size " << p.IslandSizeBase << "/" << p.IslandSizeRange << " obstacles "
                                    << p.BigObstacleCount << "/" << p.SmallObstacleCount << " deposits "
                                    << p.DepositCount;
        EXPECT_EQ(game->World.MapWidth, test.expected.MapWidth) << test.name;
        EXPECT_EQ(game->World.MapHeight, test.expected.MapHeight) << test.name;
    }
}

}  // namespace
}  // namespace tarq
