// The lists of what stands on the map: the settings page's list of every
// object and the technical page's list of structures with their owners.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq {

// An object's type name, one space and its first footprint cell as column "x"
// row: "Завод тяжелой техники 12x40". A type outside the catalogue gives no name.
std::string ObjectPlaceText(const Game& game, const TGameObject& object);

struct StructureEntry {
    int slot = 0;
    std::string text;  // its place, " — " and its owner: "Радар 7x9 — Игрок 2 (желтый)"
};

// Every structure in the object table, in slot order.
std::vector<StructureEntry> ListStructures(const Game& game);

}  // namespace tarq
