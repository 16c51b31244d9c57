// Construction orders from the build option to the finished object:
// positioning and confirming the site, the turns and material,
// taking the builder out to a free or chosen cell, cancelling, and the
// refusals that keep the object table sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/Construction.h"
#include "control/EndTurn.h"
#include "control/MapClick.h"
#include "control/SitePreview.h"
#include "control/UnitMoves.h"
#include "core/FactoryFixture.h"
#include "view/Animation.h"

namespace tarq::testing {
namespace {

constexpr int kConstructor = 1;     // mobile builder of the large structures
constexpr int kScout = 2;           // one-cell vehicle of the light factory
constexpr int kTank = 3;            // of the heavy-vehicle plant; a turret in a second layer
constexpr int kEngineer = 13;       // mobile builder of the small structures
constexpr int kHeavyPlant = 38;     // four-cell builder
constexpr int kMiningComplex = 39;  // four cells
constexpr int kLightFactory = 42;   // four-cell builder
constexpr int kStorage = 55;        // one cell
constexpr int kRoad = 58;           // shares its cell with land units and structures
constexpr int kRadar = 61;          // animated
constexpr int kConnector = 66;      // drawn in layer 8

const std::string kNoExit =
    "Некуда высаживать... освободи место\n или уничтожть строителя... или строение... что дороже?";

class ConstructionTest : public FactoryTest {
protected:
    void SetUp() override {
        FactoryTest::SetUp();
        SetMap(16, 16, kPassLand);
        CurrentPlayerEntry(*game).BasePlaced = 1;
        game->CellPixels = 10;
        game->ViewSettings.FirstCol = game->ViewSettings.FirstRow = 1;
    }
    int Make(int type, int col, int row, int cargo = 60) {
        EXPECT_EQ(CreateObject(*game, col, row, type, 0), 1) << type;
        game->Object(game->LastCreatedObject).Cargo = static_cast<u8>(cargo);
        return game->LastCreatedObject;
    }
    // The build option of the selection's menu.
    ConstructionResult Start(int builder, int type, int turns, int material) {
        game->SelectedObject = builder;
        return StartConstruction(*game, builder, {type, turns, material});
    }
    // An engineer on (5, 5) whose one-cell storage there is finished.
    int FinishedStorage(int& engineer) {
        engineer = Make(kEngineer, 5, 5);
        Start(engineer, kStorage, 1, 4);
        EndTurn(*game);
        return game->Object(engineer).SiteObject;
    }
    void ExpectSound() { EXPECT_TRUE(CheckInvariants(*game).empty()) << Join(CheckInvariants(*game)); }
    void Block(int col, int row) { game->World.Passability(col, row) = kPassBlocked; }
    int ObjectsInUse() const {
        return static_cast<int>(std::count_if(game->World.Objects.begin(), game->World.Objects.end(),
                                              [](const TGameObject& o) { return SlotInUse(o); }));
    }
    void ClickCell(int col, int row) {
        game->MouseX = (col - 1) * 10 + 5;
        game->MouseY = (row - 1) * 10 + 5;
        ClickContext context;
        DXDrawClick(*game, context);
    }
};

TEST_F(ConstructionTest, AOneCellSiteIsFixedAtOnceUnderItsBuilder) {
    const int engineer = Make(kEngineer, 5, 5);
    const ConstructionResult result = Start(engineer, kStorage, 2, 4);
    EXPECT_TRUE(result.acted && result.messages.empty());
    const int site = game->Object(engineer).SiteObject;
    ASSERT_NE(site, 0);
    const TGameObject& s = game->Object(site);
    const TGameObject& u = game->Object(engineer);
    EXPECT_TRUE(EndTurnEnabled(*game));
    EXPECT_EQ((std::vector<int>{s.TypeId, s.OrderState, s.BuildLink, s.Layer}),
              (std::vector<int>{kStorage, 2, engineer, 1}));
    EXPECT_EQ(s.Cells, SingleCellFootprint(5, 5));
    for (const TSpriteRef& ref : s.CellSprites)
        EXPECT_EQ((std::vector<int>{ref.idU, ref.Spr, ref.SprNext, ref.id}),
                  (std::vector<int>{kSiteSheet, kSitePicture, kSiteSpriteEntry, site}));
    EXPECT_EQ(u.Cells, SingleCellFootprint(5, 5));
    EXPECT_EQ((std::vector<int>{u.OrderState, u.TurnsLeft, u.TurnsTotal, u.BuildLink, u.MaterialPerTurn}),
              (std::vector<int>{1, 2, 2, kStorage, 2}));
    EXPECT_EQ(LayerAt(5, 5, kLayerFlat).id, site);
    EXPECT_EQ(LayerAt(5, 5, u.Layer + 1).id, engineer);
    ExpectSound();
}

TEST_F(ConstructionTest, AFourCellSiteFollowsTheMouseUntilAClickConfirmsIt) {
    const int constructor = Make(kConstructor, 8, 8);
    Start(constructor, kMiningComplex, 5, 12);
    const int site = game->LastCreatedObject;
    EXPECT_EQ(game->ClickMode, kClickPlaceSite);
    EXPECT_FALSE(EndTurnEnabled(*game));
    EXPECT_EQ(game->SiteBuilder, constructor);
    EXPECT_GT(game->Object(constructor).Cells[1].col, game->World.MapWidth);  // off the map
    EXPECT_EQ(game->Object(site).Cells, BlockFootprint(8, 8));
    EXPECT_EQ(game->Object(constructor).MaterialPerTurn, 2);
    ExpectSound();

    game->HoverCol = 7, game->HoverRow = 7;
    EXPECT_TRUE(MoveSiteWithMouse(*game));
    EXPECT_EQ(game->Object(site).Cells, BlockFootprint(7, 7));
    ClickCell(14, 2);  // any cell confirms
    EXPECT_EQ(game->ClickMode, kClickNormal);
    EXPECT_EQ(game->Object(constructor).Cells, SingleCellFootprint(8, 8));
    EXPECT_EQ(game->Object(site).Layer, 1);
    EXPECT_EQ(LayerAt(7, 7, kLayerFlat).id, site);
    EXPECT_EQ(LayerAt(8, 8, kLayerUnits).id, constructor);
    ExpectSound();

    // 12 material over 5 turns: 2 a turn, 10 spent, then the ready marker.
    for (int turn = 1; turn <= 5; ++turn) EndTurn(*game);
    EXPECT_EQ(game->Object(constructor).Cargo, 50);
    EXPECT_EQ(game->Object(constructor).TurnsLeft, 0);
    for (const TCellPos& p : BlockFootprint(7, 7)) EXPECT_EQ(LayerAt(p.col, p.row, kLayerReady).id, site);
}

TEST_F(ConstructionTest, ARightPressRemovesTheSiteAndSelectsTheBuilder) {
    const int constructor = Make(kConstructor, 8, 8);
    const int other = Make(kEngineer, 2, 2);
    Start(constructor, kMiningComplex, 5, 12);
    const int site = game->LastCreatedObject;
    game->SelectedObject = other;
    game->MoveArmed = 1;
    const ConstructionResult result = RightPress(*game);
    EXPECT_TRUE(result.selectionChanged);
    EXPECT_EQ(game->ClickMode, kClickNormal);
    EXPECT_EQ(game->MoveArmed, 0);
    EXPECT_EQ(game->SelectedObject, constructor);
    EXPECT_FALSE(SlotInUse(game->Object(site)));
    EXPECT_EQ(game->Object(constructor).Cells, SingleCellFootprint(8, 8));
    EXPECT_EQ(game->Object(constructor).OrderState, 0);
    EXPECT_EQ(game->Object(constructor).SiteObject, 0);
    for (const TCellPos& p : BlockFootprint(8, 8)) EXPECT_EQ(LayerAt(p.col, p.row, kLayerFlat), EmptySpriteRef);
    ExpectSound();
}

TEST_F(ConstructionTest, NoRoomForTheSiteLeavesTheBuilderWhereItWas) {
    const int constructor = Make(kConstructor, 8, 8);
    for (int c = 7; c <= 9; ++c)
        for (int r = 7; r <= 9; ++r)
            if (c != 8 || r != 8) Block(c, r);
    const int before = ObjectsInUse();
    const ConstructionResult result = Start(constructor, kMiningComplex, 5, 12);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "Конструктор Плохое место для строительства, нужно 4 клетки");
    EXPECT_EQ(ObjectsInUse(), before);
    EXPECT_EQ(game->Object(constructor).Cells, SingleCellFootprint(8, 8));
    EXPECT_EQ(game->Object(constructor).OrderState, 0);
    EXPECT_EQ(game->ClickMode, kClickNormal);
    EXPECT_EQ(LayerAt(8, 8, kLayerUnits).id, constructor);
    ExpectSound();
}

TEST_F(ConstructionTest, TheBuilderLeavesForTheFirstAcceptableNeighbour) {
    struct Case {
        std::vector<TCellPos> blocked;
        TCellPos exit;
    };
    const Case cases[] = {
        {{}, {4, 4}},
        {{{4, 4}}, {4, 5}},
        {{{4, 4}, {4, 5}, {4, 6}}, {5, 4}},
        {{{4, 4}, {4, 5}, {4, 6}, {5, 4}}, {5, 6}},  // the site's own cell is taken
        {{{4, 4}, {4, 5}, {4, 6}, {5, 4}, {5, 6}, {6, 4}, {6, 5}}, {6, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.exit.col << "," << c.exit.row);
        SetUp();
        for (const TCellPos& p : c.blocked) Block(p.col, p.row);
        int engineer = 0;
        const int site = FinishedStorage(engineer);
        const ConstructionResult result = TakeOutBuilder(*game, -site);
        EXPECT_TRUE(result.messages.empty());
        EXPECT_EQ(game->Object(engineer).Cells, SingleCellFootprint(c.exit.col, c.exit.row));
        EXPECT_EQ(game->Object(engineer).OrderState, 0);
        const int built = game->LastCreatedObject;
        EXPECT_EQ(game->Object(built).TypeId, kStorage);
        EXPECT_EQ(game->Object(built).Cells[1], (TCellPos{5, 5}));
        EXPECT_EQ(game->Object(built).OrderState, 0);
        EXPECT_EQ(LayerAt(5, 5, kLayerReady), EmptySpriteRef);
        ExpectSound();
    }
}

TEST_F(ConstructionTest, AFinishedFourCellSiteBecomesTheStructureOnItsFirstCell) {
    const int constructor = Make(kConstructor, 8, 8);
    Start(constructor, kMiningComplex, 2, 12);
    ConfirmSite(*game);
    EndTurn(*game), EndTurn(*game);
    const int site = game->Object(constructor).SiteObject;
    EXPECT_TRUE(TakeOutBuilder(*game, -site).acted);
    EXPECT_EQ(game->Object(constructor).Cells, SingleCellFootprint(7, 7));  // first cell, offsets -1, -1
    const int built = game->LastCreatedObject;
    EXPECT_EQ(game->Object(built).TypeId, kMiningComplex);
    EXPECT_EQ(game->Object(built).Cells, BlockFootprint(8, 8));
    for (const TCellPos& p : BlockFootprint(8, 8)) EXPECT_EQ(LayerAt(p.col, p.row, kLayerReady), EmptySpriteRef);
    ExpectSound();
    EndTurn(*game);
    EXPECT_EQ(game->ReadyLayerOn, 0);
}

TEST_F(ConstructionTest, ChoosingTheExitPutsMarkersAndAClickOnOneEndsTheConstruction) {
    int engineer = 0;
    const int site = FinishedStorage(engineer);
    EXPECT_TRUE(TakeOutBuilder(*game, site).acted);
    EXPECT_EQ(game->ClickMode, kClickChooseExit);
    EXPECT_FALSE(EndTurnEnabled(*game));
    EXPECT_EQ(game->LastCreatedObject, site);
    std::vector<int> markers;
    for (int k = 0; k < 8; ++k) {
        const int marker = game->ExitMarkers[static_cast<std::size_t>(k)];
        ASSERT_NE(marker, 0) << k;
        EXPECT_EQ(game->Object(marker).TypeId, kEngineer);
        EXPECT_EQ(game->Object(marker).Cells, game->ExitCandidates[static_cast<std::size_t>(k)]);
        markers.push_back(marker);
    }
    EXPECT_EQ(game->ExitMarkers[8], 0);
    ExpectSound();

    ClickCell(10, 10);  // not a candidate: nothing happens
    EXPECT_EQ(game->ClickMode, kClickChooseExit);
    EXPECT_TRUE(SlotInUse(game->Object(markers[0])));

    ClickCell(6, 4);
    EXPECT_EQ(game->ClickMode, kClickNormal);
    EXPECT_EQ(game->Object(engineer).Cells, SingleCellFootprint(6, 4));
    EXPECT_EQ(game->Object(engineer).OrderState, 0);
    for (i32 m : game->ExitMarkers) EXPECT_EQ(m, 0);
    EXPECT_EQ(ObjectsInUse(), 2);  // the engineer and the storage
    EXPECT_EQ(LayerAt(6, 4, kLayerUnits).id, engineer);
    EXPECT_EQ(game->Object(LayerAt(5, 5, kLayerLarge).id).TypeId, kStorage);
    EXPECT_EQ(LayerAt(5, 5, kLayerReady), EmptySpriteRef);
    ExpectSound();
}

TEST_F(ConstructionTest, ARightPressWhileChoosingRemovesTheMarkersAndKeepsTheSiteReady) {
    int engineer = 0;
    const int site = FinishedStorage(engineer);
    TakeOutBuilder(*game, site);
    RightPress(*game);
    EXPECT_EQ(game->ClickMode, kClickNormal);
    EXPECT_TRUE(EndTurnEnabled(*game));
    for (i32 m : game->ExitMarkers) EXPECT_EQ(m, 0);
    EXPECT_EQ(ObjectsInUse(), 2);  // the engineer and the site
    EXPECT_EQ(game->Object(site).OrderState, 2);
    EXPECT_EQ(LayerAt(5, 5, kLayerReady).id, site);
    ExpectSound();
    // Emptied later all the same.
    TakeOutBuilder(*game, -site);
    EXPECT_EQ(game->Object(engineer).Cells, SingleCellFootprint(4, 4));
    ExpectSound();
}

TEST_F(ConstructionTest, NoFreeCellAroundAFinishedSiteIsReportedAndChangesNothing) {
    for (int c = 4; c <= 6; ++c)
        for (int r = 4; r <= 6; ++r)
            if (c != 5 || r != 5) Block(c, r);
    int engineer = 0;
    const int site = FinishedStorage(engineer);
    for (int value : {site, -site}) {
        const ConstructionResult result = TakeOutBuilder(*game, value);
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_EQ(result.messages[0], kNoExit);
        EXPECT_EQ(game->ClickMode, kClickNormal);
        EXPECT_EQ(game->Object(engineer).OrderState, 1);
        EXPECT_EQ(game->Object(site).OrderState, 2);
        EXPECT_EQ(ObjectsInUse(), 2);
    }
}

TEST_F(ConstructionTest, CancellingRemovesTheSiteAndItsReadyMarker) {
    struct Case {
        int endTurns;  // 0: in progress, 2: finished
    };
    for (const Case c : {Case{0}, Case{2}}) {
        SCOPED_TRACE(c.endTurns);
        SetUp();
        const int constructor = Make(kConstructor, 8, 8);
        Start(constructor, kMiningComplex, 2, 12);
        ConfirmSite(*game);
        const int site = game->Object(constructor).SiteObject;
        for (int t = 0; t < c.endTurns; ++t) EndTurn(*game);
        const u8 cargo = game->Object(constructor).Cargo;
        EXPECT_TRUE(CancelConstruction(*game, constructor).acted);
        EXPECT_FALSE(SlotInUse(game->Object(site)));
        EXPECT_EQ(game->Object(constructor).OrderState, 0);
        EXPECT_EQ(game->Object(constructor).Cells, SingleCellFootprint(8, 8));
        EXPECT_EQ(game->Object(constructor).Cargo, cargo);  // spent material is not returned
        for (const TCellPos& p : BlockFootprint(8, 8)) {
            EXPECT_EQ(LayerAt(p.col, p.row, kLayerReady), EmptySpriteRef);
            EXPECT_EQ(LayerAt(p.col, p.row, kLayerFlat), EmptySpriteRef);
        }
        game->ReadyLayerOn = 1;
        EXPECT_NE(ObjectAt(*game, 9, 9).object, site);
        ExpectSound();
    }
}

TEST_F(ConstructionTest, ABuilderAtWorkDoesNotStartASecondConstruction) {
    const int engineer = Make(kEngineer, 5, 5);
    Start(engineer, kStorage, 2, 4);
    const int site = game->Object(engineer).SiteObject;
    const int before = ObjectsInUse();
    const ConstructionResult result = Start(engineer, kStorage, 2, 4);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "Инженер уже занят: сначала отмените текущее строительство");
    EXPECT_EQ(ObjectsInUse(), before);
    EXPECT_EQ(game->Object(engineer).SiteObject, site);
    EXPECT_EQ(game->Object(engineer).Cells, SingleCellFootprint(5, 5));
    ExpectSound();
}

TEST_F(ConstructionTest, ABuilderNumberedAbove255IsRefused) {
    const int engineer = Make(kEngineer, 5, 5);
    // The same engineer moved to slot 300.
    TGameObject moved = game->Object(engineer);
    for (TSpriteRef& ref : moved.CellSprites) ref.id = 300;
    for (TSpriteRef& ref : moved.Sprites) ref.id = 300;
    game->World.Objects[300] = moved;
    game->World.Objects[engineer] = game->ObjectTemplate;
    RebuildObjectLayers(*game);
    const ConstructionResult result = Start(300, kStorage, 2, 4);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "Инженер не может начать строительство: номер строителя больше 255");
    EXPECT_EQ(ObjectsInUse(), 1);
    EXPECT_EQ(game->Object(300).OrderState, 0);
    ExpectSound();
}

