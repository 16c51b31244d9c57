// Buying the initial force: start gold, the two purchase restrictions, the
// drag-over decision and the drop of a type onto the purchase list, and the
// cargo bought in steps of 5 units. Each operation changes the game and returns
// what the window must show (label texts, which control flashes red).
#pragma once

#include <array>
#include <string>

#include "core/GameState.h"

namespace tarq {

// Ticks of the slow timer a refused purchase keeps a control red.
constexpr i16 kWarnFlashTicks = 4;

// The start gold amounts the restrictions page offers, in its order.
inline constexpr std::array<int, 13> kStartGoldChoices = {0, 50, 100, 150, 200, 250, 300, 400, 500, 600, 700, 800, 900};

// Text of the credits label after a purchase or a cargo step.
std::string CreditsLabel(int credits);
// Text of the credits label after a start gold choice: two spaces before the number.
std::string StartGoldLabel(i32 gold);

// The start gold choice: StartGold and the current player's Credits take
// `gold` and their list goes back to the starting kit. Returns the credits
// label, which after a gold choice carries two spaces before the number.
std::string ChooseStartGold(Game& game, i32 gold);

// The current player's restrictions: they keep both boxes, and structures
// (category 0) and alien ground units (category 4) of types 1..68 go off
// sale for them while their box is checked and on sale otherwise, structures
// first. The caller resets the purchase list afterwards.
void ApplyPurchaseRestrictions(Game& game, bool noStructures, bool noAlienUnits);

enum class DragVerdict {
    Accept,
    RefuseNoType,          // a heading, or nothing dragged from the tree
    RefuseNotPurchasable,  // the list flashes red
    RefuseTooExpensive,    // the credits label flashes red
};

// Whether type `type` (0 or below for a heading) may be dropped on the list.
// A refusal for a type starts the red warning.
DragVerdict JudgeDragOver(Game& game, int type);

struct DropResult {
    bool bought = false;
    int entry = -1;           // the entry that now holds the purchase
    std::string creditsText;  // new text of the credits label when bought
};

// Buys one object of `type`: the lowest empty entry, or entry 10 when all
// 101 are in use, takes it with no cargo at the low byte of its cost.
DropResult BuyType(Game& game, int type);

struct CargoStepResult {
    bool cargoRow = false;     // the cell belongs to the cargo row of a purchase
    bool warnCredits = false;  // "+" without credits: flash the credits label
    bool showCardAgain = false;
    std::string creditsText;  // set whenever cargoRow is true
};

// A cell of the characteristics grid was selected while the card of list
// entry `entry` is shown. `rowLabel` is column 0 of its row, `cell` its text:
// "+" buys 5 units of cargo for 1 credit, "-" sells 5 units back.
CargoStepResult SelectCargoCell(Game& game, int entry, const std::string& rowLabel, const std::string& cell);

}  // namespace tarq
