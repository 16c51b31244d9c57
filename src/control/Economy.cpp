#include "control/Economy.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "control/TurnPhases.h"
#include "core/Catalogue.h"
#include "core/Factory.h"
#include "core/World.h"

namespace tarq {

using namespace econ;

namespace {

using Pairs = std::array<std::array<int, 2>, 3>;

Pairs PairsOf(const TUnitStats& s) {
    return {{{s.ResourceKind1, s.ResourceAmount1},
             {s.ResourceKind2, s.ResourceAmount2},
             {s.ResourceKind3, s.ResourceAmount3}}};
}

int PairAmount(const TUnitStats& s, int kind) {
    for (const auto& [k, amount] : PairsOf(s))
        if (k == kind) return amount;
    return 0;
}

bool Live(const TGameObject& o) { return SlotInUse(o); }

bool IsGenerator(const TGameObject& o) { return o.Stats.Output > 0 && !LeftForLater(o.TypeId); }

// A storage of the network: a structure whose type holds material, fuel or gold.
bool IsStorage(const TGameObject& o) {
    return o.Stats.CargoKind >= kMaterial && o.Stats.CargoKind <= kGold && o.Stats.CargoCapacity > 0;
}

// Labels the connector cells of one owner joined to (col, row) with `label`.
void Flood(const Match& match, Networks& nets, int col, int row, u8 owner, int label) {
    std::vector<std::pair<int, int>> todo{{col, row}};
    nets.ofCell[nets.CellIndex(col, row)] = label;
    while (!todo.empty()) {
        const auto [c, r] = todo.back();
        todo.pop_back();
        const int next[4][2] = {{c + 1, r}, {c - 1, r}, {c, r + 1}, {c, r - 1}};
        for (const auto& n : next) {
            if (!match.InMap(n[0], n[1])) continue;
            const TConnectorCell& cell = match.World.Connectors(n[0], n[1]);
            int& seen = nets.ofCell[nets.CellIndex(n[0], n[1])];
            if (cell.Present == 0 || cell.Owner != owner || seen != 0) continue;
            seen = label;
            todo.push_back({n[0], n[1]});
        }
    }
}

struct GeneratorRun {
    int supply = 0;
    std::array<int, 4> burnt{};  // [kind]
};

// Generators run in slot order, each burning its pairs from the stores, until
// the supply covers `need` (pass the largest int for every generator that can run).
GeneratorRun RunGenerators(const Match& match, const TNetwork& net, int need) {
    GeneratorRun run;
    for (int slot : net.members) {
        if (run.supply >= need) break;
        const TGameObject& g = match.Object(slot);
        if (!IsGenerator(g)) continue;
        const Pairs pairs = PairsOf(g.Stats);
        bool fed = true;
        for (const auto& [k, amount] : pairs)
            if (k >= kMaterial && k <= kGold)
                fed = fed && net.stock[static_cast<std::size_t>(k)] - run.burnt[static_cast<std::size_t>(k)] >= amount;
        if (!fed) continue;
        for (const auto& [k, amount] : pairs)
            if (k >= kMaterial && k <= kGold) run.burnt[static_cast<std::size_t>(k)] += amount;
        run.supply += g.Stats.Output;
    }
    return run;
}

int PowerNeed(const Match& match, const TNetwork& net) {
    int need = 0;
    for (int slot : net.members) {
        const TGameObject& o = match.Object(slot);
        if (ConsumesPower(o)) need += PairAmount(o.Stats, kPower);
    }
    return need;
}

void SetPower(Match& match, Networks& nets) {
    for (TNetwork& net : nets.list) {
        net.powerNeed = PowerNeed(match, net);
        const GeneratorRun run = RunGenerators(match, net, net.powerNeed);
        net.powerSupply = run.supply;
        // Generators that cannot cover the need stay cold: nothing works, nothing burns.
        if (net.Powered())
            for (int k = kMaterial; k <= kGold; ++k) Take(match, net, k, run.burnt[static_cast<std::size_t>(k)]);
        for (int slot : net.members) {
            TGameObject& o = match.Object(slot);
            o.Unpowered = ConsumesPower(o) && !net.Powered() ? 1 : 0;
        }
    }
}

std::string Amounts(const std::array<int, 4>& by) {
    static const char* const kNames[4] = {"", "материал ", "топливо ", "золото "};
    std::string text;
    for (int k = kMaterial; k <= kGold; ++k)
        if (by[static_cast<std::size_t>(k)] > 0)
            text +=
                (text.empty() ? "" : ", ") + std::string(kNames[k]) + std::to_string(by[static_cast<std::size_t>(k)]);
    return text;
}

// A mining complex adds the deposits under its cells, the amounts summed per
// mineral; material goes to its own store first. What finds no room is lost.
void MineWith(Game& game, TNetwork& net, int slot, u8 player) {
    const TGameObject& m = game.Object(slot);
    std::array<int, 4> yield{}, lost{};
    for (int k = 1; k <= std::min<int>(m.CellCount, 4); ++k) {
        const TCellPos p = m.Cells[k];
        if (!game.InMap(p.col, p.row)) continue;
        const TResourceCell cell = game.World.Resources(p.col, p.row);
        if (cell.Kind >= kMaterial && cell.Kind <= kGold) yield[cell.Kind] += cell.Amount;
    }
    for (int k = kMaterial; k <= kGold; ++k) {
        const std::size_t i = static_cast<std::size_t>(k);
        lost[i] = yield[i] - Put(game, net, k, yield[i], k == kMaterial ? slot : 0);
    }
    if (lost != std::array<int, 4>{})
        AddNotice(game, player, m.Cells[1].col, m.Cells[1].row,
                  "Шахтный комплекс: в сети нет места, потеряно: " + Amounts(lost));
}

// A working refinery turns gold of its network into credits.
void RefineWith(Game& game, TNetwork& net, int slot, u8 player) {
    if (game.Object(slot).Unpowered != 0) return;
    TPlayer& owner = game.Players.Table[player];
    const int room = std::numeric_limits<i16>::max() - owner.Credits;
    owner.Credits = static_cast<i16>(owner.Credits + Take(game, net, kGold, std::min(kRefineryGold, room)));
}

// The networks' producers, network by network and by slot within each.
void Produce(Game& game, Networks& nets, u8 player) {
    for (TNetwork& net : nets.list)
        for (int slot : net.members) {
            const int type = game.Object(slot).TypeId;
            if (type == kMine) MineWith(game, net, slot, player);
            if (type == kRefinery) RefineWith(game, net, slot, player);
        }
}

// Builders beside a network and working factories in one take material up to their room.
void Refill(Game& game, Networks& nets, u8 player) {
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        TGameObject& o = game.Object(slot);
        if (o.Owner != player) continue;
        const bool builder = (o.TypeId == kConstructor || o.TypeId == kEngineer) && o.OrderState == 0;
        const bool factory = IsFactory(o.TypeId) && o.Unpowered == 0 && !LeftForLater(o.TypeId);
        if (!builder && !factory) continue;
        TNetwork* net = factory ? nets.Of(slot) : nets.Beside(o);
        const int want = MaterialRoom(o) - o.Cargo;
        if (net == nullptr || want <= 0) continue;
        o.Cargo = static_cast<u8>(o.Cargo + Take(game, *net, kMaterial, want));
    }
}

}  // namespace

