#include "control/CommandMenu.h"

#include <algorithm>

#include "control/CombatRules.h"
#include "control/Construction.h"
#include "control/Economy.h"
#include "core/Catalogue.h"
#include "core/Factory.h"
#include "core/Players.h"

namespace tarq {

namespace {

// The form's ten top items: names and design-time captions, in index order.
constexpr const char* kItemNames[kMenuTopItems] = {"N11", "N21",  "N31", "N41", "N51", "N61",
                                                   "N71", "N101", "N81", "N91", ""};
constexpr const char* kFormCaptions[kMenuTopItems] = {"1", "2", "3",   "4", "5", "6", "7", "Уничтожить строение",
                                                      "8", "9", "Путь"};

// Top items by role.
constexpr int kBuildItem = 1;
constexpr int kAttackItem = 2;
constexpr int kSupplyItem = 0;  // its own place: an armed carrier keeps "Атаковать" at 2
constexpr int kTechItem = 3;
constexpr int kLayMineItem = 4;
constexpr int kClearMineItem = 5;
constexpr int kStateItem = 6;
constexpr int kDestroyItem = 7;
constexpr int kMoveItem = 8;
constexpr int kCloseItem = 9;
constexpr int kPathItem = 10;

// The material sum is 8-bit: a loop that has not stopped after this many
// additions only cycles through the same values and never will.
constexpr int kLoopGuard = 256;

// One step of the turn estimate: the exact sum rounded to single precision.
float AddTurns(float f, long double delta) { return static_cast<float>(static_cast<long double>(f) + delta); }

struct Sum {
    u8 material = 0;
    float turns = 0;
};

// Adds `step` material and `delta` turns until the material reaches `target`
// or exceeds the cargo.
Sum Accumulate(float turns, int step, long double delta, int target, u8 cargo) {
    Sum sum{0, turns};
    for (int i = 0; i < kLoopGuard; ++i) {
        sum.material = static_cast<u8>(sum.material + step);
        sum.turns = AddTurns(sum.turns, delta);
        if (sum.material >= target || sum.material > cargo) break;
    }
    return sum;
}

int Truncate(float f) { return static_cast<int>(f); }

MenuItem Item(std::string caption) {
    MenuItem item;
    item.caption = std::move(caption);
    return item;
}

// An item that submits `command` for the player whose turn it is.
MenuItem OrderItem(const Game& game, std::string caption, Command command) {
    MenuItem item = Item(std::move(caption));
    item.action = MenuAction::Submit;
    item.order = {game.CurrentPlayer, command};
    return item;
}

i16 Slot(int slot) { return static_cast<i16>(slot); }

// The fixed chain under "Уничтожить строение": only its innermost item destroys.
std::vector<MenuItem> DestroyChain(const Game& game, int slot) {
    MenuItem sure = Item("Абсолютно уверен");
    sure.children = {OrderItem(game, "Уничтожить строение", cmd::DestroyStructure{Slot(slot)})};
    MenuItem yes = Item("Да, подтверждаю");
    yes.children = {Item("Отмена"), sure};
    MenuItem confirm = Item("Подверждаю");
    confirm.children = {Item("Не стоит"), yes};
    return {Item("Нет, не надо"), confirm};
}

CommandMenu FormItems(const Game& game, int slot) {
    CommandMenu menu;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        menu[i].name = kItemNames[i];
        menu[i].caption = kFormCaptions[i];
        menu[i].visible = false;
    }
    menu[kTechItem].action = MenuAction::TechnicalPage;
    menu[kMoveItem] = OrderItem(game, menu[kMoveItem].caption, cmd::ArmMove{});
    menu[kMoveItem].name = kItemNames[kMoveItem];
    menu[kMoveItem].visible = false;
    menu[kPathItem] = OrderItem(game, menu[kPathItem].caption, cmd::ArmPath{});
    menu[kPathItem].visible = false;
    menu[kDestroyItem].children = DestroyChain(game, slot);
    return menu;
}

const TUnitType* TypeOf(const Game& game, int type) {
    return type >= 1 && type <= kTypeCount ? &game.UnitTypes[type] : nullptr;
}

std::string NameOf(const Game& game, int type) {
    const TUnitType* t = TypeOf(game, type);
    return t ? t->Name : std::string();
}

// The object in `slot`, or nullptr for a number outside the table or a free slot.
const TGameObject* LiveObject(const Game& game, int slot) {
    if (slot < 1 || slot > kMaxObjects) return nullptr;
    const TGameObject& o = game.Object(slot);
    return o.Owner != 0 ? &o : nullptr;
}

std::string Progress(const TGameObject& builder) {
    return std::to_string(builder.TurnsLeft) + "/" + std::to_string(builder.TurnsTotal) + " ходов";
}

// Item 6 of a builder at work: its progress and the way to cancel it.
void BuilderState(const Game& game, int slot, const TGameObject& s, MenuItem& item) {
    item.caption = NameOf(game, s.TypeId) + " занят";
    item.visible = true;
    MenuItem progress = Item("Сейчас строит " + NameOf(game, s.BuildLink) + " " + Progress(s));
    progress.children = {OrderItem(game, "Отменить", cmd::CancelConstruction{Slot(slot)})};
    item.children = {progress};
}

// Item 6 of a construction site: its builder's progress, or the exit items
// once it is finished. A site whose builder is gone shows neither.
void SiteState(const Game& game, int slot, const TGameObject& s, MenuItem& item) {
    const TGameObject* b = LiveObject(game, s.BuildLink);
    if (!b) return;
    const std::string name = NameOf(game, s.TypeId);
    const std::string builder = NameOf(game, b->TypeId);
    item.visible = true;
    if (b->TurnsLeft > 0) {
        item.caption = name + " строится";
        MenuItem progress = Item("Строится " + builder + "ом " + Progress(*b));
        MenuItem helper = Item("Подключить еще одного строителя");
        helper.enabled = false;
        helper.reason = "Второго строителя к стройке подключить нельзя";
        progress.children = {OrderItem(game, "Отменить", cmd::CancelConstruction{Slot(s.BuildLink)}), helper};
        item.children = {progress};
        return;
    }
    item.caption = name + " Строительство завершено";
    item.children = {OrderItem(game, "Укажите точку для вывода " + builder + "а с этого места",
                               cmd::TakeOutBuilder{Slot(slot), 1}),
                     OrderItem(game, "Вывести в любое свободное место", cmd::TakeOutBuilder{Slot(slot), 0})};
}

// Item 1: every type the builder's class builds, with its options.
void BuildList(const Game& game, int slot, const TGameObject& s, MenuItem& item) {
    item.caption = NameOf(game, s.TypeId) + " Строить";
    item.visible = true;
    const int builderClass = BuilderClassOf(s.TypeId);
    const int rate = game.UnitTypes[s.TypeId].BuildRate;
    for (int t = 1; t <= kTypeCount; ++t) {
        if (game.UnitTypes[t].BuiltBy != builderClass) continue;
        const int cost = game.UnitStats[t].Cost;
        MenuItem type = Item(game.UnitTypes[t].Name);
        type.enabled = s.Cargo >= cost;
        // The reason the executor gives for the cheapest order of this type.
        if (!type.enabled) type.reason = BuildOrderRefusal(game, slot, {t, 1, std::min(cost, 255)});
        for (const BuildOption& option : BuildOptions(cost, rate, s.Cargo))
            type.children.push_back(OrderItem(game, BuildOptionCaption(option, s.Cargo),
                                              cmd::StartConstruction{Slot(slot), static_cast<u8>(t),
                                                                     static_cast<u8>(std::min(option.turns, 255)),
                                                                     static_cast<u8>(option.material)}));
        item.children.push_back(std::move(type));
    }
}

// The combat items: "Атаковать" of an armed object with a shot and
// ammunition left; "Поставить мину" on each free neighbouring cell and
// "Снять мину" beside an enemy's mine, for a mine layer.
void CombatItems(const Game& game, int slot, const TGameObject& s, CommandMenu& menu) {
    if (!OwnedByCurrentPlayer(game, slot) || s.OrderState != 0) return;
    if (CanFire(game, slot)) {
        menu[kAttackItem] = OrderItem(game, "Атаковать", cmd::ArmAttack{});
        menu[kAttackItem].name = kItemNames[kAttackItem];
    }
    const int mine = MineOf(s.TypeId);
    if (mine == 0) return;
    MenuItem lay = Item("Поставить мину");
    lay.name = kItemNames[kLayMineItem];
    lay.enabled = s.Cargo >= game.UnitStats[mine].Cost;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) {
            const int c = s.Cells[1].col + dc, r = s.Cells[1].row + dr;
            if ((dc == 0 && dr == 0) || !game.InMap(c, r) || CanPlaceType(game, c, r, mine) == 0) continue;
            lay.children.push_back(OrderItem(game, "на клетку " + std::to_string(c) + "x" + std::to_string(r),
                                             cmd::LayMine{Slot(slot), static_cast<i16>(c), static_cast<i16>(r)}));
        }
    if (!lay.children.empty()) menu[kLayMineItem] = std::move(lay);
    if (const int found = MineNextTo(game, slot, s.Owner); found != 0) {
        menu[kClearMineItem] = OrderItem(game, "Снять мину", cmd::ClearMine{Slot(slot), Slot(found)});
        menu[kClearMineItem].name = kItemNames[kClearMineItem];
    }
}

}  // namespace

