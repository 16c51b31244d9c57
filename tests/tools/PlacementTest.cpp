// The plan of pictures follows the engine's tables: which art goes into which
// pattern, with which quadrant, frame or facing.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "Placement.h"
#include "core/World.h"

namespace sheetgen {
namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = tarq::NewGame();
        tarq::InitData(*game);
        plan = PlanPictures(*game);
        for (const PictureJob& j : plan.jobs) byPicture[{j.item, j.spr}] = j;
    }
    const PictureJob& At(int item, int spr) {
        EXPECT_TRUE(byPicture.count({item, spr})) << item << ":" << spr;
        return byPicture[{item, spr}];
    }
    std::unique_ptr<tarq::Game> game;
    Plan plan;
    std::map<std::pair<int, int>, PictureJob> byPicture;
};

TEST_F(PlacementTest, EveryPictureIsPlannedOnce) {
    EXPECT_TRUE(plan.unplaced.empty());
    EXPECT_EQ(byPicture.size(), plan.jobs.size());
    std::set<std::pair<int, int>> named;
    for (std::size_t e = 1; e <= tarq::kFilledSprites; ++e)
        named.insert({int{game->SpriteTable[e].idU}, int{game->SpriteTable[e].Spr}});
    EXPECT_EQ(named.size(), plan.jobs.size());
}

struct Expected {
    int item, spr, type;
    Art art;
    int index, part, variant;
};

TEST_F(PlacementTest, PicturesLandWhereTheTablesSay) {
    const Expected cases[] = {
        {2, 34, 38, Art::Building, 0, 0, 0},  // heavy factory, four quadrants
        {2, 35, 38, Art::Building, 0, 1, 0},
        {2, 42, 38, Art::Building, 0, 2, 0},
        {2, 43, 38, Art::Building, 0, 3, 0},
        {2, 54, 41, Art::Building, 3, 0, 0},  // power station, fourth frame
        {0, 6, 39, Art::Building, 1, 0, 0},   // mine, second frame
        {1, 4, 39, Art::Building, 0, 0, 2},   // a further mine block, drawn as a variant
        {0, 17, 39, Art::Building, 1, 1, 2},
        {3, 31, 40, Art::SmallStructure, 3, 0, 0},   // generator, fourth frame
        {3, 63, 61, Art::SmallStructure, 15, 0, 0},  // radar, sixteenth frame
        {3, 47, 62, Art::SmallStructure, 0, 1, 0},   // gun base under the turret
        {3, 36, 58, Art::SmallStructure, 0, 0, 0},   // road
        {3, 37, 0, Art::ConstructionSite, 0, 0, 0},
        {5, 17, 66, Art::SmallStructure, 0, 0, 0},  // connector structure on the geology sheet
        {13, 16, 63, Art::Turret, 1, 0, 0},
        {13, 55, 65, Art::Turret, 8, 0, 0},
        {9, 160, 3, Art::UnitHull, 1, 0, 0},
        {9, 175, 3, Art::UnitTop, 8, 0, 0},
        {9, 32, 10, Art::UnitTop, 1, 0, 0},   // scanner's rotating top
        {9, 20, 1, Art::UnitWhole, 1, 0, 0},  // constructor: facings 1-4 at 20-23, 5-8 at 16-19
        {9, 16, 1, Art::UnitWhole, 5, 0, 0},
        {9, 224, 20, Art::UnitWhole, 1, 0, 0},  // the escort's spare set
        {12, 7, 22, Art::UnitWhole, 8, 0, 0},
        {11, 103, 29, Art::UnitWhole, 8, 0, 0},
        {10, 135, 19, Art::UnitWhole, 8, 0, 0},
    };
    for (const Expected& e : cases) {
        const PictureJob& j = At(e.item, e.spr);
        SCOPED_TRACE(std::to_string(e.item) + ":" + std::to_string(e.spr));
        EXPECT_EQ(j.type, e.type);
        EXPECT_EQ(j.art, e.art);
        EXPECT_EQ(j.index, e.index);
        EXPECT_EQ(j.part, e.part);
        EXPECT_EQ(j.variant, e.variant);
    }
}

TEST_F(PlacementTest, TheLargeStructureListingItsCellPicturesAsSpritesIsNoUnit) {
    EXPECT_FALSE(HasFacings(38));
    EXPECT_TRUE(HasFacings(3));
    EXPECT_FALSE(HasFacings(62));
    EXPECT_FALSE(HasFacings(0));
}

TEST_F(PlacementTest, ABrokenRingStopsInsteadOfLoopingForever) {
    game->SpriteTable[700].SprNext = 701;
    game->SpriteTable[701].SprNext = 702;
    game->SpriteTable[702].SprNext = 701;  // never returns to 700
    EXPECT_LE(Ring(*game, 700).size(), 65u);
}

}  // namespace
}  // namespace sheetgen