TNetwork* Networks::Of(int slot) {
    const int i =
        slot >= 0 && static_cast<std::size_t>(slot) < ofSlot.size() ? ofSlot[static_cast<std::size_t>(slot)] : 0;
    return i == 0 ? nullptr : &list[static_cast<std::size_t>(i - 1)];
}

const TNetwork* Networks::Of(int slot) const { return const_cast<Networks*>(this)->Of(slot); }

int Networks::LabelAt(int col, int row) const {
    if (ofCell.empty() || col < 0 || row < 0 || row > height + 1) return 0;
    const std::size_t i = CellIndex(col, row);
    return i < ofCell.size() ? ofCell[i] : 0;
}

TNetwork* Networks::Beside(const TGameObject& o) {
    int best = 0;
    for (int k = 1; k <= std::min<int>(o.CellCount, 4); ++k)
        for (int dc = -1; dc <= 1; ++dc)
            for (int dr = -1; dr <= 1; ++dr) {
                const int label = LabelAt(o.Cells[k].col + dc, o.Cells[k].row + dr);
                if (label != 0 && (best == 0 || label < best)) best = label;
            }
    return best == 0 ? nullptr : &list[static_cast<std::size_t>(best - 1)];
}

bool LeftForLater(int type) { return type == 43 || type == 46 || type == 49 || type == 50; }

bool ConsumesPower(const TGameObject& o) { return !LeftForLater(o.TypeId) && PairAmount(o.Stats, kPower) > 0; }

bool IsFactory(int type) { return BuilderClassOf(type) >= 3; }

int MaterialRoom(const TGameObject& o) {
    if (IsFactory(o.TypeId)) return kFactoryStore;
    return o.Stats.CargoKind == kMaterial ? o.Stats.CargoCapacity : 0;
}

