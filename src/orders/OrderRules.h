// The rules of each command, one pair of functions per kind: CheckOrder says
// whether the order may run now and why not (pure), RunOrder carries it out
// and fills the outcome. Execute calls them after the checks every order
// shares (whose turn, what the click mode allows). Defined by subject in
// SetupOrders.cpp, PlayOrders.cpp, ViewOrders.cpp, CombatOrders.cpp and EconomyOrders.cpp.
#pragma once

#include "core/Command.h"
#include "orders/Execute.h"

namespace tarq::orders {

#define TARQ_ORDER_RULES(T)                                           \
    Verdict CheckOrder(const Game& game, u8 player, const cmd::T& c); \
    void RunOrder(Game& game, u8 player, const cmd::T& c, Outcome& out);

TARQ_ORDER_RULES(SetPlayerCount)
TARQ_ORDER_RULES(SetStartGold)
TARQ_ORDER_RULES(UseSectors)
TARQ_ORDER_RULES(GenerateMap)
TARQ_ORDER_RULES(SetClan)
TARQ_ORDER_RULES(SetRestrictions)
TARQ_ORDER_RULES(SetColour)
TARQ_ORDER_RULES(ToggleSector)
TARQ_ORDER_RULES(BuyType)
TARQ_ORDER_RULES(CargoStep)
TARQ_ORDER_RULES(Join)
TARQ_ORDER_RULES(LandBase)
TARQ_ORDER_RULES(Step)
TARQ_ORDER_RULES(StartConstruction)
TARQ_ORDER_RULES(MoveSite)
TARQ_ORDER_RULES(ConfirmSite)
TARQ_ORDER_RULES(CancelSite)
TARQ_ORDER_RULES(TakeOutBuilder)
TARQ_ORDER_RULES(ChooseExit)
TARQ_ORDER_RULES(CancelExitChoice)
TARQ_ORDER_RULES(CancelConstruction)
TARQ_ORDER_RULES(DestroyStructure)
TARQ_ORDER_RULES(EndTurn)
TARQ_ORDER_RULES(Select)
TARQ_ORDER_RULES(OpenMenu)
TARQ_ORDER_RULES(ShowCell)
TARQ_ORDER_RULES(ArmMove)
TARQ_ORDER_RULES(Disarm)
TARQ_ORDER_RULES(NextUnit)
TARQ_ORDER_RULES(OpenSelectionMenu)
TARQ_ORDER_RULES(Zoom)
TARQ_ORDER_RULES(ScrollTo)
TARQ_ORDER_RULES(ToggleView)
TARQ_ORDER_RULES(Resize)
TARQ_ORDER_RULES(ScrollBy)
TARQ_ORDER_RULES(SetPath)
TARQ_ORDER_RULES(CancelPath)
TARQ_ORDER_RULES(Undo)
TARQ_ORDER_RULES(ArmPath)
TARQ_ORDER_RULES(PreviewPath)
TARQ_ORDER_RULES(Attack)
TARQ_ORDER_RULES(LayMine)
TARQ_ORDER_RULES(ClearMine)
TARQ_ORDER_RULES(ArmAttack)
TARQ_ORDER_RULES(UseFog)
TARQ_ORDER_RULES(LoadCargo)
TARQ_ORDER_RULES(UnloadCargo)
TARQ_ORDER_RULES(Repair)
TARQ_ORDER_RULES(Reload)
TARQ_ORDER_RULES(BuyReinforcement)

#undef TARQ_ORDER_RULES

// Shared by the rules.
bool LiveSlot(const Game& game, int slot);              // 1..5000 and in use
bool OwnObject(const Game& game, u8 player, int slot);  // live and takes `player`'s orders
InfoChecks ShownInfo(const Game& game);                 // the settings page's panel items
std::string TypeName(const Game& game, int type);
bool UndoPointCurrent(const Game& game);  // the undo point is this turn's

}  // namespace tarq::orders