std::vector<BuildOption> BuildOptions(int cost, int rate, int cargo) {
    std::vector<BuildOption> options;
    if (rate <= 0) return options;
    const u8 r = static_cast<u8>(rate);
    const u8 load = static_cast<u8>(cargo);
    const int c = cost % 256;
    const u8 n = static_cast<u8>(cost / rate);
    auto offer = [&options](int turns, int material) {
        if (turns > 0) options.push_back({turns, material});
    };

    const Sum normal = Accumulate(0, r, 0, c, load);
    if (normal.material >= c && normal.material <= load) offer(n, normal.material);
    const Sum doubled = Accumulate(n, 2 * r, -0.4L, 2 * c, load);
    if (doubled.material >= 2 * c && doubled.material <= load) offer(Truncate(doubled.turns), doubled.material);
    Sum tripled = Accumulate(n, 3 * r, -0.6L, 3 * c, load);
    if (tripled.material >= 3 * c && tripled.material <= load) offer(Truncate(tripled.turns), tripled.material);

    // All the cargo that fits: step back from the triple sum until it is carried.
    if (tripled.material > load && load > r) {
        while (tripled.material > load) {
            tripled.material = static_cast<u8>(tripled.material - r);
            tripled.turns = AddTurns(tripled.turns, 0.3L);
        }
        offer(Truncate(tripled.turns), tripled.material);
    }
    return options;
}