int Take(Match& match, TNetwork& net, int kind, int amount) {
    int taken = 0;
    for (int slot : net.members) {
        TGameObject& s = match.Object(slot);
        if (taken >= amount || !IsStorage(s) || s.Stats.CargoKind != kind) continue;
        const int part = std::min<int>(s.Cargo, amount - taken);
        s.Cargo = static_cast<u8>(s.Cargo - part);
        taken += part;
    }
    net.stock[static_cast<std::size_t>(kind)] -= taken;
    return taken;
}

int Put(Match& match, TNetwork& net, int kind, int amount, int first) {
    int put = 0;
    const auto fill = [&](int slot) {
        TGameObject& s = match.Object(slot);
        if (put >= amount || !IsStorage(s) || s.Stats.CargoKind != kind) return;
        const int part = std::min(s.Stats.CargoCapacity - s.Cargo, amount - put);
        if (part <= 0) return;
        s.Cargo = static_cast<u8>(s.Cargo + part);
        put += part;
    };
    if (first != 0) fill(first);
    for (int slot : net.members)
        if (slot != first) fill(slot);
    net.stock[static_cast<std::size_t>(kind)] += put;
    return put;
}

namespace {

bool Networked(const Match& match, const TGameObject& o, u8 player) {
    return Live(o) && o.Owner == player && JoinsConnectorGrid(o) && match.InMap(o.Cells[1].col, o.Cells[1].row) &&
           match.World.Connectors(o.Cells[1].col, o.Cells[1].row).Present != 0;
}

void Join(const Match& match, Networks& nets, int slot) {
    const TGameObject& o = match.Object(slot);
    const int col = o.Cells[1].col, row = o.Cells[1].row;
    if (nets.LabelAt(col, row) == 0) {
        nets.list.emplace_back();
        Flood(match, nets, col, row, match.World.Connectors(col, row).Owner, static_cast<int>(nets.list.size()));
    }
    const int label = nets.LabelAt(col, row);
    nets.ofSlot[static_cast<std::size_t>(slot)] = label;
    TNetwork& net = nets.list[static_cast<std::size_t>(label - 1)];
    net.members.push_back(slot);
    if (IsStorage(o)) {
        net.stock[o.Stats.CargoKind] += o.Cargo;
        net.room[o.Stats.CargoKind] += o.Stats.CargoCapacity;
    }
}

}  // namespace

Networks FindNetworks(const Match& match, u8 player) {
    Networks nets;
    nets.height = match.World.MapHeight;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        if (!Networked(match, match.Object(slot), player)) continue;
        // The cell labels are made only for a player who has a network at all.
        if (nets.ofCell.empty()) {
            nets.ofCell.assign(nets.CellIndex(match.World.MapWidth + 1, nets.height + 1) + 1, 0);
            nets.ofSlot.assign(kMaxObjects + 1, 0);
        }
        Join(match, nets, slot);
    }
    for (TNetwork& net : nets.list) {
        net.powerNeed = PowerNeed(match, net);
        net.powerSupply = RunGenerators(match, net, std::numeric_limits<int>::max()).supply;
    }
    return nets;
}

std::string NetworkReadout(const Match& match, int slot) {
    if (slot < 1 || slot > kMaxObjects) return {};
    const TGameObject& o = match.Object(slot);
    // Most objects shown are units outside every network: no need to find them all.
    if (!Networked(match, o, o.Owner)) return {};
    const Networks nets = FindNetworks(match, o.Owner);
    const TNetwork* net = nets.Of(slot);
    if (net == nullptr) return {};
    const auto pair = [&](const char* name, int kind) {
        const std::size_t k = static_cast<std::size_t>(kind);
        return std::string(name) + std::to_string(net->stock[k]) + "/" + std::to_string(net->room[k]);
    };
    return "Сеть: " + pair("материал ", kMaterial) + ", " + pair("топливо ", kFuel) + ", " + pair("золото ", kGold) +
           ", энергия " + std::to_string(net->powerNeed) + "/" + std::to_string(net->powerSupply);
}

void RunEconomy(Game& game, u8 player) {
    if (player < 1 || player > kMaxPlayers) return;
    Networks nets = FindNetworks(game, player);
    if (nets.list.empty()) return;  // nothing produces, nothing is refilled
    SetPower(game, nets);
    Produce(game, nets, player);
    Refill(game, nets, player);
}

int LandingModuleOf(const Match& match, u8 player) {
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = match.Object(slot);
        if (o.Owner == player && o.TypeId == kLandingModule && o.OrderState != 2) return slot;
    }
    return 0;
}

