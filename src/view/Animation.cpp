#include "view/Animation.h"

#include <algorithm>

#include "view/Renderer.h"

namespace tarq {
namespace {

int PeriodOf(const Game& game, int animClass) {
    if (animClass == 3) return game.TwoFrameAnimPeriod;
    if (animClass == 2) return game.SlowAnimPeriod;
    return 0;
}

// Layer is a 0-based index; the picture goes into layer `layer` + 1 of the cell.
void StampCell(Game& game, TCellPos cell, int layer, const TSpriteRef& s) {
    if (layer + 1 > kLayers || !CellGrid<TMapCell>::inStorage(cell.col, cell.row)) return;
    game.Map(cell.col, cell.row).Layers[layer + 1] = s;
}

void StepObject(Game& game, TGameObject& o) {
    const int count = o.CellCount < 4 ? o.CellCount : 4;
    for (int i = 1; i <= count; ++i) {
        AdvanceSprite(game, o.CellSprites[i]);
        StampCell(game, o.Cells[i], o.Layer, o.CellSprites[i]);
    }
    if (o.SecondLayer > 0) {
        AdvanceSprite(game, o.CellSprites[2]);
        StampCell(game, o.Cells[2], o.SecondLayer, o.CellSprites[2]);
    }
}

}  // namespace

void AdvanceSprite(const Game& game, TSpriteRef& s) {
    if (s.SprNext < 0 || s.SprNext >= kSpriteTableSize) return;
    const TSpriteRef& e = game.SpriteTable[static_cast<std::size_t>(s.SprNext)];
    s.idU = e.idU;
    s.Spr = e.Spr;
    s.SprNext = e.SprNext;
}

void AdvanceAnimations(Game& game) {
    for (int i = 1; i <= kMaxObjects; ++i) {
        TGameObject& o = game.World.Objects.Animated(i);
        if (o.Active != 1 || o.AnimClass == 0) continue;
        o.AnimTicks = static_cast<u8>(o.AnimTicks + 1);
        if (PeriodOf(game, o.AnimClass) < o.AnimTicks) {
            o.AnimTicks = 0;
            StepObject(game, o);
        }
    }
}

int AnimationClock::Advance(std::int64_t elapsedMs) {
    pendingMs_ += std::max<std::int64_t>(elapsedMs, 0);
    const std::int64_t due = pendingMs_ / kAnimationStepMs;
    pendingMs_ -= due * kAnimationStepMs;
    if (due > kMaxStepsPerTick) pendingMs_ = 0;
    return static_cast<int>(std::min<std::int64_t>(due, kMaxStepsPerTick));
}

void AnimationStep(Game& game) {
    AdvanceAnimations(game);
    if (game.ClickMode == kClickPlaceSite || game.ClickMode == kClickChooseExit) StepPulse(game);
}

void AdvanceTime(Game& game, AnimationClock& clock, std::int64_t elapsedMs) {
    for (int steps = clock.Advance(elapsedMs); steps > 0; --steps) AnimationStep(game);
}

}  // namespace tarq
