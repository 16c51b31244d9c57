#include "control/Sight.h"

#include "core/World.h"

namespace tarq {

// No rule limits sight yet: every player sees the whole map.
bool SeesCell(const Match& match, u8, int col, int row) { return match.InMap(col, row); }

bool SeesObject(const Match& match, u8, int slot) {
    return slot >= 1 && slot <= kMaxObjects && SlotInUse(match.World.Objects[slot]);
}

}  // namespace tarq
