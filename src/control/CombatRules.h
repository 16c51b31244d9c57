// The numbers of combat: who reaches whom, what a shot takes, how many shots
// and turns a duel lasts. Pure functions of the objects and the catalogue;
// the orders that fire (orders/Combat.h) and the rules document's duel table
// both use them, so the two cannot disagree.
#pragma once

#include "core/GameState.h"

namespace tarq {

// The types of combat that have rules of their own.
constexpr int kTypeMobileAntiAir = 7;
constexpr int kTypeMineLayer = 8;
constexpr int kTypeMineSweeper = 26;
constexpr int kTypeLandMine = 32;
constexpr int kTypeSeaMine = 33;
constexpr int kTypeAntiAir = 65;
// An anti-aircraft shot at an aircraft counts its Attack this many times.
constexpr int kAntiAirFactor = 4;

bool IsAircraft(const TUnitStats& stats);
bool IsAntiAircraft(int type);
bool IsMine(int type);
// The mine a layer of `type` lays (0 for a type that lays none).
int MineOf(int type);

// Whether an object of these characteristics can fire at all: an attack and a
// range (a mine has no range: it acts on its own cell).
bool Armed(const TUnitStats& stats);

// Whether the circle of radius `range` around footprint `from` holds a cell
// of footprint `to`: dc² + dr² <= R(R + 1) between their nearest cells, the
// circle the "Радиус" overlay draws. Range 0 reaches nothing.
bool WithinRange(const TFootprint& from, const TFootprint& to, int range);

// Whether a shooter of `shooter` characteristics may aim at a target of
// `target` characteristics at all: aircraft are reached only by the
// anti-aircraft types and by armed aircraft, and the anti-aircraft types fire
// only at aircraft; mines are never aimed at.
bool MayTarget(const TUnitStats& shooter, const TUnitStats& target);

// Whether object `attacker` reaches object `target` now: both live, the
// attacker armed, may aim at the target and has it within range. Ammunition
// and shots left do not count here.
bool Reaches(const Game& game, int attacker, int target);

// Hits a shot takes: max(⌈Attack / 4⌉, Attack − Armour); an anti-aircraft
// shot at an aircraft ignores armour and counts Attack kAntiAirFactor times.
// 0 when the shooter may not aim at the target.
int DamagePerShot(const TUnitStats& attacker, const TUnitStats& target);

// Shots of `attacker` that destroy a fresh `target` (0 when none can), and
// the turns they take at the attacker's shots per turn; 0 turns as well when
// the attacker's full ammunition does not last.
int ShotsToDestroy(const TUnitStats& attacker, const TUnitStats& target);
int TurnsToDestroy(const TUnitStats& attacker, const TUnitStats& target);

// Whether `slot` can fire a shot now: live, armed, not a site, shots and
// ammunition left.
bool CanFire(const Game& game, int slot);

// An enemy mine of another player than `player` on a neighbouring cell of the
// mine layer `layer` (its slot, the lowest one), or 0: the layer's sweep finds
// mines on the eight cells around it.
int MineNextTo(const Game& game, int layer, u8 player);

}  // namespace tarq
