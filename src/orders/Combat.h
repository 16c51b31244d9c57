// Combat carried out: a shot and what it takes, the answer of the target, the
// shots of the objects that kept theirs when an enemy steps into reach, the
// mines, and the destruction of an object with everything tied to it. Every
// shot goes to the match's combat log and, for a player not on turn, into
// their start-of-turn summary; the outcome's events tell the window where to
// draw the tracers and explosions and which sounds to play.
#pragma once

#include "control/CombatRules.h"
#include "core/parts/Combat.h"
#include "orders/Outcome.h"

namespace tarq {

// `attacker` fires one shot at `target` (the caller checked that it may): a
// kept shot and a round of ammunition are spent (an anti-aircraft
// interception spends ammunition only), the damage is taken from the
// target's hits and the target is destroyed at 0. Returns true when the
// target was destroyed.
bool FireShot(Game& game, int attacker, int target, ShotKind kind, Outcome& out);

// The attack order: the shot, then the target's answer when it survives,
// reaches its attacker and kept a shot and ammunition.
void AttackWithReturnFire(Game& game, int attacker, int target, Outcome& out);

// After `unit` ended a step: an enemy mine on its cell goes off (and is
// spent), then every enemy object that reaches it and kept a shot fires once,
// by object number, while the unit lives. Anti-aircraft types fire at an
// aircraft without a kept shot, while their ammunition lasts.
void AfterStep(Game& game, int unit, Outcome& out);

// Releases `slot` as destroyed: a builder's site goes with it, a site's
// builder is free again, its cells, pictures, connectors and any selection of
// it are cleared.
void DestroyObject(Game& game, int slot, Outcome& out);

// The mine the layer `layer` lays on (col, row), paid from its cargo.
bool LayMine(Game& game, int layer, int col, int row, Outcome& out);

// Whether a mine of `mineType` could be laid by `layer` on (col, row): a free
// neighbouring cell the mine may stand on; the reason when not.
std::string LayMineRefusal(const Game& game, int layer, int col, int row);

}  // namespace tarq
