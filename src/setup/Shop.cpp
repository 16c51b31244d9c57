#include "setup/Shop.h"

#include <algorithm>
#include <limits>

#include "setup/Purchases.h"

namespace tarq {
namespace {

bool IsType(int type) { return type >= 1 && type <= kTypeCount; }

bool IsEntry(int entry) { return entry >= 0 && entry < kPurchaseEntries; }

// Credits are 16-bit: selling the free cargo of the starting kit again after
// every reset of the list would otherwise wrap them round to a large debt.
i16 SaturatedCredits(i32 value) {
    return static_cast<i16>(std::clamp<i32>(value, std::numeric_limits<i16>::min(), std::numeric_limits<i16>::max()));
}

// The lowest empty entry; when every entry is in use, entry 10 is overwritten.
int FreeEntry(const Game& game) {
    for (int e = 0; e < kPurchaseEntries; ++e)
        if (game.PurchaseList(e).TypeId == 0) return e;
    return 10;
}

}  // namespace

std::string CreditsLabel(int credits) { return "Кредиты: " + std::to_string(credits); }

std::string StartGoldLabel(i32 gold) { return "Кредиты:  " + std::to_string(gold); }

std::string ChooseStartGold(Game& game, i32 gold) {
    game.World.StartGold = gold;
    CurrentPlayerEntry(game).Credits = SaturatedCredits(gold);
    ResetPurchases(game);
    return StartGoldLabel(gold);
}

void ApplyPurchaseRestrictions(Game& game, bool noStructures, bool noAlienUnits) {
    TPlayer& me = CurrentPlayerEntry(game);
    me.Restrictions = {noStructures ? u8{1} : u8{0}, noAlienUnits ? u8{1} : u8{0}};
    for (int t = 1; t <= kTypeCount; ++t)
        if (game.UnitTypes[t].Category == 0) me.Purchasable[t] = noStructures ? 0 : 1;
    for (int t = 1; t <= kTypeCount; ++t)
        if (game.UnitTypes[t].Category == 4) me.Purchasable[t] = noAlienUnits ? 0 : 1;
}

DragVerdict JudgeDragOver(Game& game, int type) {
    if (!IsType(type)) return DragVerdict::RefuseNoType;
    if (CurrentPlayerEntry(game).Purchasable[type] == 0) {
        game.WarnFlashTicks = kWarnFlashTicks;
        return DragVerdict::RefuseNotPurchasable;
    }
    if (game.UnitStats[type].Cost > CurrentPlayerEntry(game).Credits) {
        game.WarnFlashTicks = kWarnFlashTicks;
        return DragVerdict::RefuseTooExpensive;
    }
    return DragVerdict::Accept;
}

// A drop is only delivered after the drag-over accepted it; the type is
// checked again so that no other path can buy an unbuyable type.
DropResult BuyType(Game& game, int type) {
    DropResult result;
    TPlayer& me = CurrentPlayerEntry(game);
    if (!IsType(type) || me.Purchasable[type] == 0) return result;
    const i16 cost = game.UnitStats[type].Cost;
    if (cost > me.Credits) return result;
    result.entry = FreeEntry(game);
    TPurchase& p = game.PurchaseList(result.entry);
    p.TypeId = static_cast<u8>(type);
    p.Cargo = 0;
    p.Price = static_cast<u8>(cost & 0xFF);
    me.Credits = static_cast<i16>(me.Credits - cost);
    result.bought = true;
    result.creditsText = CreditsLabel(me.Credits);
    return result;
}

// The cargo row is only acted on for a real purchase: after the list was reset
// the card may still show a row for an entry that no line selects any more.
CargoStepResult SelectCargoCell(Game& game, int entry, const std::string& rowLabel, const std::string& cell) {
    CargoStepResult result;
    if (rowLabel != "Груз" || !IsEntry(entry)) return result;
    TPurchase& p = game.PurchaseList(entry);
    if (!IsType(p.TypeId) || game.UnitStats[p.TypeId].CargoKind == 0) return result;
    result.cargoRow = true;
    i16& credits = CurrentPlayerEntry(game).Credits;
    if (cell == "+") {
        if (p.Cargo + 5 <= game.UnitStats[p.TypeId].CargoCapacity) {
            if (credits <= 0) {
                game.WarnFlashTicks = kWarnFlashTicks;
                result.warnCredits = true;
            } else {
                p.Cargo = static_cast<u8>(p.Cargo + 5);
                credits = static_cast<i16>(credits - 1);
                p.Price = static_cast<u8>(p.Price + 1);
            }
        }
        result.showCardAgain = true;
    } else if (cell == "-") {
        if (p.Cargo >= 5) {
            p.Cargo = static_cast<u8>(p.Cargo - 5);
            credits = SaturatedCredits(credits + 1);
            p.Price = static_cast<u8>(p.Price - 1);
        }
        result.showCardAgain = true;
    }
    result.creditsText = CreditsLabel(credits);
    return result;
}

}  // namespace tarq
