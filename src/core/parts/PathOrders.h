// The units' standing path orders: a unit ordered to a distant cell walks
// there over several turns. Only the target is kept; the path itself is
// planned again from the unit's cell whenever it walks (control/Paths.h), so
// a file carries nothing a planner could disagree with.
#pragma once

#include <vector>

#include "core/GameTypes.h"

namespace tarq {

struct TPathOrder {
    i16 Unit = 0;  // the slot of the walking unit
    i16 Col = 0;   // the target cell
    i16 Row = 0;
    bool operator==(const TPathOrder&) const = default;
};

// At most one order per unit, kept in the order they were given.
using PathOrderList = std::vector<TPathOrder>;

}  // namespace tarq
