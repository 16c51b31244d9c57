// How each type stands on the map: movement class, footprint, layers,
// animation class, the sprite-table entries of its cell pictures and facing
// pictures, and whether its cells join the connector grid. The object factory
// builds objects from this table; the picture generator draws from it too.
#pragma once

#include <array>

#include "core/GameState.h"

namespace tarq {

struct TypeSetup {
    u8 Movement = 0;
    bool TwoByTwo = false;
    u8 Layer = 0;        // 0-based
    u8 SecondLayer = 0;  // 0 = none
    u8 AnimClass = 0;
    std::array<i16, 4> CellSpriteEntries{};  // SpriteTable entries for CellSprites[1..4]; 0 = none
    i16 FacingFirst = 0;                     // first facing entry; 0 = none
    bool Connected = false;
    u8 FacingCount = 8;  // consecutive facing entries from FacingFirst
};

// Setup of type 1..67; nullptr outside that range.
const TypeSetup* FindTypeSetup(int type);

}  // namespace tarq
