// The placement test and the creations it allows or refuses.
#include "FactoryFixture.h"

namespace tarq::testing {
namespace {

// A representative type of each movement class, created on a single cell.
struct ClassCase {
    int movement;
    int type;
    bool onBlocked, onLand, onCoast, onWater;
};

const ClassCase kClassCases[] = {
    {kMoveAircraft, 28, true, true, true, true},      // fighter
    {kMoveLand, 3, false, true, false, false},        // tank
    {kMoveLandCoast, 7, false, true, true, false},    // mobile anti-aircraft
    {kMoveWater, 21, false, false, false, true},      // corvette
    {kMoveWaterCoast, 24, false, false, true, true},  // sea transport
    {kMoveStructure, 40, false, true, true, true},    // energy generator
    {kMoveAmphibious, 1, false, true, true, true},    // constructor
};

TEST_F(FactoryTest, EachMovementClassStandsOnlyOnTheGroundItAdmits) {
    PaintGround(2, 2, {"#.,~"});
    const int blocked = 2, land = 3, coast = 4, water = 5;
    for (const ClassCase& k : kClassCases) {
        const std::pair<int, bool> cells[] = {{blocked, k.onBlocked},
                                              {land, k.onLand},
                                              {coast, k.onCoast},
                                              {water, k.onWater}};
        for (auto [col, expected] : cells) {
            SCOPED_TRACE("movement " + std::to_string(k.movement) + " on column " + std::to_string(col));
            EXPECT_EQ(CanPlace(*game, SingleCellFootprint(col, 2), k.movement), expected);
            EXPECT_EQ(CreateObject(*game, col, 2, k.type, 0), expected);
            if (expected) DeleteObject(*game, game->LastCreatedObject);
        }
    }
}

// Which newcomers an occupant of a special type lets onto its cell.
struct SharingCase {
    const char* occupant;
    int type;
    bool admits[7];  // newcomer movement 0, 1, 2, 4, 8, 16, 32
};

const SharingCase kSharingCases[] = {
    {"connector", 66, {true, true, true, true, true, true, true}},
    {"road", 58, {true, true, true, false, false, true, true}},
    {"water platform", 54, {true, true, true, false, false, true, true}},
    {"lifting bridge", 67, {true, true, true, true, true, false, true}},
    {"tank", 3, {true, false, false, false, false, false, false}},
    {"mine (units pass over it, an enemy sets it off)", 32, {true, true, true, true, true, false, true}},
};

TEST_F(FactoryTest, SpecialOccupantsLetOnlyCertainClassesShareTheirCell) {
    const int movements[7] = {0, 1, 2, 4, 8, 16, 32};
    for (const SharingCase& k : kSharingCases)
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE(std::string(k.occupant) + " against movement " + std::to_string(movements[i]));
            Plant(9, k.type, 5, 5);
            // Ground the newcomer admits, so only the occupant decides.
            const bool wet = movements[i] == kMoveWater || movements[i] == kMoveWaterCoast;
            PaintGround(5, 5, wet ? std::vector<std::string>{"~~", "~~"} : std::vector<std::string>{"..", ".."});
            EXPECT_EQ(CanPlace(*game, SingleCellFootprint(5, 5), movements[i]), k.admits[i]);
            // The occupant blocks any cell of a larger footprint just the same.
            EXPECT_EQ(CanPlace(*game, MakeFootprint(6, 6, 5, 5, 6, 5, 5, 6), movements[i]), k.admits[i]);
            Object(9) = game->ObjectTemplate;
        }
}

TEST_F(FactoryTest, SharedCellsThroughRealCreations) {
    PaintGround(1, 1, {".~~~"});
    ASSERT_EQ(CreateObject(*game, 1, 1, 58, 0), 1);  // road on land
    EXPECT_EQ(CreateObject(*game, 1, 1, 40, 0), 1) << "a structure stands on a road";
    EXPECT_EQ(CreateObject(*game, 1, 1, 3, 0), 0) << "the structure now blocks the tank";

    ASSERT_EQ(CreateObject(*game, 2, 1, 67, 0), 1);  // lifting bridge on water
    EXPECT_EQ(CreateObject(*game, 2, 1, 40, 0), 0) << "no structure on a lifting bridge";
    EXPECT_EQ(CreateObject(*game, 2, 1, 21, 0), 1) << "a ship passes under the bridge";

    EXPECT_EQ(CreateObject(*game, 3, 1, 40, 0), 1) << "a structure stands on water";
    EXPECT_EQ(CreateObject(*game, 3, 1, 28, 0), 1) << "an aircraft over another object";
    EXPECT_EQ(CreateObject(*game, 3, 1, 29, 0), 1) << "and over another aircraft";
    ASSERT_EQ(CreateObject(*game, 4, 1, 28, 0), 1);
    EXPECT_EQ(CreateObject(*game, 4, 1, 21, 0), 0) << "an aircraft blocks a ship below it";
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

TEST_F(FactoryTest, ABlockNeedsAllFourCellsOnTheMap) {
    struct Case {
        int col, row;
        bool placed;
    };
    const Case cases[] = {{9, 9, true}, {10, 5, false}, {5, 10, false}, {10, 10, false}, {0, 5, false}, {5, 0, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.col) + ", " + std::to_string(k.row));
        const WorldSnapshot before(*game);
        EXPECT_EQ(CreateObject(*game, k.col, k.row, 42, 0), k.placed);
        if (k.placed) {
            DeleteObject(*game, game->LastCreatedObject);
            continue;
        }
        EXPECT_TRUE(WorldSnapshot(*game) == before);
    }
}

TEST_F(FactoryTest, CellsOffTheMapAreRefusedEvenForAircraft) {
    for (auto [c, r] : {std::pair{0, 5}, {11, 5}, {5, 0}, {5, 11}, {-300, 5}, {5, 30000}}) {
        EXPECT_EQ(CanPlace(*game, SingleCellFootprint(c, r), kMoveAircraft), 0) << c << ", " << r;
        EXPECT_EQ(CreateObject(*game, c, r, 28, 0), 0) << c << ", " << r;
    }
    EXPECT_EQ(CanPlace(*game, SingleCellFootprint(10, 10), kMoveAircraft), 1);
}

TEST_F(FactoryTest, TypesOutsideTheCatalogueChangeNothing) {
    ASSERT_EQ(CreateObject(*game, 3, 3, 40, 0), 1);
    for (int type : {0, 68, -1, 255, 1000}) {
        const WorldSnapshot before(*game);
        EXPECT_EQ(CreateObject(*game, 5, 5, type, 0), 0) << type;
        EXPECT_TRUE(WorldSnapshot(*game) == before) << type;
        EXPECT_EQ(PlaceBySquareSearch(*game, 5, 5, type), 0) << type;
    }
}

TEST_F(FactoryTest, ARefusedCreationLeavesTheWorldAsItWas) {
    ASSERT_EQ(CreateObject(*game, 4, 4, 42, 0), 1);
    const WorldSnapshot before(*game);
    EXPECT_EQ(CreateObject(*game, 5, 5, 43, 0), 0);  // overlaps the plant
    EXPECT_TRUE(WorldSnapshot(*game) == before);
    EXPECT_EQ(game->NewObject.TypeId, 43) << "the scratch record is overwritten all the same";
}

TEST_F(FactoryTest, SlotsAreTakenLowestFirstAndReused) {
    for (int i = 1; i <= 5; ++i) {
        ASSERT_EQ(CreateObject(*game, i, 1, 1, 0), 1);
        EXPECT_EQ(game->LastCreatedObject, i);
    }
    DeleteObject(*game, 3);
    EXPECT_EQ(FindFreeObjectSlot(*game), 3);
    ASSERT_EQ(CreateObject(*game, 3, 2, 2, 0), 1);
    EXPECT_EQ(game->LastCreatedObject, 3);
    EXPECT_EQ(LayerAt(3, 2, kLayerUnits).id, 3);
    EXPECT_EQ(LayerAt(3, 1, kLayerUnits), EmptySpriteRef) << "the released object left its cell";
    EXPECT_EQ(FindFreeObjectSlot(*game), 6);
    EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game));
}

