// What a press on the map means now, as an order: the window computes the
// cell under the pointer and submits what these return, so the meaning of a
// click lives in the engine, beside the rules that judge it.
#pragma once

#include <optional>
#include <string>

#include "core/Command.h"
#include "core/GameState.h"

namespace tarq {

// A left click on cell (col, row): before the player's base has landed, the
// landing; while a site is placed, its confirmation; while an exit is
// chosen, the choice; otherwise a click on an enemy the armed selection
// reaches (or any enemy, once the attack is armed) fires at it, a click on an
// object selects it or, on the
// selection (or a ready marker), opens its menu, and a click on an empty
// cell steps the armed unit toward it or shows the cell's layers. Nothing
// for a cell off the map's storage.
std::optional<Order> InterpretClick(const Game& game, int col, int row);

// A click that plans a path (Shift+click, or any click while "Путь" is
// armed): the first on a cell shows the selected unit's path there, a second
// on the same cell gives the order. Nothing without an own unit selected.
std::optional<Order> InterpretPathClick(const Game& game, int col, int row);
// What the pointer over cell (col, row) says of an attack: whether a click
// there fires the selection at an enemy it reaches, and the read-out "Урон 6,
// до уничтожения 4 выстр." (empty when it does not).
std::string AttackReadout(const Game& game, int col, int row);

// A right press: the site or the exit choice is cancelled, or the move disarmed.
Order InterpretRightPress(const Game& game);

// The mouse over cell (col, row) while a site is placed: the site follows
// when it would move to another block.
std::optional<Order> InterpretHover(const Game& game, int col, int row);

}  // namespace tarq
