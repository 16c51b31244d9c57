// The popup command menu as data: BuildCommandMenu describes the ten fixed top
// items of PMenu and everything created under them for the selected object;
// the window turns the model into a QMenu and sends a chosen item's action
// back to the engine with the item's value.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq {

// What choosing an item does.
enum class MenuAction {
    None,                // closes the menu (or opens a submenu)
    Move,                // N81Click: arm the move
    TechnicalPage,       // N41Click: show the technical data page
    DestroyStructure,    // N4Click: the end of the confirmation chain
    StartConstruction,   // a build option: value and caption carry the type, turns and material
    TakeOutBuilder,      // "Укажите точку для вывода ..." (value = site) or "Вывести ..." (value = -site)
    CancelConstruction,  // "Отменить": value = the builder
};

struct MenuItem {
    std::string name;     // the form's name for fixed items (N11 ... N91), empty for created ones
    std::string caption;
    bool visible = true;
    bool enabled = true;
    int value = 0;        // the integer the item carries
    MenuAction action = MenuAction::None;
    std::vector<MenuItem> children;
};

// The menu value of a build option carries the type, plus these for the
// double- and triple-material options and for "all the cargo that fits".
constexpr int kOptionDoubleOffset = 128;
constexpr int kOptionTripleOffset = 384;

// The ten top items in index order (N11, N21, N31, N41, N51, N61, N71, N101, N81, N91).
constexpr int kMenuTopItems = 10;
using CommandMenu = std::array<MenuItem, kMenuTopItems>;

// The menu for SelectedObject. Pure: nothing in the game changes.
CommandMenu BuildCommandMenu(const Game& game);

// One way to build a type: the turns it takes, the material it uses and what
// its item's value adds to the type number (0, 128 or 384).
struct BuildOption {
    int turns = 0;
    int material = 0;
    int valueOffset = 0;
    bool operator==(const BuildOption&) const = default;
};

// The build options of a type of material cost `cost` for a builder applying
// `rate` per turn and carrying `cargo`, in menu order. An option of no turns
// is never offered; a rate of 0 offers nothing.
std::vector<BuildOption> BuildOptions(int cost, int rate, int cargo);

// "Строить за N  ходов (m/cargo)".
std::string BuildOptionCaption(const BuildOption& option, int cargo);

}  // namespace tarq
