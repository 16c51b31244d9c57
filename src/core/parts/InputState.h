// The mouse and what it is doing now: values of the moment, never saved and
// never part of the match.
#pragma once

#include "core/GameTypes.h"

namespace tarq {

struct InputState {
    // The map cell under the pointer and the pointer on the drawing surface.
    i32 HoverCol = 0;
    i32 HoverRow = 0;
    i32 MouseX = 0;
    i32 MouseY = 0;
    // A drag of the map with the right button, from where it started, and a
    // drag of the minimap's frame.
    u8 RightDrag = 0;
    i32 DragStartX = 0;
    i32 DragStartY = 0;
    u8 MinimapDrag = 0;
    // Ticks left of the red flash of a refused purchase; -1 when none runs.
    i16 WarnFlashTicks = -1;
};

}  // namespace tarq
