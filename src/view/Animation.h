// The animation step: before each frame, animated objects advance their cell
// pictures along their SpriteTable rings and write them into their cells.
#pragma once

#include "core/GameState.h"

namespace tarq {

// One drawing tick over all 5000 slots. Class 3 steps every
// TwoFrameAnimPeriod + 1 ticks, class 2 every SlowAnimPeriod + 1 ticks, any
// other non-zero class every tick; class 0 and inactive slots never.
void AdvanceAnimations(Game& game);

// Replaces idU, Spr and SprNext of s by those of SpriteTable[s.SprNext]; id and
// show stay. A successor outside the table leaves s unchanged.
void AdvanceSprite(const Game& game, TSpriteRef& s);

}  // namespace tarq
