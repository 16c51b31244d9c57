// Consistency checks of the object table against the map, shared by the tests
// of every subsystem that creates, moves or releases objects. Each check
// returns one line per violation; an empty list means the state is sound.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"

namespace tarq {

using Violations = std::vector<std::string>;

// Layers 2-4 of every map cell equal what a rebuild from the object table
// would write (the game itself is left unchanged).
Violations CheckObjectLayers(const Game& game);

// Every picture with an object id in the object layers (2-4, aircraft in 6,
// the connector structure and ready markers in 8) names a slot in use that
// covers the cell.
Violations CheckPictureOwners(const Game& game);

// Every free slot (Owner 0) equals ObjectTemplate.
Violations CheckFreeSlots(const Game& game);

// Connectors are present only on map cells covered by a connected structure
// that is not a construction site; layer 5 is hidden on every map cell without
// a connector and on the map's outermost rows and columns, and elsewhere holds
// the connector picture of the cell's neighbourhood, shown exactly while
// ShowConnectors is on.
Violations CheckConnectors(const Game& game);

// Construction links: every builder at work names a site that names it back
// and every site is named by its builder; while a site is placed or an exit
// chosen, LastCreatedObject is that site (finished, for the exit); exit
// markers exist only during the exit choice, each in use.
Violations CheckOrders(const Game& game);

// Path orders: each names a unit in use, free to walk, at most once, and a
// target on the map.
Violations CheckPathOrders(const Game& game);
// The economy: the unpowered mark only on a structure that takes power, and
// no storage structure holding more than its capacity.
Violations CheckEconomy(const Game& game);

// All of the above.
Violations CheckInvariants(const Game& game);

// Sight after an order: every player's counters equal a recount from the
// objects; each player's remembered structures are in slot order, of other
// players, on the map. Not part of CheckInvariants: objects planted straight
// into the table are followed only by the next order.
Violations CheckSight(const Game& game);

}  // namespace tarq
