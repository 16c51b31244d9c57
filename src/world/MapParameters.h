// The generator's parameters and how they are read from the controls of the
// random-map page: map size list, model page, and the scroll bars.
#pragma once

#include <array>

#include "core/GameState.h"

namespace tarq {

// MapControls (the positions of the page's controls) lives in the game state.

struct ControlRange {
    int min, max;
};
inline constexpr ControlRange kIsmassRange{0, 600};
inline constexpr ControlRange kLandMassRange{0, 40};
inline constexpr ControlRange kStripCountRange{0, 100};
inline constexpr ControlRange kStripLengthRange{1, 100};
inline constexpr ControlRange kStripWidthRange{0, 20};
inline constexpr ControlRange kMountainsRange{0, 200};
inline constexpr ControlRange kStonesRange{0, 200};
inline constexpr ControlRange kDepositsRange{0, 500};

// Map side for each item of the size list.
inline constexpr std::array<int, 6> kMapSizes = {50, 100, 150, 200, 300, 400};

struct MapParameters {
    i16 MapWidth = 100;
    i16 MapHeight = 100;
    u8 MapModel = 1;  // 0 islands, 1 strips
    i32 IslandCountBase = 0;
    i32 IslandCountRange = 0;
    i32 IslandSizeBase = 0;
    i32 IslandSizeRange = 0;
    i32 StripCountLow = 0;
    i32 StripCountHigh = 0;
    i32 StripStepsLow = 0;
    i32 StripStepsHigh = 0;
    i32 StripWidthLow = 0;
    i32 StripWidthHigh = 0;
    i16 BigObstacleCount = 0;
    i16 SmallObstacleCount = 0;
    i32 DepositCount = 0;
    bool operator==(const MapParameters&) const = default;
};

// Computes every parameter from the controls and sets the world's map size.
// Positions outside a control's range are clamped into it, as the control
// itself would; a size item outside the list (including the 500 x 500 item
// the list never offers) is clamped to the nearest listed item, and a model
// page other than 0 or 1 to the nearer of the two.
MapParameters ReadMapParameters(Game& game, const MapControls& controls);

}  // namespace tarq
