#include <gtest/gtest.h>

#include "core/World.h"
#include "setup/Purchases.h"
#include "setup/Shop.h"

namespace tarq {
namespace {

// Catalogue facts the cases lean on: type 39 is a structure the catalogue
// makes unbuyable, 40 and 38 are buyable structures (cost 8 and 40), 35 and
// 36 alien ground units, 34 an alien ship (category 5), 18 an unbuyable unit.
class ShopTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = NewGame();
        InitData(*game);
        ResetPurchases(*game);
    }
    i16& Credits() { return CurrentPlayerEntry(*game).Credits; }
    int Used() const {
        int n = 0;
        for (int e = 0; e < kPurchaseEntries; ++e) n += game->PurchaseList(e).TypeId != 0;
        return n;
    }
    std::unique_ptr<Game> game;
};

TEST_F(ShopTest, RestrictionsSetBothGroupsAndLeaveOthersAlone) {
    struct Case {
        bool noStructures, noAliens;
        u8 structure39, structure40, alien35, alienShip34, unit18, unit1;
    };
    const Case cases[] = {
        {false, false, 1, 1, 1, 0, 0, 1},
        {true, false, 0, 0, 1, 0, 0, 1},
        {false, true, 1, 1, 0, 0, 0, 1},
        {true, true, 0, 0, 0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        ApplyPurchaseRestrictions(*game, c.noStructures, c.noAliens);
        const auto buyable = [&](int t) { return CurrentPlayerEntry(*game).Purchasable[t]; };
        SCOPED_TRACE(testing::Message() << c.noStructures << c.noAliens);
        EXPECT_EQ(buyable(39), c.structure39);
        EXPECT_EQ(buyable(40), c.structure40);
        EXPECT_EQ(buyable(57), c.structure39);  // also unbuyable in the catalogue
        EXPECT_EQ(buyable(36), c.alien35);
        EXPECT_EQ(buyable(35), c.alien35);
        EXPECT_EQ(buyable(34), c.alienShip34);
        EXPECT_EQ(buyable(18), c.unit18);
        EXPECT_EQ(buyable(1), c.unit1);
    }
}

TEST_F(ShopTest, StartGoldRefillsCreditsAndRestoresTheKit) {
    const std::pair<i32, const char*> cases[] = {{0, "Кредиты:  0"}, {900, "Кредиты:  900"}};
    for (const auto& [gold, label] : cases) {
        Credits() = 6;
        ASSERT_TRUE(BuyType(*game, 19).bought);
        EXPECT_EQ(ChooseStartGold(*game, gold), label);
        EXPECT_EQ(game->World.StartGold, gold);
        EXPECT_EQ(Credits(), gold);
        EXPECT_EQ(Used(), 5) << gold;
        EXPECT_EQ(game->PurchaseList(0).TypeId, 39);
    }
    EXPECT_EQ(CreditsLabel(12), "Кредиты: 12");
}

TEST_F(ShopTest, DragOverDecisions) {
    struct Case {
        int type;
        int credits;
        bool notBuyable;  // the type is made unbuyable first
        DragVerdict verdict;
        i16 ticks;
    };
    const Case cases[] = {
        {-1, 900, false, DragVerdict::RefuseNoType, -1},  // a heading
        {0, 900, false, DragVerdict::RefuseNoType, -1},
        {69, 900, false, DragVerdict::RefuseNoType, -1},
        {39, 900, false, DragVerdict::RefuseNotPurchasable, 4},
        {38, 40, true, DragVerdict::RefuseNotPurchasable, 4},  // unbuyable wins over the price
        {38, 0, true, DragVerdict::RefuseNotPurchasable, 4},
        {38, 39, false, DragVerdict::RefuseTooExpensive, 4},
        {38, 40, false, DragVerdict::Accept, -1},
        {40, 900, false, DragVerdict::Accept, -1},
    };
    for (const Case& c : cases) {
        SetUp();
        Credits() = static_cast<i16>(c.credits);
        if (c.notBuyable) CurrentPlayerEntry(*game).Purchasable[c.type] = 0;
        EXPECT_EQ(JudgeDragOver(*game, c.type), c.verdict) << c.type << " " << c.credits;
        EXPECT_EQ(game->WarnFlashTicks, c.ticks) << c.type << " " << c.credits;
    }
}

TEST_F(ShopTest, DropBuysIntoTheLowestEmptyEntryOrRefusesWithoutChange) {
    struct Case {
        int type, credits, gapEntry;  // gapEntry: an entry emptied beforehand, -1 none
        bool bought;
        int entry, creditsAfter;
        const char* label;
    };
    const Case cases[] = {
        {38, 40, -1, true, 5, 0, "Кредиты: 0"},  // exactly the credits
        {38, 39, -1, false, -1, 39, ""},
        {40, 100, -1, true, 5, 92, "Кредиты: 92"},
        {40, 100, 2, true, 2, 92, "Кредиты: 92"},
        {39, 100, -1, false, -1, 100, ""},  // unbuyable types are never bought
        {-1, 100, -1, false, -1, 100, ""},
    };
    for (const Case& c : cases) {
        SetUp();
        Credits() = static_cast<i16>(c.credits);
        if (c.gapEntry >= 0) game->PurchaseList(c.gapEntry).TypeId = 0;
        const int usedBefore = Used();
        const DropResult r = BuyType(*game, c.type);
        SCOPED_TRACE(testing::Message() << c.type << " " << c.credits);
        EXPECT_EQ(r.bought, c.bought);
        EXPECT_EQ(r.entry, c.entry);
        EXPECT_EQ(r.creditsText, c.label);
        EXPECT_EQ(Credits(), c.creditsAfter);
        EXPECT_EQ(Used(), usedBefore + (c.bought ? 1 : 0));
        if (c.bought) {
            const TPurchase& p = game->PurchaseList(c.entry);
            EXPECT_EQ(p.TypeId, c.type);
            EXPECT_EQ(p.Cargo, 0);
            EXPECT_EQ(p.Price, game->UnitStats[c.type].Cost);
        }
    }
}

TEST_F(ShopTest, PriceKeepsTheLowByteOfALargeCostWhileCreditsPayItAll) {
    game->UnitStats[38].Cost = 300;
    Credits() = 1000;
    const DropResult r = BuyType(*game, 38);
    ASSERT_TRUE(r.bought);
    EXPECT_EQ(game->PurchaseList(r.entry).Price, 300 - 256);
    EXPECT_EQ(Credits(), 700);
}

TEST_F(ShopTest, OnceAllEntriesAreUsedFurtherPurchasesReplaceEntryTen) {
    Credits() = 30000;
    for (int i = 5; i < kPurchaseEntries; ++i) ASSERT_EQ(BuyType(*game, 19).entry, i);
    ASSERT_EQ(Used(), kPurchaseEntries);
    const i16 before = Credits();
    game->PurchaseList(10).Cargo = 7;
    const DropResult r = BuyType(*game, 40);
    EXPECT_EQ(r.entry, 10);
    EXPECT_EQ(game->PurchaseList(10).TypeId, 40);
    EXPECT_EQ(game->PurchaseList(10).Cargo, 0);
    EXPECT_EQ(game->PurchaseList(10).Price, 8);
    EXPECT_EQ(Credits(), before - 8);  // the replaced purchase is not refunded
    EXPECT_EQ(game->PurchaseList(11).TypeId, 19);
    EXPECT_EQ(BuyType(*game, 3).entry, 10);
}

TEST_F(ShopTest, CargoSteps) {
    // Entry 5 holds the purchase under test; entries 0..4 are the kit.
    struct Case {
        const char* what;
        int entry, type, cargo, price, credits;
        const char* label;
        const char* cell;
        bool cargoRow, warn;
        int cargoAfter, priceAfter, creditsAfter;
    };
    const Case cases[] = {
        {"plus", 5, 11, 0, 12, 5, "Груз", "+", true, false, 5, 13, 4},
        {"plus to exactly full", 5, 11, 45, 21, 5, "Груз", "+", true, false, 50, 22, 4},
        {"plus on full", 5, 11, 50, 22, 5, "Груз", "+", true, false, 50, 22, 5},
        {"plus past capacity", 5, 11, 46, 22, 5, "Груз", "+", true, false, 46, 22, 5},
        {"plus without credits", 5, 11, 10, 14, 0, "Груз", "+", true, true, 10, 14, 0},
        {"plus on full without credits", 5, 11, 50, 22, 0, "Груз", "+", true, false, 50, 22, 0},
        {"minus", 5, 11, 5, 13, 0, "Груз", "-", true, false, 0, 12, 1},
        {"minus below 5", 5, 11, 4, 13, 2, "Груз", "-", true, false, 4, 13, 2},
        {"minus on the kit's cargo", 2, 1, 60, 32, 0, "Груз", "-", true, false, 55, 31, 1},
        {"minus at the credit limit", 2, 1, 60, 32, 32767, "Груз", "-", true, false, 55, 31, 32767},
        {"step price cell", 5, 11, 5, 13, 2, "Груз", "1 (за 5)", true, false, 5, 13, 2},
        {"another row", 5, 11, 5, 13, 2, "Броня", "+", false, false, 5, 13, 2},
        {"no line selected", -1, 11, 5, 13, 2, "Груз", "+", false, false, 5, 13, 2},
        {"type without cargo", 5, 3, 0, 12, 2, "Груз", "+", false, false, 0, 12, 2},
    };
    for (const Case& c : cases) {
        SetUp();
        SCOPED_TRACE(c.what);
        const int slot = c.entry >= 0 ? c.entry : 5;
        game->PurchaseList(slot) =
            TPurchase{static_cast<u8>(c.type), static_cast<u8>(c.cargo), static_cast<u8>(c.price)};
        Credits() = static_cast<i16>(c.credits);
        const CargoStepResult r = SelectCargoCell(*game, c.entry, c.label, c.cell);
        EXPECT_EQ(r.cargoRow, c.cargoRow);
        EXPECT_EQ(r.warnCredits, c.warn);
        EXPECT_EQ(game->WarnFlashTicks, c.warn ? 4 : -1);
        EXPECT_EQ(r.showCardAgain, c.cargoRow && (std::string(c.cell) == "+" || std::string(c.cell) == "-"));
        EXPECT_EQ(r.creditsText, c.cargoRow ? CreditsLabel(c.creditsAfter) : "");
        const TPurchase& p = game->PurchaseList(slot);
        EXPECT_EQ(p.Cargo, c.cargoAfter);
        EXPECT_EQ(p.Price, c.priceAfter);
        EXPECT_EQ(Credits(), c.creditsAfter);
    }
}

}  // namespace
}  // namespace tarq
