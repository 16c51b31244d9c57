#include <gtest/gtest.h>

#include "core/World.h"
#include "setup/Purchases.h"
#include "setup/TypeCard.h"

namespace tarq {
namespace {

std::vector<CardRow> Rows(std::initializer_list<std::pair<const char*, const char*>> pairs) {
    std::vector<CardRow> rows;
    for (const auto& [label, value] : pairs) rows.push_back({label, value, "", "", ""});
    return rows;
}

TEST(TypeCardTest, PictureNamesHaveTwoDigits) {
    const std::pair<int, const char*> cases[] = {{1, "graph\\units\\U01.bmp"},
                                                 {9, "graph\\units\\U09.bmp"},
                                                 {10, "graph\\units\\U10.bmp"},
                                                 {67, "graph\\units\\U67.bmp"}};
    for (const auto& [type, name] : cases) EXPECT_EQ(TypeCardPicture(type), name);
}

TEST(TypeCardTest, RowsFromTreeAndList) {
    auto game = NewGame();
    InitData(*game);
    ResetPurchases(*game);  // entry 2: the constructor with 60 of 60, price 32
    game->PurchaseList(5) = TPurchase{3, 0, 12};
    const auto cargo = [](const char* value) { return CardRow{"Груз", value, "1 (за 5)", "-", "+"}; };
    struct Case {
        const char* what;
        int type;
        CardSource source;
        int entry;
        std::vector<CardRow> rows;
    };
    std::vector<Case> cases = {
        {"constructor from the tree", 1, CardSource::Tree, -1,
         Rows({{"Броня", "6"}, {"Хиты", "24"}, {"Обзор", "3"}, {"Скорость", "6"}, {"Стоимость", "24"}})},
        {"constructor from the list", 1, CardSource::List, 2,
         Rows({{"Броня", "6"}, {"Хиты", "24"}, {"Обзор", "3"}, {"Скорость", "6"}, {"Стоимость", "32"}})},
        {"tank from the tree", 3, CardSource::Tree, 3,
         Rows({{"Атака", "16"},
               {"Выстрелов/ход", "2"},
               {"Дальнобойность", "4"},
               {"Боезапас", "14"},
               {"Броня", "10"},
               {"Хиты", "24"},
               {"Обзор", "4"},
               {"Скорость", "6"},
               {"Стоимость", "12"}})},
        {"generator from the list: no cargo", 40, CardSource::List, 1, {}},
    };
    cases[1].rows.push_back(cargo("60/60"));
    cases[3].rows = MakeTypeCard(*game, 40, CardSource::Tree).rows;
    for (const Case& c : cases) {
        const TypeCard card = MakeTypeCard(*game, c.type, c.source, c.entry);
        EXPECT_EQ(card.rows, c.rows) << c.what;
        EXPECT_EQ(card.name, game->UnitTypes[c.type].Name);
        EXPECT_EQ(card.description, game->UnitTypes[c.type].Description);
        EXPECT_EQ(card.picture, TypeCardPicture(c.type));
    }
    // The kit mine from the list: its price and part-filled cargo.
    const std::vector<CardRow> mine = MakeTypeCard(*game, 39, CardSource::List, 0).rows;
    ASSERT_GE(mine.size(), 2u);
    EXPECT_EQ(mine[mine.size() - 2], (CardRow{"Стоимость", "27", "", "", ""}));
    EXPECT_EQ(mine.back(), cargo("15/25"));
}

TEST(TypeCardTest, FreeTypesShowNoPriceAndEmptyTypesNothing) {
    auto game = NewGame();
    InitData(*game);
    game->UnitStats[40].Cost = 0;
    for (const CardRow& row : MakeTypeCard(*game, 40, CardSource::Tree).rows) EXPECT_NE(row[0], "Стоимость");
    game->UnitStats[40] = TUnitStats{};
    EXPECT_TRUE(MakeTypeCard(*game, 40, CardSource::Tree).rows.empty());
    EXPECT_TRUE(MakeTypeCard(*game, 0, CardSource::Tree).name.empty());
}

}  // namespace
}  // namespace tarq
