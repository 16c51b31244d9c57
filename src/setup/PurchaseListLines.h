// The lines the purchase list box shows for the purchase list.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq {

// One line per entry whose type is not 0: the type's name, then " (" cargo ")"
// while the cargo is below the capacity, or " (полн)" once it is not.
std::vector<std::string> PurchaseListLines(const Game& game);

}  // namespace tarq