TEST_F(ConstructionTest, AFactoryKeepsItsFootprintAndItsProductLeavesIt) {
    const int factory = Make(kLightFactory, 8, 8);
    const ConstructionResult result = Start(factory, kScout, 3, 9);
    EXPECT_TRUE(result.messages.empty());
    const int site = game->Object(factory).SiteObject;
    EXPECT_EQ(game->Object(factory).Cells, BlockFootprint(8, 8));
    EXPECT_EQ(game->Object(site).Cells, SingleCellFootprint(8, 8));
    ExpectSound();
    for (int t = 0; t < 3; ++t) EndTurn(*game);
    EXPECT_TRUE(TakeOutBuilder(*game, -site).acted);
    EXPECT_EQ(game->Object(factory).Cells, BlockFootprint(8, 8));
    EXPECT_EQ(game->Object(factory).OrderState, 0);
    const int scout = game->LastCreatedObject;
    EXPECT_EQ(game->Object(scout).TypeId, kScout);
    EXPECT_EQ(game->Object(scout).Cells, SingleCellFootprint(7, 7));
    EXPECT_EQ(LayerAt(8, 8, kLayerReady), EmptySpriteRef);
    EXPECT_EQ(ObjectsInUse(), 2);
    ExpectSound();
}

TEST_F(ConstructionTest, ValuesNamingNoSuitableObjectDoNothing) {
    int engineer = 0;
    const int site = FinishedStorage(engineer);
    const int idle = Make(kEngineer, 10, 10);
    const int busy = Make(kEngineer, 12, 12);
    const int scout = Make(kScout, 2, 14), poor = Make(kEngineer, 14, 2, 3);
    Start(busy, kStorage, 2, 4);
    const int unfinished = game->Object(busy).SiteObject;
    const auto objects = game->World.Objects;
    const auto check = [&](const ConstructionResult& r, const char* what) {
        EXPECT_FALSE(r.acted) << what;
        EXPECT_TRUE(r.messages.empty()) << what;
        EXPECT_TRUE(game->World.Objects == objects) << what;
        EXPECT_EQ(game->ClickMode, kClickNormal) << what;
    };
    for (int value : {0, 9999, -9999, 4999, -4999, idle, -idle, engineer, unfinished, -unfinished})
        check(TakeOutBuilder(*game, value), "take out");
    for (int value : {0, -1, 9999, 4999, idle, site}) check(CancelConstruction(*game, value), "cancel");
    for (int value : {0, 128, 69, 384}) check(Start(idle, value, 2, 4), "start");
    check(Start(0, kStorage, 2, 4), "start without selection");
    check(Start(scout, kStorage, 2, 4), "a scout builds nothing");
    check(Start(idle, kMiningComplex, 12, 24), "a type of another builder class");
    check(Start(poor, kStorage, 2, 4), "a cost above the cargo");
    check(Start(idle, kStorage, 2, 70), "material above the cargo");
    check(Start(idle, kStorage, 0, 4), "no turn at all (the material is divided by the turns)");
    check(Start(4999, kStorage, 2, 4), "start with a free slot");
    check(ConfirmSite(*game), "confirm outside mode 1");
    check(CancelSite(*game), "cancel outside mode 1");
    check(CancelExitChoice(*game), "cancel outside mode 2");
    check(ChooseExitCell(*game, 4, 4), "choose outside mode 2");
}