std::string BuildOptionCaption(const BuildOption& option, int cargo) {
    return "Строить за " + std::to_string(option.turns) + "  ходов (" + std::to_string(option.material) + "/" +
           std::to_string(cargo) + ")";
}

CommandMenu BuildCommandMenu(const Game& game) {
    static const TGameObject kNoObject{};
    const int slot = game.SelectedObject;
    CommandMenu menu = FormItems(game, slot);
    const TGameObject* live = LiveObject(game, slot);
    const TGameObject& s = live ? *live : kNoObject;
    const TUnitType* type = TypeOf(game, s.TypeId);

    if (s.MovesLeft > 0 && s.OrderState == 0) {
        menu[kMoveItem].caption = "Идти";
        menu[kMoveItem].visible = true;
    }
    // A path may be planned with no moves left: the unit walks from its next turn.
    if (type && type->Category != 0 && s.OrderState == 0) menu[kPathItem].visible = true;
    menu[kCloseItem].caption = "Отмена";
    menu[kCloseItem].visible = true;
    if (s.OrderState == 1) BuilderState(game, slot, s, menu[kStateItem]);
    if (s.OrderState == 2) SiteState(game, slot, s, menu[kStateItem]);
    if (type && type->Category == 0 && s.OrderState == 0) {
        menu[kDestroyItem].caption = "Уничтожить " + type->Name;
        menu[kDestroyItem].visible = true;
    }
    if (type && type->BuilderKind != 0 && s.OrderState != 2) BuildList(game, slot, s, menu[kBuildItem]);
    if (live) CombatItems(game, slot, s, menu);
    if (const std::vector<EconomyOffer> offers = EconomyOffers(game, slot); !offers.empty()) {
        menu[kSupplyItem].caption = "Снабжение";
        menu[kSupplyItem].visible = true;
        for (const EconomyOffer& offer : offers)
            menu[kSupplyItem].children.push_back(OrderItem(game, offer.caption, offer.command));
    }
    menu[kTechItem].caption = " Технические характеристики";
    menu[kTechItem].visible = true;
    return menu;
}

}  // namespace tarq
