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

// The ten top items in index order (N11, N21, N31, N41, N51, N61, N71, N101, N81, N91).
constexpr int kMenuTopItems = 10;
using CommandMenu = std::array<MenuItem, kMenuTopItems>;

// The menu for SelectedObject. Pure: nothing in the game changes.
CommandMenu BuildCommandMenu(const Game& game);

}  // namespace tarq