TEST_F(ConstructionTest, AFixedSiteShowsOnlyItsStillLookAboveWhatSharesItsCell) {
    // A radar (an animated type) is sited on a road in a higher slot, a tank
    // (two layers) on the first cell of the plant that builds it.
    const int filler = Make(kScout, 14, 14);
    const int road = Make(kRoad, 5, 5);
    const int engineer = Make(kEngineer, 5, 5);
    DeleteObject(*game, filler);
    Start(engineer, kRadar, 9, 18);
    const int site = game->Object(engineer).SiteObject;
    ASSERT_LT(site, road);
    const int plant = Make(kHeavyPlant, 8, 8);
    Start(plant, kTank, 6, 12);
    game->SlowAnimPeriod = game->TwoFrameAnimPeriod = 0;
    for (int tick = 0; tick < 3; ++tick) AdvanceAnimations(*game), ExpectSound();
    EXPECT_EQ(LayerAt(5, 5, kLayerFlat).id, site);
    EXPECT_EQ(ObjectAt(*game, 8, 8).object, plant);
}

TEST_F(ConstructionTest, AFinishedObjectThatWouldNotFitLeavesTheSiteAndTheOrder) {
    Make(kRoad, 5, 5);
    const int engineer = Make(kEngineer, 5, 5);
    Start(engineer, kRoad, 1, 2);
    const int site = game->Object(engineer).SiteObject;
    EXPECT_EQ(game->Object(site).Cells, SingleCellFootprint(4, 5)) << "not on the road already there";
    EndTurn(*game);
    const int tank = Make(kTank, 4, 5);  // a road site lets a land unit on
    for (int value : {-site, site}) {
        ConstructionResult result = TakeOutBuilder(*game, value);
        if (value > 0) result = ChooseExitCell(*game, game->ExitCandidates[0][1].col, game->ExitCandidates[0][1].row);
        ASSERT_EQ(result.messages.size(), 1u);
        EXPECT_EQ(result.messages[0],
                  "Дорога: место стройки занято, готовое строение некуда поставить. "
                  "Освободите его и выведите строителя снова");
        EXPECT_EQ(game->ClickMode, kClickNormal);
        EXPECT_EQ(game->Object(site).OrderState + 10 * game->Object(engineer).OrderState, 12);
        EXPECT_EQ(game->Object(engineer).Cells, SingleCellFootprint(5, 5));
        EXPECT_EQ(LayerAt(4, 5, kLayerReady).id, site);
        ExpectSound();
    }
    RelocateObject(*game, tank, SingleCellFootprint(9, 9));
    EXPECT_TRUE(TakeOutBuilder(*game, -site).messages.empty());
    EXPECT_EQ(game->Object(LayerAt(4, 5, kLayerFlat).id).OrderState, 0);
}

TEST_F(ConstructionTest, AReadyMarkerStaysOverAConnectorUntilTheBuilderIsOut) {
    const int connector = Make(kConnector, 5, 5);
    int engineer = 0;
    const int site = FinishedStorage(engineer);
    RebuildObjectLayers(*game);
    EXPECT_EQ(ObjectAt(*game, 5, 5).object, site);
    TakeOutBuilder(*game, -site);
    EXPECT_EQ(LayerAt(5, 5, kLayerReady).id, connector);
    ExpectSound();
}

}  // namespace
}  // namespace tarq::testing
