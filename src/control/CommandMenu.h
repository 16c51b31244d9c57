// The popup command menu as data: BuildCommandMenu describes the ten fixed top
// items of PMenu and everything created under them for the selected object;
// the window turns the model into a QMenu and submits a chosen item's order
// as it is (the captions are only shown, never read back).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/Command.h"
#include "core/GameState.h"

namespace tarq {

// What choosing an item does.
enum class MenuAction {
    None,    // closes the menu (or opens a submenu)
    Submit,  // submits the item's order: "Идти", a build option, "Отменить", the exits, the destruction
    TechnicalPage,  // N41Click: the window shows the technical data page
};

struct MenuItem {
    std::string name;  // the form's name for fixed items (N11 ... N91), empty for created ones
    std::string caption;
    bool visible = true;
    bool enabled = true;
    std::string reason;  // why a greyed item cannot be chosen, for its tooltip and the panel
    MenuAction action = MenuAction::None;
    Order order;  // what Submit submits, for the player whose menu it is
    std::vector<MenuItem> children;
};

// The ten top items of the form in index order (N11, N21, N31, N41, N51, N61,
// N71, N101, N81, N91), then "Путь", which arms a path as "Идти" arms a step.
constexpr int kMenuTopItems = 11;
using CommandMenu = std::array<MenuItem, kMenuTopItems>;

// The menu of SelectedObject for the current player. Pure: nothing in the game changes.
CommandMenu BuildCommandMenu(const Game& game);

// One way to build a type: the turns it takes and the material it uses.
struct BuildOption {
    int turns = 0;
    int material = 0;
    bool operator==(const BuildOption&) const = default;
};

// The build options of a type of material cost `cost` for a builder applying
// `rate` per turn and carrying `cargo`, in menu order. An option of no turns
// is never offered; a rate of 0 offers nothing.
std::vector<BuildOption> BuildOptions(int cost, int rate, int cargo);

// "Строить за N  ходов (m/cargo)".
std::string BuildOptionCaption(const BuildOption& option, int cargo);

}  // namespace tarq
