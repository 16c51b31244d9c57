#include <gtest/gtest.h>

#include <set>

#include "core/Catalogue.h"
#include "core/TypeSetup.h"
#include "core/World.h"
#include "support/Utf8.h"

namespace tarq {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
    }
    std::unique_ptr<Game> game;
};

struct StatsRow {
    int type;
    const char* name;
    int attack, shots, range, ammo, armour, hits, scan, speed, cost, cargoKind, cargoCapacity;
    int builderKind, purchasable, category, builtBy, buildRate, cellCount;
};

// A sample of rows across the table: units, ships, aircraft, aliens, structures.
const StatsRow kSamples[] = {
    {1, "Конструктор", 0, 0, 0, 0, 6, 24, 3, 6, 24, 1, 60, 1, 1, 1, 3, 2, 1},
    {5, "Ракетница", 15, 2, 7, 16, 4, 24, 4, 6, 24, 0, 0, 0, 1, 1, 3, 0, 1},
    {13, "Инженер", 0, 0, 0, 0, 4, 14, 3, 6, 18, 1, 40, 1, 1, 1, 4, 2, 1},
    {18, "Инфильтратор", 6, 1, 4, 12, 2, 8, 4, 5, 27, 0, 0, 0, 0, 1, 7, 0, 1},
    {28, "Истребитель", 16, 1, 5, 4, 4, 12, 5, 24, 24, 0, 0, 0, 0, 1, 5, 0, 1},
    {34, "Канонерка пришельцев", 28, 2, 8, 10, 18, 40, 4, 7, 36, 0, 0, 0, 0, 5, 0, 0, 1},
    {35, "Танк пришельцев", 20, 3, 5, 15, 14, 32, 4, 8, 18, 0, 0, 0, 1, 4, 0, 0, 1},
    {39, "Шахтный комплекс", 0, 0, 0, 0, 8, 56, 3, 0, 24, 1, 25, 0, 0, 0, 1, 0, 4},
    {46, "Тренировочный зал", 0, 0, 0, 0, 8, 56, 3, 0, 20, 0, 0, 2, 1, 0, 1, 1, 4},
    {48, "Судовервь", 0, 0, 0, 0, 8, 56, 3, 0, 40, 0, 0, 2, 0, 5, 1, 3, 4},
    {50, "Исследовательсткий центр", 0, 0, 0, 0, 8, 56, 3, 0, 24, 0, 0, 0, 1, 0, 1, 0, 4},
    {58, "Дорога", 0, 0, 0, 0, 0, 2, 0, 0, 2, 0, 0, 0, 0, 2, 2, 0, 1},
    {64, "Ракетница", 28, 1, 11, 10, 6, 24, 4, 0, 24, 0, 0, 0, 1, 0, 2, 0, 1},
    {67, "Подъемный Мост", 0, 0, 0, 0, 8, 20, 1, 0, 2, 0, 0, 0, 0, 3, 2, 0, 1},
};

TEST_F(CatalogueTest, RowsMatchTheTable) {
    for (const StatsRow& row : kSamples) {
        SCOPED_TRACE(row.type);
        const TUnitType& t = game->UnitTypes[row.type];
        const TUnitStats& s = game->UnitStats[row.type];
        EXPECT_EQ(t.Name, row.name);
        EXPECT_EQ(s.TypeId, row.type);
        EXPECT_EQ(std::vector<int>({s.Attack, s.Shots, s.Range, s.Ammo, s.Armour, s.Hits, s.Scan, s.Speed, s.Cost,
                                    s.CargoKind, s.CargoCapacity}),
                  std::vector<int>({row.attack, row.shots, row.range, row.ammo, row.armour, row.hits, row.scan,
                                    row.speed, row.cost, row.cargoKind, row.cargoCapacity}));
        EXPECT_EQ(std::vector<int>({t.BuilderKind, t.Purchasable, t.Category, t.BuiltBy, t.BuildRate, t.CellCount}),
                  std::vector<int>(
                      {row.builderKind, row.purchasable, row.category, row.builtBy, row.buildRate, row.cellCount}));
        EXPECT_EQ(s.Movement, 0);
    }
}

TEST_F(CatalogueTest, ResourcePairsAndOutput) {
    const TUnitStats& mine = game->UnitStats[38];
    EXPECT_EQ(std::vector<int>({mine.ResourceKind1, mine.ResourceAmount1, mine.ResourceKind2, mine.ResourceAmount2}),
              std::vector<int>({1, 3, 4, 1}));
    const TUnitStats& hall = game->UnitStats[46];
    EXPECT_EQ(std::vector<int>({hall.ResourceKind3, hall.ResourceAmount3}), std::vector<int>({5, 0}));
    EXPECT_EQ(game->UnitStats[41].Output, 6);
    EXPECT_EQ(game->UnitStats[43].Output, 3);
    EXPECT_EQ(game->UnitStats[40].Output, 1);
}

TEST_F(CatalogueTest, TextsAreWithinTheirLimitsAndQuotedOnesAreVerbatim) {
    for (int t = 1; t <= kDefinedTypes; ++t) {
        const TUnitType& type = game->UnitTypes[t];
        EXPECT_FALSE(type.Name.empty()) << t;
        EXPECT_LE(testing::Utf8Length(type.Name), 30u) << t;
        EXPECT_FALSE(type.Description.empty()) << t;
        EXPECT_LE(testing::Utf8Length(type.Description), 255u) << t;
    }
    EXPECT_EQ(game->UnitTypes[1].Description,
              "Большая конструкторская машина для создания сооружений и заводов. Нормально производит по 2 ед. "
              "ресурса за ход.");
    EXPECT_EQ(game->UnitTypes[40].Description,
              "Не очень экономичный но зато очень дешевый источник электроэнергии. Потребляет 2 нефти и выдает 1 "
              "ед. мощности за ход.");
    EXPECT_EQ(game->UnitTypes[55].Description, "Дополнительная емкость для хранения ресурсов (металл)");
    std::set<std::string> descriptions;
    for (int t = 1; t <= kDefinedTypes; ++t) descriptions.insert(game->UnitTypes[t].Description);
    EXPECT_EQ(descriptions.size(), static_cast<std::size_t>(kDefinedTypes));
}

