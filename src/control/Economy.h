// The economy: networks of connected structures, their stores and power,
// mining, the refinery, refills of builders and factories, service (repair
// and reload) and reinforcements bought during play.
//
// A network is a 4-connected run of connector cells of one owner (the cells
// of their connected structures); it is derived from the match whenever it is
// needed, never kept. Its stores live in the Cargo of its storages: material
// in the mining complexes and "Хранилище", fuel in "Топливная цистерна", gold
// in "Золотохранилище". Everything here is deterministic: structures are
// visited by slot number.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/Command.h"
#include "core/GameState.h"

namespace tarq {

namespace econ {
constexpr int kMaterial = 1, kFuel = 2, kGold = 3, kPower = 4;
constexpr int kConstructor = 1, kSupplyTruck = 11, kEngineer = 13, kRepairer = 15, kCargoShip = 27;
constexpr int kMine = 39, kRefinery = 44, kDepot = 51, kDock = 52, kHangar = 53, kLandingModule = 60;
// What one material pays for in a repair (hits) or a reload (rounds).
constexpr int kPointsPerMaterial = 4;
// The material a factory keeps for its products (its type has no cargo of its own).
constexpr int kFactoryStore = 60;
// The gold a working refinery turns into credits each turn, one credit a gold.
constexpr int kRefineryGold = 5;
// Reinforcements land within this many cells of the landing module.
constexpr int kLandingReach = 3;
}  // namespace econ

struct TNetwork {
    std::vector<int> members;    // slots, ascending
    std::array<int, 4> stock{};  // [kind]: material 1, fuel 2, gold 3
    std::array<int, 4> room{};   // [kind]: the storages' capacities
    int powerNeed = 0;           // the consumers' power
    int powerSupply = 0;         // what the generators give with the stores as they are
    bool Powered() const { return powerSupply >= powerNeed; }
};

struct Networks {
    std::vector<TNetwork> list;
    std::vector<int> ofSlot;  // [slot]: index into list + 1, 0 for none; empty without networks
    std::vector<int> ofCell;  // [CellIndex]: index into list + 1, 0 for none; empty without networks
    int height = 0;           // the map's, for CellIndex

    // Cells 0 .. width + 1 by 0 .. height + 1, column by column.
    std::size_t CellIndex(int col, int row) const {
        return static_cast<std::size_t>(col) * static_cast<std::size_t>(height + 2) + static_cast<std::size_t>(row);
    }
    int LabelAt(int col, int row) const;

    TNetwork* Of(int slot);
    const TNetwork* Of(int slot) const;
    // The network with a cell at or next to the object's cells, lowest first; null for none.
    TNetwork* Beside(const TGameObject& o);
};

// The networks of `player`'s connected structures, with their stores and power balance.
Networks FindNetworks(const Match& match, u8 player);

// Whether an object takes power to work (a power pair and not a type left for later).
bool ConsumesPower(const TGameObject& o);
// Whether a type is left idle in this version (colonists, research, ecosphere, training hall).
bool LeftForLater(int type);
// Whether a type is a factory (a structure that builds).
bool IsFactory(int type);
// The material an object can hold (builders and carriers: their cargo; factories: kFactoryStore).
int MaterialRoom(const TGameObject& o);

// Moves up to `amount` of `kind` out of (Take) or into (Put) the network's
// storages, `first` (a slot, or 0) before the others; says how much moved.
int Take(Match& match, TNetwork& net, int kind, int amount);
int Put(Match& match, TNetwork& net, int kind, int amount, int first = 0);

// The read-out of the network `slot` belongs to: "Сеть: материал 40/100,
// топливо 12/50, золото 0/50, энергия 3/4" (energy as need/supply); empty
// for an object in no network.
std::string NetworkReadout(const Match& match, int slot);

// The economy's part of the start of `player`'s turn, in this order: power;
// mining complexes and refineries, network by network, by slot within each;
// refills of builders and factories. Notices go to the player.
void RunEconomy(Game& game, u8 player);

// The lowest slot of `player`'s landing module, 0 for none.
int LandingModuleOf(const Match& match, u8 player);

// The reinforcements `player` bought land next to their landing module, or
// are refunded with a notice saying why.
void LandReinforcements(Game& game, u8 player);

// The economy's orders the command menu of `slot` offers toward the own
// objects beside it (load, unload, repair, reload), with their captions; the
// executor still checks each when it is chosen.
struct EconomyOffer {
    std::string caption;
    Command command;
};
std::vector<EconomyOffer> EconomyOffers(const Game& game, int slot);

// Whether two objects stand next to each other (a cell of one touches a cell of the other, diagonals too).
bool Adjacent(const TGameObject& a, const TGameObject& b);

}  // namespace tarq
