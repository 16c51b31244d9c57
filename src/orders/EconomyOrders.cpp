// The rules of the economy's orders: carriers loading and unloading material,
// repair and reload, and reinforcements bought with credits during play.
#include <algorithm>

#include "control/Economy.h"
#include "core/Catalogue.h"
#include "orders/OrderRules.h"

namespace tarq::orders {

using namespace econ;

namespace {

bool BaseLanded(const Game& game) { return CurrentPlayerEntry(game).BasePlaced == 1; }

bool IsCarrier(int type) { return type == kSupplyTruck || type == kCargoShip; }

// Two different own objects of the player next to each other, the first idle.
Verdict Beside(const Game& game, u8 player, int by, int other) {
    if (!BaseLanded(game) || !OwnObject(game, player, by) || !OwnObject(game, player, other) || by == other)
        return Verdict::No();
    const TGameObject& a = game.Object(by);
    if (a.OrderState != 0) return Verdict::No(TypeName(game, a.TypeId) + " занят стройкой");
    if (!Adjacent(a, game.Object(other))) return Verdict::No("Нужно стоять рядом");
    return Verdict::Yes();
}

// --- Repair and reload ---------------------------------------------------------

// Which units a depot, dock or hangar serves: land units, ships, aircraft.
bool ServesClass(int by, int movement) {
    switch (by) {
        case kDepot: return movement == kMoveLand || movement == kMoveLandCoast || movement == kMoveAmphibious;
        case kDock: return movement == kMoveWater || movement == kMoveWaterCoast || movement == kMoveAmphibious;
        case kHangar: return movement == kMoveAircraft;
        default: return false;
    }
}

bool IsServiceStructure(int type) { return type == kDepot || type == kDock || type == kHangar; }

// The points missing in `target`'s hits (repair) or ammunition (reload).
int Missing(const TGameObject& t, bool repair) {
    return repair ? t.Stats.Hits - t.HitsLeft : t.Stats.Ammo - t.AmmoLeft;
}

// The material `by` can pay with: its cargo, or a service structure's working network.
int MaterialFor(const Game& game, int slot) {
    const TGameObject& by = game.Object(slot);
    if (!IsServiceStructure(by.TypeId)) return by.Cargo;
    const Networks nets = FindNetworks(game, by.Owner);
    const TNetwork* net = nets.Of(slot);
    return net != nullptr && net->Powered() ? net->stock[kMaterial] : -1;
}

Verdict CheckService(const Game& game, u8 player, int by, int target, bool repair) {
    if (Verdict near = Beside(game, player, by, target); !near.accepted) return near;
    const TGameObject& b = game.Object(by);
    const TGameObject& t = game.Object(target);
    const int own = repair ? kRepairer : kSupplyTruck;
    if (b.TypeId != own && !IsServiceStructure(b.TypeId)) return Verdict::No();
    if (IsServiceStructure(b.TypeId) && (IsStructureType(game, t.TypeId) || !ServesClass(b.TypeId, t.Stats.Movement)))
        return Verdict::No(TypeName(game, b.TypeId) + " не обслуживает " + TypeName(game, t.TypeId));
    if (!repair && t.Stats.Ammo == 0) return Verdict::No(TypeName(game, t.TypeId) + " не вооружён");
    if (Missing(t, repair) <= 0)
        return Verdict::No(TypeName(game, t.TypeId) + (repair ? " не нуждается в ремонте" : ": боезапас полон"));
    const int material = MaterialFor(game, by);
    if (material < 0) return Verdict::No(TypeName(game, b.TypeId) + " без энергии или вне сети");
    if (material == 0) return Verdict::No("Не хватает материала");
    return Verdict::Yes();
}

// Restores what the material pays for, kPointsPerMaterial points a material
// (the last one may buy fewer), and ends the served object's moves.
void RunService(Game& game, int by, int target, bool repair, Outcome& out) {
    TGameObject& t = game.Object(target);
    const int missing = Missing(t, repair);
    const int wanted = (missing + kPointsPerMaterial - 1) / kPointsPerMaterial;
    const int available = MaterialFor(game, by);
    const int paid = std::min(wanted, available);
    if (IsServiceStructure(game.Object(by).TypeId)) {
        Networks nets = FindNetworks(game, game.Object(by).Owner);
        Take(game, *nets.Of(by), kMaterial, paid);
    } else {
        game.Object(by).Cargo = static_cast<u8>(game.Object(by).Cargo - paid);
    }
    const int restored = std::min(missing, paid * kPointsPerMaterial);
    u8& field = repair ? t.HitsLeft : t.AmmoLeft;
    field = static_cast<u8>(field + restored);
    t.MovesLeft = 0;
    out.notice = TypeName(game, t.TypeId) + (repair ? ": восстановлено хитов " : ": пополнено зарядов ") +
                 std::to_string(restored) + " за материал " + std::to_string(paid);
}

}  // namespace

// --- Carriers ---------------------------------------------------------------------

Verdict CheckOrder(const Game& game, u8 player, const cmd::LoadCargo& c) {
    if (Verdict near = Beside(game, player, c.carrier, c.source); !near.accepted) return near;
    const TGameObject& carrier = game.Object(c.carrier);
    if (!IsCarrier(carrier.TypeId)) return Verdict::No();
    if (carrier.Cargo >= carrier.Stats.CargoCapacity)
        return Verdict::No(TypeName(game, carrier.TypeId) + ": груз полон");
    const Networks nets = FindNetworks(game, carrier.Owner);
    const TNetwork* net = nets.Of(c.source);
    if (net == nullptr) return Verdict::No(TypeName(game, game.Object(c.source).TypeId) + " не в сети");
    if (net->stock[kMaterial] == 0) return Verdict::No("В сети нет материала");
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::LoadCargo& c, Outcome& out) {
    TGameObject& carrier = game.Object(c.carrier);
    Networks nets = FindNetworks(game, carrier.Owner);
    const int taken = Take(game, *nets.Of(c.source), kMaterial, carrier.Stats.CargoCapacity - carrier.Cargo);
    carrier.Cargo = static_cast<u8>(carrier.Cargo + taken);
    out.notice = TypeName(game, carrier.TypeId) + ": загружено материала " + std::to_string(taken);
}

// Into a networked structure's network (that structure's store first), or
// into a builder's or factory's own cargo.
Verdict CheckOrder(const Game& game, u8 player, const cmd::UnloadCargo& c) {
    if (Verdict near = Beside(game, player, c.carrier, c.target); !near.accepted) return near;
    const TGameObject& carrier = game.Object(c.carrier);
    const TGameObject& target = game.Object(c.target);
    if (!IsCarrier(carrier.TypeId)) return Verdict::No();
    if (carrier.Cargo == 0) return Verdict::No(TypeName(game, carrier.TypeId) + ": груз пуст");
    const Networks nets = FindNetworks(game, carrier.Owner);
    const TNetwork* net = nets.Of(c.target);
    const bool ownStore = IsFactory(target.TypeId) || target.TypeId == kConstructor || target.TypeId == kEngineer;
    const int room = ownStore         ? MaterialRoom(target) - target.Cargo
                     : net != nullptr ? net->room[kMaterial] - net->stock[kMaterial]
                                      : -1;
    if (room < 0) return Verdict::No("Сюда материал не выгрузить");
    if (room == 0) return Verdict::No("Нет места для материала");
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::UnloadCargo& c, Outcome& out) {
    TGameObject& carrier = game.Object(c.carrier);
    TGameObject& target = game.Object(c.target);
    int given = 0;
    if (IsFactory(target.TypeId) || target.TypeId == kConstructor || target.TypeId == kEngineer) {
        given = std::min<int>(carrier.Cargo, MaterialRoom(target) - target.Cargo);
        target.Cargo = static_cast<u8>(target.Cargo + given);
    } else {
        Networks nets = FindNetworks(game, carrier.Owner);
        given = Put(game, *nets.Of(c.target), kMaterial, carrier.Cargo, c.target);
    }
    carrier.Cargo = static_cast<u8>(carrier.Cargo - given);
    out.notice = TypeName(game, carrier.TypeId) + ": выгружено материала " + std::to_string(given);
}

// --- Repair and reload ----------------------------------------------------------------

Verdict CheckOrder(const Game& game, u8 player, const cmd::Repair& c) {
    return CheckService(game, player, c.by, c.target, true);
}
void RunOrder(Game& game, u8, const cmd::Repair& c, Outcome& out) { RunService(game, c.by, c.target, true, out); }

Verdict CheckOrder(const Game& game, u8 player, const cmd::Reload& c) {
    return CheckService(game, player, c.by, c.target, false);
}
void RunOrder(Game& game, u8, const cmd::Reload& c, Outcome& out) { RunService(game, c.by, c.target, false, out); }

// --- Reinforcements ---------------------------------------------------------------------

Verdict CheckOrder(const Game& game, u8 player, const cmd::BuyReinforcement& c) {
    if (!BaseLanded(game)) return Verdict::No();
    const TPlayer& me = CurrentPlayerEntry(game);
    if (c.type < 1 || c.type > kDefinedTypes || me.Purchasable[c.type] == 0)
        return Verdict::No("Этот тип купить нельзя");
    if (LandingModuleOf(game, player) == 0) return Verdict::No("Нет посадочного модуля: подкреплению некуда прибыть");
    if (me.Credits < game.UnitStats[c.type].Cost) return Verdict::No("Не хватает кредитов");
    if (std::none_of(me.Purchases.begin(), me.Purchases.end(), [](const TPurchase& p) { return p.TypeId == 0; }))
        return Verdict::No("Список подкреплений полон");
    return Verdict::Yes();
}

// Paid now; it lands at the start of the player's next turn (or is refunded).
void RunOrder(Game& game, u8, const cmd::BuyReinforcement& c, Outcome& out) {
    TPlayer& me = CurrentPlayerEntry(game);
    const int cost = game.UnitStats[c.type].Cost;
    for (TPurchase& entry : me.Purchases)
        if (entry.TypeId == 0) {
            entry = {c.type, 0, static_cast<u8>(cost)};
            break;
        }
    me.Credits = static_cast<i16>(me.Credits - cost);
    out.notice = "Куплено: «" + TypeName(game, c.type) + "», прибудет в начале следующего хода";
}

}  // namespace tarq::orders