TEST_F(FactoryTest, AFullTableRefusesWithoutWritingAnything) {
    // Every slot taken by an object parked off the map, so no cell is blocked.
    for (int i = 1; i <= kMaxObjects; ++i) Plant(i, 1, 0, 0);
    EXPECT_EQ(FindFreeObjectSlot(*game), 0);
    game->LastCreatedObject = 17;
    const WorldSnapshot before(*game);
    EXPECT_EQ(CreateObject(*game, 5, 5, 42, 0), 0);  // a connected structure
    EXPECT_EQ(CreateObject(*game, 5, 5, 28, 0), 0);
    EXPECT_EQ(PlaceBySquareSearch(*game, 5, 5, 1), 0);
    EXPECT_TRUE(WorldSnapshot(*game) == before);

    DeleteObject(*game, kMaxObjects);
    EXPECT_EQ(FindFreeObjectSlot(*game), kMaxObjects);
    ASSERT_EQ(CreateObject(*game, 5, 5, 42, 0), 1);
    EXPECT_EQ(game->LastCreatedObject, kMaxObjects);
    EXPECT_EQ(game->World.Connectors(6, 6).Present, 1);
}

TEST_F(FactoryTest, RebuildLeavesLayersSixAndEightSkipsOffMapCellsAndTheHigherSlotWins) {
    ASSERT_EQ(CreateObject(*game, 2, 2, 28, 0), 1);  // fighter, layer 6
    ASSERT_EQ(CreateObject(*game, 3, 3, 66, 0), 1);  // connector, layer 8
    ASSERT_EQ(CreateObject(*game, 4, 4, 58, 0), 1);  // road, layer 2
    TGameObject& lower = Plant(10, 58, 5, 5);
    lower.Layer = 1;
    lower.CellSprites[1].id = 10;
    TGameObject& higher = Plant(11, 58, 5, 5);
    higher.Layer = 1;
    higher.CellSprites[1].id = 11;
    Plant(12, 1, 11, 11).CellSprites[1].id = 12;  // a builder parked off the map
    game->Object(1) = game->ObjectTemplate;       // freed behind the rebuild's back
    RebuildObjectLayers(*game);
    EXPECT_EQ(LayerAt(11, 11, kLayerUnits), EmptySpriteRef) << "nothing is drawn off the map";
    EXPECT_EQ(LayerAt(2, 2, kLayerAircraft).id, 1) << "the rebuild does not clear layer 6";
    DeleteObject(*game, 2);
    EXPECT_EQ(LayerAt(3, 3, kLayerReady), EmptySpriteRef) << "a release takes its picture out of layer 8";
    EXPECT_EQ(LayerAt(5, 5, kLayerFlat).id, 11);
    EXPECT_EQ(LayerAt(4, 4, kLayerFlat).id, 3);
}

}  // namespace
}  // namespace tarq::testing
