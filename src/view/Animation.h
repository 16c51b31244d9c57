// The animation step: animated objects advance their cell pictures along
// their SpriteTable rings and write them into their cells, and the pulse of a
// waiting site or exit choice moves on. Both advance on time, in fixed steps,
// however many frames the machine draws.
#pragma once

#include <cstdint>

#include "core/GameState.h"

namespace tarq {

// One step of animation and pulse: sixty a second, the rate of the drawing
// timer the animation periods (SFPS2, SFPS3) were set for.
constexpr int kAnimationStepMs = 16;
// A drawing tick runs at most this many steps: after a long pause (a hidden
// page, a held window) the animation goes on, it does not race to catch up.
constexpr int kMaxStepsPerTick = 8;

// The time a drawing tick has not turned into steps yet.
class AnimationClock {
public:
    // Adds `elapsedMs` (negative counts as none) and returns the steps due now.
    int Advance(std::int64_t elapsedMs);

private:
    std::int64_t pendingMs_ = 0;
};

// `elapsedMs` of play: every step due advances the animations, then the pulse.
void AdvanceTime(Game& game, AnimationClock& clock, std::int64_t elapsedMs);

// One step of animation and pulse.
void AnimationStep(Game& game);

// One drawing tick over all 5000 slots. Class 3 steps every
// TwoFrameAnimPeriod + 1 ticks, class 2 every SlowAnimPeriod + 1 ticks, any
// other non-zero class every tick; class 0 and inactive slots never.
void AdvanceAnimations(Game& game);

// Replaces idU, Spr and SprNext of s by those of SpriteTable[s.SprNext]; id and
// show stay. A successor outside the table leaves s unchanged.
void AdvanceSprite(const Game& game, TSpriteRef& s);

}  // namespace tarq
