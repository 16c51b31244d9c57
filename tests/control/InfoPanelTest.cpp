// The side panel's lines for a selected object, and the cell read-out.
#include <gtest/gtest.h>

#include <functional>

#include "control/InfoPanel.h"
#include "core/FactoryFixture.h"

namespace tarq::testing {
namespace {

constexpr InfoColour N = InfoColour::Navy;
constexpr InfoColour R = InfoColour::Red;
constexpr InfoColour W = InfoColour::WindowText;

InfoChecks Checks(std::initializer_list<int> items) {
    InfoChecks c{};
    for (int i : items) c[static_cast<std::size_t>(i)] = true;
    return c;
}

InfoChecks AllChecked() {
    InfoChecks c;
    c.fill(true);
    return c;
}

// A tank with every characteristic set, all values full.
void FullTank(TGameObject& o) {
    o.Stats.Attack = 12, o.Stats.Armour = 8, o.Stats.Hits = 20, o.Stats.Shots = 2, o.Stats.Range = 5;
    o.Stats.Ammo = 14, o.Stats.Scan = 7, o.Stats.Speed = 6, o.Stats.Cost = 300, o.Stats.CargoCapacity = 40;
    o.HitsLeft = 20, o.ShotsLeft = 1, o.AmmoLeft = 9, o.MovesLeft = 6, o.Cargo = 25;
}

class InfoPanelTest : public FactoryTest {};

TEST_F(InfoPanelTest, LinesAndColoursFollowTheChecksAndTheValues) {
    struct Case {
        const char* what;
        std::function<void(TGameObject&)> setUp;
        InfoChecks checks;
        std::vector<InfoLine> after;  // the lines after the bold navy name
    };
    const Case cases[] = {
        {"start-up checks, everything full",
         FullTank,
         DefaultInfoChecks(),
         {{"Хиты 20/20", false, N},
          {"Выстрелы 1/2", false, W},
          {"Патр. 9/14", false, W},
          {"Ходы 6/6", false, W},
          {"Груз 25/40", false, W}}},
        {"every item checked",
         FullTank,
         AllChecked(),
         {{"", false, N},
          {"Атака 12", false, N},
          {"Броня 8", false, N},
          {"Хиты 20/20", false, N},
          {"Выстрелы 1/2", false, W},
          {"Радиус 5", false, W},
          {"Патр. 9/14", false, W},
          {"Обзор 7", false, W},
          {"Ходы 6/6", false, W},
          {"Стоимость 300", false, W},
          {"Груз 25/40", false, W}}},
        {"a structure with nothing to show", [](TGameObject&) {}, DefaultInfoChecks(), {}},
        {"the same with the spacer checked", [](TGameObject&) {}, AllChecked(), {{"", false, N}}},
        {"hits 5 of 11 are not low",
         [](TGameObject& o) { o.Stats.Hits = 11, o.HitsLeft = 5; },
         Checks({3}),
         {{"Хиты 5/11", false, N}}},
        {"hits 4 of 11 are low",
         [](TGameObject& o) { o.Stats.Hits = 11, o.HitsLeft = 4; },
         Checks({3}),
         {{"Хиты 4/11", false, R}}},
        {"low hits colour only their own line",
         [](TGameObject& o) { FullTank(o), o.HitsLeft = 3; },
         Checks({2, 3, 4}),
         {{"Броня 8", false, N}, {"Хиты 3/20", false, R}, {"Выстрелы 1/2", false, W}}},
        {"hits unchecked: navy up to armour, window text after",
         FullTank,
         Checks({0, 1, 2, 4, 5, 8}),
         {{"", false, N},
          {"Атака 12", false, N},
          {"Броня 8", false, N},
          {"Выстрелы 1/2", false, W},
          {"Радиус 5", false, W},
          {"Ходы 6/6", false, W}}},
        {"low moves are red and the colour goes back after them",
         [](TGameObject& o) { FullTank(o), o.MovesLeft = 2; },
         Checks({7, 8, 9}),
         {{"Обзор 7", false, W}, {"Ходы 2/6", false, R}, {"Стоимость 300", false, W}}},
        {"moves 3 of 6 are not low",
         [](TGameObject& o) { FullTank(o), o.MovesLeft = 3; },
         Checks({8}),
         {{"Ходы 3/6", false, W}}},
        {"a zero value hides a checked line, item 11 never shows",
         [](TGameObject& o) { FullTank(o), o.Stats.Ammo = 0, o.Stats.Cost = 0; },
         Checks({6, 9, 11}),
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TGameObject& o = Object(7);
        o = game->ObjectTemplate;
        o.Owner = 1;
        o.TypeId = 12;
        c.setUp(o);
        std::vector<InfoLine> expected{{game->UnitTypes[12].Name, true, N}};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(ShowObjectInfo(*game, 7, c.checks), expected);
    }
}

TEST_F(InfoPanelTest, CellReadOutListsLayersOneToSixWithTheShowFlagAsANumber) {
    LayerAt(3, 4, 1) = {2, 17, 0, -1, 1};
    LayerAt(3, 4, 4) = {9, 300, 42, 125, 0};
    LayerAt(3, 4, 7) = {5, 3, 0, -1, 1};  // layer 7 is not listed
    const std::vector<InfoLine> lines = ShowCellLayers(*game, 3, 4);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, "mp0 idU 2, Spr 17, id 0, SprNext -1, show -1");
    EXPECT_EQ(lines[1].text, "mp1 idU 0, Spr 0, id 0, SprNext -1, show 0");
    EXPECT_EQ(lines[3].text, "mp3 idU 9, Spr 300, id 42, SprNext 125, show 0");
    EXPECT_EQ(lines[5].text, "mp5 idU 0, Spr 0, id 0, SprNext -1, show 0");
    EXPECT_EQ(ShowCellLayers(*game, 11, 4).size(), 6u);  // past the 10 x 10 map, inside the grid
    EXPECT_TRUE(ShowCellLayers(*game, 501, 4).empty());
}

}  // namespace
// A builder and its site both show the construction's progress; a unit its path.
TEST_F(InfoPanelTest, ProgressOfAConstructionAndOfAPath) {
    Plant(1, 13, 2, 2);  // an engineer
    Plant(2, 55, 3, 3);  // its site
    Object(1).OrderState = 1, Object(1).BuildLink = 55, Object(1).TurnsLeft = 2, Object(1).TurnsTotal = 5;
    Object(1).MaterialPerTurn = 12, Object(1).SiteObject = 2;
    Object(2).OrderState = 2, Object(2).BuildLink = 1;
    const std::string line = game->UnitTypes[55].Name + ": 3 из 5 ходов, материал 12 за ход";
    for (int slot : {1, 2}) EXPECT_EQ(ShowObjectInfo(*game, slot, InfoChecks{}).back().text, line) << slot;
    Plant(3, 3, 6, 6).Stats.Speed = 2;  // a tank sent off with no moves left
    game->PathOrders = {{3, 6, 10}};
    EXPECT_EQ(ShowObjectInfo(*game, 3, InfoChecks{}).back().text, "Путь: к 6x10, клеток 4, ходов до цели: 2");
}

}  // namespace tarq::testing