void LandReinforcements(Game& game, u8 player) {
    if (player < 1 || player > kMaxPlayers || player != game.CurrentPlayer) return;
    const auto& list = game.Players.Table[player].Purchases;
    if (game.Players.Table[player].BasePlaced == 0 ||
        std::none_of(list.begin(), list.end(), [](const TPurchase& p) { return p.TypeId != 0; }))
        return;
    const int module = LandingModuleOf(game, player);
    const TCellPos at = module != 0 ? game.Object(module).Cells[1] : TCellPos{};
    const auto near = [at](const TFootprint& f) {
        for (const TCellPos& p : f)
            if (std::abs(p.col - at.col) > kLandingReach || std::abs(p.row - at.row) > kLandingReach) return false;
        return true;
    };
    bool landed = false;
    for (int entry = 1; entry <= kPurchaseEntries; ++entry) {
        TPurchase& queued = game.Players.Table[player].Purchases[entry];
        if (queued.TypeId == 0) continue;
        const TPurchase bought = std::exchange(queued, TPurchase{});
        const std::string name = "«" + game.UnitTypes[bought.TypeId].Name + "»";
        const int slot =
            module != 0 ? PlaceBySquareSearch(game, at.col, at.row, bought.TypeId, LayerRefresh::Deferred, near) : 0;
        if (slot != 0) {
            landed = true;
            AddNotice(game, player, game.Object(slot).Cells[1].col, game.Object(slot).Cells[1].row,
                      "Прибыло подкрепление: " + name);
            continue;
        }
        TPlayer& owner = game.Players.Table[player];
        owner.Credits = static_cast<i16>(std::min<int>(owner.Credits + bought.Price, std::numeric_limits<i16>::max()));
        AddNotice(game, player, at.col, at.row,
                  "Подкрепление " + name + " не прибыло: " +
                      (module == 0 ? "нет посадочного модуля" : "рядом с посадочным модулем нет места") +
                      "; кредиты возвращены");
    }
    if (landed) RefreshMapLayers(game);
}

std::vector<EconomyOffer> EconomyOffers(const Game& game, int slot) {
    std::vector<EconomyOffer> offers;
    if (slot < 1 || slot > kMaxObjects) return offers;
    const TGameObject& by = game.Object(slot);
    const bool carrier = by.TypeId == kSupplyTruck || by.TypeId == kCargoShip;
    const bool service = by.TypeId == kDepot || by.TypeId == kDock || by.TypeId == kHangar;
    if (!Live(by) || by.OrderState != 0 || !(carrier || service || by.TypeId == kRepairer)) return offers;
    const i16 me = static_cast<i16>(slot);
    bool loadOffered = false;
    for (int other = 1; other <= kMaxObjects; ++other) {
        const TGameObject& o = game.Object(other);
        if (other == slot || !Live(o) || o.Owner != by.Owner || o.OrderState == 2 || !Adjacent(by, o)) continue;
        const std::string name = "«" + game.UnitTypes[o.TypeId].Name + "»";
        const i16 it = static_cast<i16>(other);
        if (carrier && JoinsConnectorGrid(o) && !loadOffered) {
            offers.push_back({"Загрузить материал из сети", cmd::LoadCargo{me, it}});
            loadOffered = true;
        }
        if (carrier && (JoinsConnectorGrid(o) || MaterialRoom(o) > 0) &&
            !(o.TypeId == kSupplyTruck || o.TypeId == kCargoShip))
            offers.push_back({"Выгрузить материал в " + name, cmd::UnloadCargo{me, it}});
        if ((by.TypeId == kRepairer || service) && o.HitsLeft < o.Stats.Hits)
            offers.push_back({"Ремонтировать " + name, cmd::Repair{me, it}});
        if ((by.TypeId == kSupplyTruck || service) && o.Stats.Ammo > 0 && o.AmmoLeft < o.Stats.Ammo)
            offers.push_back({"Пополнить боезапас " + name, cmd::Reload{me, it}});
    }
    return offers;
}

bool Adjacent(const TGameObject& a, const TGameObject& b) {
    for (int i = 1; i <= std::min<int>(a.CellCount, 4); ++i)
        for (int j = 1; j <= std::min<int>(b.CellCount, 4); ++j)
            if (std::abs(a.Cells[i].col - b.Cells[j].col) <= 1 && std::abs(a.Cells[i].row - b.Cells[j].row) <= 1)
                return true;
    return false;
}

}  // namespace tarq
