// The side panel's read-outs: the characteristics of the selected object and
// the developer's dump of a cell's layers. Each is a list of lines with their
// weight and colour; the window writes them into its rich-text memo.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq {

// Colours of the panel, as $00BBGGRR values where they are fixed.
constexpr u32 kInfoNavyBgr = 0x800000;
constexpr u32 kInfoRedBgr = 0x0000FF;

enum class InfoColour : u8 {
    Navy,        // kInfoNavyBgr
    Red,         // kInfoRedBgr
    WindowText,  // the system's window-text colour
};

struct InfoLine {
    std::string text;
    bool bold = false;
    InfoColour colour = InfoColour::WindowText;
    bool operator==(const InfoLine&) const = default;
};

// Check states of the twelve items of the "which characteristics" list on the
// settings page, in the list's order.
using InfoChecks = std::array<bool, kInfoItems>;

// The items checked when the program starts: hits, shots, ammunition, moves,
// cargo in the body and cargo in the system.
InfoChecks DefaultInfoChecks();

// The panel for object `object`: its type's name in bold navy, then one line
// per checked item whose deciding value is above 0. Lines up to the hit
// points are navy, later ones in window-text colour; hit points and moves
// turn red when below half. An object number outside the table gives no lines.
// In a game of several players the owner follows the name (OwnerLine), and
// another player's object shows nothing more.
std::string OwnerLine(int owner);
std::vector<InfoLine> ShowObjectInfo(const Game& game, int object, const InfoChecks& checks);

// Layers 1 to 6 of cell (col, row), one line each: "mp<k-1> idU .., Spr ..,
// id .., SprNext .., show -1|0". Cells past the map's edge are read too; a
// cell outside the 500 x 500 grid gives no lines.
std::vector<InfoLine> ShowCellLayers(const Game& game, int col, int row);

}  // namespace tarq
