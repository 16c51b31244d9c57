// The command menu: the build options and their turn estimates, and the menu
// of every kind of selected object.
#include <gtest/gtest.h>

#include "control/CommandMenu.h"
#include "core/FactoryFixture.h"

namespace tarq::testing {
namespace {

constexpr int kConstructor = 1;
constexpr int kTank = 3;
constexpr int kEngineer = 13;
constexpr int kGenerator = 40;   // built by the engineer, cost 8
constexpr int kLightPlant = 42;  // a factory, a plain structure
constexpr int kStore = 55;       // a plain structure
constexpr int kBigGun = 64;      // built by the engineer, cost 24

TEST(BuildOptionsTest, TurnsAndMaterialOfEveryOption) {
    struct Case {
        int cost, rate, cargo;
        std::vector<BuildOption> expected;
    };
    const Case cases[] = {
        {8, 2, 40, {{4, 8}, {2, 16}, {1, 24}}},
        {24, 2, 40, {{12, 24}, {8, 40}}},
        {24, 2, 100, {{12, 24}, {7, 48}, {4, 72}}},
        {40, 3, 100, {{13, 42}, {7, 84}, {6, 99}}},
        {20, 1, 60, {{20, 20}, {12, 40}, {7, 60}}},
        {24, 3, 50, {{8, 24}, {4, 48}, {5, 48}}},
        // Material rounded up to the rate, turns still cost div rate.
        {10, 3, 60, {{3, 12}, {1, 24}}},
        // Cargo below the cost: only all the cargo there is.
        {24, 2, 20, {{10, 20}}},
        // All the cargo would take no turn: not offered.
        {2, 2, 5, {{1, 2}}},
        // Twice and three times the cost are beyond any 8-bit sum: the loops stop.
        {200, 3, 255, {{66, 201}}},
        // A cost below the rate takes no turn at all.
        {1, 2, 40, {}},
        // A builder that applies nothing per turn builds nothing.
        {8, 0, 40, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildOptions(c.cost, c.rate, c.cargo), c.expected) << c.cost << " " << c.rate << " " << c.cargo;
}

TEST(BuildOptionsTest, CaptionHasTwoSpacesBeforeTheTurns) {
    EXPECT_EQ(BuildOptionCaption({12, 24}, 100), "Строить за 12  ходов (24/100)");
}

class CommandMenuTest : public FactoryTest {
protected:
    TGameObject& Put(int slot, int type, int moves = 0, int cargo = 0) {
        TGameObject& o = Plant(slot, type, slot, 1);
        o.MovesLeft = static_cast<u8>(moves);
        o.Cargo = static_cast<u8>(cargo);
        return o;
    }
    // The captions of the shown top items, top to bottom.
    std::vector<std::string> Shown(int selected) {
        game->SelectedObject = selected;
        menu = BuildCommandMenu(*game);
        std::vector<std::string> shown;
        for (const MenuItem& item : menu)
            if (item.visible) shown.push_back(item.caption);
        return shown;
    }
    static std::vector<std::string> Captions(const std::vector<MenuItem>& items) {
        std::vector<std::string> captions;
        for (const MenuItem& item : items) captions.push_back(item.caption);
        return captions;
    }
    CommandMenu menu;
};

const std::string kTech = " Технические характеристики";

TEST_F(CommandMenuTest, TheTopItemsOfEveryKindOfObject) {
    Put(1, kTank, 5);
    Put(2, kTank, 0);
    Put(3, kConstructor, 6, 60);
    Put(4, kLightPlant);
    Put(5, kStore);
    TGameObject& busy = Put(6, kEngineer, 6, 40);
    busy.OrderState = 1, busy.BuildLink = kGenerator, busy.TurnsLeft = 3, busy.TurnsTotal = 5;
    struct Case {
        int selected;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {1, {kTech, "Идти", "Отмена", "Путь"}},
        {2, {kTech, "Отмена", "Путь"}},
        {3, {"Конструктор Строить", kTech, "Идти", "Отмена", "Путь"}},
        {4, {"Завод легкой техники Строить", kTech, "Уничтожить Завод легкой техники", "Отмена"}},
        {5, {kTech, "Уничтожить Хранилище", "Отмена"}},
        {6, {"Инженер Строить", kTech, "Инженер занят", "Отмена"}},
        {0, {kTech, "Отмена"}},     // nothing selected
        {100, {kTech, "Отмена"}},   // a free slot
        {9999, {kTech, "Отмена"}},  // outside the table
    };
    for (const Case& c : cases) EXPECT_EQ(Shown(c.selected), c.expected) << c.selected;
}

TEST_F(CommandMenuTest, FixedItemsAndTheirActions) {
    Put(1, kStore);
    Shown(1);
    EXPECT_EQ(menu[3].action, MenuAction::TechnicalPage);
    EXPECT_EQ(menu[8].action, MenuAction::Submit);
    EXPECT_EQ(menu[8].order, (Order{1, cmd::ArmMove{}}));
    EXPECT_EQ(menu[9].action, MenuAction::None);
    // Only the innermost item of the confirmation chain destroys.
    const auto& chain = menu[7].children;
    ASSERT_EQ(Captions(chain), (std::vector<std::string>{"Нет, не надо", "Подверждаю"}));
    ASSERT_EQ(Captions(chain[1].children), (std::vector<std::string>{"Не стоит", "Да, подтверждаю"}));
    const auto& inner = chain[1].children[1].children;
    ASSERT_EQ(Captions(inner), (std::vector<std::string>{"Отмена", "Абсолютно уверен"}));
    ASSERT_EQ(Captions(inner[1].children), std::vector<std::string>{"Уничтожить строение"});
    EXPECT_EQ(inner[1].children[0].order, (Order{1, cmd::DestroyStructure{1}}));
    for (const MenuItem* item : {&chain[0], &chain[1], &chain[1].children[0], &inner[0], &inner[1]})
        EXPECT_EQ(item->action, MenuAction::None) << item->caption;
}

TEST_F(CommandMenuTest, BuildListEnablesWhatTheCargoPays) {
    Put(1, kEngineer, 6, 10);
    Shown(1);
    const auto& types = menu[1].children;
    // Each type's options carry the type, turns and material their captions show.
    std::vector<int> listed, enabled;
    for (const MenuItem& t : types) {
        ASSERT_FALSE(t.children.empty()) << t.caption;
        const int type = std::get<cmd::StartConstruction>(t.children[0].order.command).type;
        EXPECT_EQ(t.caption, game->UnitTypes[type].Name);
        listed.push_back(type);
        if (t.enabled) enabled.push_back(type);
        // A greyed type says why, as the order's check would.
        const std::string cost = std::to_string(game->UnitStats[type].Cost);
        EXPECT_EQ(t.reason, t.enabled ? "" : "Не хватает материала: нужно " + cost + ", в грузе 10") << t.caption;
    }
    EXPECT_EQ(listed, (std::vector<int>{40, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67}));
    EXPECT_EQ(enabled, (std::vector<int>{40, 54, 55, 56, 57, 58, 59, 60, 62, 66, 67}));
    const MenuItem& generator = types[0];
    EXPECT_EQ(Captions(generator.children),
              (std::vector<std::string>{"Строить за 4  ходов (8/10)", "Строить за 3  ходов (10/10)"}));
    EXPECT_EQ(generator.children[0].order, (Order{1, cmd::StartConstruction{1, kGenerator, 4, 8}}));
    EXPECT_EQ(generator.children[1].order, (Order{1, cmd::StartConstruction{1, kGenerator, 3, 10}}));
    EXPECT_EQ(generator.children[1].action, MenuAction::Submit);
    // A disabled type still shows the option that spends all the cargo.
    const MenuItem& gun = types[11];
    EXPECT_EQ(Captions(gun.children), std::vector<std::string>{"Строить за 11  ходов (10/10)"});
    EXPECT_EQ(gun.children[0].order, (Order{1, cmd::StartConstruction{1, kBigGun, 11, 10}}));
}

TEST_F(CommandMenuTest, ABuilderAtWorkShowsItsProgressAndCancel) {
    TGameObject& busy = Put(7, kEngineer, 6, 40);
    busy.OrderState = 1, busy.BuildLink = kGenerator, busy.TurnsLeft = 3, busy.TurnsTotal = 5;
    Shown(7);
    ASSERT_EQ(Captions(menu[6].children), std::vector<std::string>{"Сейчас строит Энергогенератор 3/5 ходов"});
    const auto& cancel = menu[6].children[0].children;
    ASSERT_EQ(Captions(cancel), std::vector<std::string>{"Отменить"});
    EXPECT_EQ(cancel[0].order, (Order{1, cmd::CancelConstruction{7}}));
    EXPECT_FALSE(menu[1].children.empty());  // it may still start a build
}

TEST_F(CommandMenuTest, ASiteInProgressAndFinished) {
    TGameObject& builder = Put(3, kEngineer, 0, 30);
    builder.OrderState = 1, builder.BuildLink = kGenerator, builder.TurnsLeft = 3, builder.TurnsTotal = 5;
    builder.SiteObject = 4;
    TGameObject& site = Put(4, kGenerator);
    site.OrderState = 2, site.BuildLink = 3;

    EXPECT_EQ(Shown(4), (std::vector<std::string>{kTech, "Энергогенератор строится", "Отмена"}));
    ASSERT_EQ(Captions(menu[6].children), std::vector<std::string>{"Строится Инженером 3/5 ходов"});
    const auto& progress = menu[6].children[0].children;
    ASSERT_EQ(Captions(progress), (std::vector<std::string>{"Отменить", "Подключить еще одного строителя"}));
    EXPECT_EQ(progress[0].order, (Order{1, cmd::CancelConstruction{3}}));
    EXPECT_FALSE(progress[1].enabled);

    builder.TurnsLeft = 0;
    EXPECT_EQ(Shown(4), (std::vector<std::string>{kTech, "Энергогенератор Строительство завершено", "Отмена"}));
    const auto& exits = menu[6].children;
    ASSERT_EQ(Captions(exits), (std::vector<std::string>{"Укажите точку для вывода Инженера с этого места",
                                                         "Вывести в любое свободное место"}));
    EXPECT_EQ(exits[0].order, (Order{1, cmd::TakeOutBuilder{4, 1}}));
    EXPECT_EQ(exits[1].order, (Order{1, cmd::TakeOutBuilder{4, 0}}));

    // A site whose builder is gone offers neither progress nor exit.
    site.BuildLink = 9;
    EXPECT_EQ(Shown(4), (std::vector<std::string>{kTech, "Отмена"}));
    site.BuildLink = 0;
    EXPECT_EQ(Shown(4), (std::vector<std::string>{kTech, "Отмена"}));
}

}  // namespace
}  // namespace tarq::testing
