// Fog of war: what each player sees and remembers of the map. The explored
// cells, the structures each player saw when their cells were last in sight
// and the option itself are part of the match (saved, hashed); the sight
// counters and the record of what every slot contributes to them are derived
// from the objects and rebuilt whenever a game is read (control/Sight.h).
#pragma once

#include <array>
#include <vector>

#include "core/GameTypes.h"

namespace tarq {

// One bit per cell of the grid's storage, for one player.
using CellBits = std::array<std::uint64_t, (static_cast<std::size_t>(kGridSpan) * kGridSpan + 63) / 64>;

// A structure of another player as a player saw it last: where it stood, what
// it was and how it was drawn then.
struct TSeenStructure {
    i16 Slot = 0;
    i16 TypeId = 0;
    u8 Owner = 0;
    u8 CellCount = 0;
    u8 Layer = 0;
    u8 SecondLayer = 0;
    TFootprint Cells;
    Array1<TSpriteRef, 4> CellSprites;
    bool operator==(const TSeenStructure&) const = default;
};

// What one slot adds to its owner's sight counters: the scan circle around
// Centre, or nothing while Owner is 0.
struct TSightSource {
    u8 Owner = 0;
    u8 Scan = 0;
    TCellPos Centre;
    bool operator==(const TSightSource&) const = default;
};

struct TSight {
    // "Туман войны" was chosen for this game (only a game of several players
    // has fog; see FogCovers in control/Sight.h).
    u8 On = 0;
    // Cells ever in sight, per player.
    Array1<CellBits, kMaxPlayers> Explored;
    // Structures of others each player remembers, by slot.
    Array1<std::vector<TSeenStructure>, kMaxPlayers> Seen;

    // Derived, never saved nor hashed: how many of the player's scan circles
    // cover each cell, what each slot adds, and how many objects each player has.
    Array1<CellGrid<u16>, kMaxPlayers> Count;
    Array1<TSightSource, kMaxObjects> Sources;
    std::array<int, kMaxPlayers + 1> Objects{};
    // Bumped whenever one of the player's circles enters or leaves the
    // counters, so that the executor can tell whose sight an order changed.
    std::array<std::uint32_t, kMaxPlayers + 1> Changes{};
};

}  // namespace tarq