TEST_F(CatalogueTest, TypeSixtyEightIsBlank) {
    const TUnitType& t = game->UnitTypes[68];
    EXPECT_TRUE(t.Name.empty());
    EXPECT_TRUE(t.Description.empty());
    EXPECT_EQ(t.BuiltBy, 0);
    EXPECT_EQ(t.CellCount, 1);
    EXPECT_EQ(game->UnitStats[68], TUnitStats{});
}

TEST_F(CatalogueTest, TwoTypesShareTheNameOfTheRocketLauncher) {
    EXPECT_EQ(game->UnitTypes[5].Name, game->UnitTypes[64].Name);
    EXPECT_EQ(game->UnitTypes[5].Category, 1);
    EXPECT_EQ(game->UnitTypes[64].Category, 0);
}

TEST_F(CatalogueTest, BuildTurnsAreCostDividedByTheBuildersRate) {
    // The mining complex, built by the constructor at rate 2: 24 div 2 = 12 turns.
    EXPECT_EQ(game->UnitTypes[39].BuiltBy, BuilderClassOf(1));
    EXPECT_EQ(game->UnitStats[39].Cost / game->UnitTypes[1].BuildRate, 12);
    EXPECT_EQ(BuilderClassOf(13), 2);
    EXPECT_EQ(BuilderClassOf(46), 7);
    EXPECT_EQ(BuilderClassOf(2), 0);
}

// Follows a ring from `entry` and returns its length (0 if it never returns).
int RingLength(const Game& game, int entry) {
    int e = entry;
    for (int n = 1; n <= kSpriteTableSize; ++n) {
        e = game.SpriteTable[static_cast<std::size_t>(e)].SprNext;
        if (e < 1 || e > kFilledSprites) return 0;
        if (e == entry) return n;
    }
    return 0;
}

TEST_F(CatalogueTest, SpriteRingsCloseOnTheirFirstEntry) {
    struct Ring {
        int entry;
        int length;
    };
    const Ring rings[] = {{1, 1},   {2, 4},   {5, 4},   {6, 2},   {61, 2},  {62, 16}, {77, 16}, {78, 1},
                          {174, 8}, {181, 8}, {358, 1}, {404, 4}, {416, 4}, {448, 2}, {463, 2}, {472, 2},
                          {479, 2}, {487, 1}, {520, 1}, {522, 1}, {94, 1},  {109, 1}};
    for (const Ring& ring : rings) EXPECT_EQ(RingLength(*game, ring.entry), ring.length) << ring.entry;
    for (int e = 1; e <= kFilledSprites; ++e) EXPECT_GT(RingLength(*game, e), 0) << e;
}

TEST_F(CatalogueTest, SpriteEntriesNameTheirPictures) {
    auto pic = [&](int e) {
        const TSpriteRef& s = game->SpriteTable[static_cast<std::size_t>(e)];
        return std::pair<int, int>(s.idU, s.Spr);
    };
    using P = std::pair<int, int>;
    EXPECT_EQ(pic(1), P(3, 22));
    EXPECT_EQ(pic(5), P(3, 31));
    EXPECT_EQ(pic(6), P(0, 4));
    EXPECT_EQ(pic(7), P(0, 6));
    EXPECT_EQ(pic(22), P(1, 4));
    EXPECT_EQ(pic(23), P(0, 16));
    EXPECT_EQ(pic(61), P(0, 43));
    EXPECT_EQ(pic(77), P(3, 63));
    EXPECT_EQ(pic(93), P(9, 143));
    EXPECT_EQ(pic(230), P(10, 0));
    EXPECT_EQ(pic(270), P(11, 32));
    EXPECT_EQ(pic(278), P(12, 0));
    EXPECT_EQ(pic(357), P(9, 367));
    EXPECT_EQ(pic(405), P(2, 50));
    EXPECT_EQ(pic(463), P(0, 61));
    EXPECT_EQ(pic(479), P(2, 15));
    EXPECT_EQ(pic(482), P(3, 36));
    EXPECT_EQ(pic(519), P(13, 55));
    EXPECT_EQ(pic(520), P(5, 17));
    EXPECT_EQ(pic(522), P(3, 37));
    for (int e : {0, 523, 1000}) {
        EXPECT_EQ(pic(e), P(0, 0)) << e;
        EXPECT_EQ(game->SpriteTable[static_cast<std::size_t>(e)].SprNext, 0) << e;
    }
}

TEST_F(CatalogueTest, AircraftAreTheOnlyTypesWithMovementZero) {
    for (int t = 1; t <= kDefinedTypes; ++t) {
        const bool aircraft = t == 28 || t == 29 || t == 30 || t == 31 || t == 37;
        EXPECT_EQ(FindTypeSetup(t)->Movement == kMoveAircraft, aircraft) << t;
    }
    EXPECT_EQ(FindTypeSetup(0), nullptr);
    EXPECT_EQ(FindTypeSetup(68), nullptr);
}

}  // namespace
}  // namespace tarq
