// The card of a unit type on the purchase page: picture file, name,
// description and the rows of the characteristics grid.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq {

enum class CardSource { Tree, List };

// One grid row: label, value, and for the cargo row the step price and the
// "-" and "+" cells.
using CardRow = std::array<std::string, 5>;

struct TypeCard {
    std::string picture;  // "graph\units\Unn.bmp"
    std::string name;
    std::string description;
    std::vector<CardRow> rows;
};

// Picture file of a type: two digits at least ("graph\units\U01.bmp").
std::string TypeCardPicture(int type);

// The card of `type` shown from the tree, or from list entry `entry`, whose
// price and cargo it then shows. An entry outside the list shows no price or
// cargo row from it.
TypeCard MakeTypeCard(const Game& game, int type, CardSource source, int entry = -1);

}  // namespace tarq
