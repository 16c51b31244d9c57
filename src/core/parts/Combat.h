// The match's combat log: every shot fired and every mine that went off,
// oldest first, kept in the game file so the players can read back what
// happened to their side (orders/CombatOrders.cpp writes it).
#pragma once

#include <cstddef>
#include <vector>

#include "core/GameTypes.h"

namespace tarq {

// How a shot came to be fired.
enum class ShotKind : u8 {
    Attack = 0,      // the attack order of the player on turn
    ReturnFire = 1,  // the target answered its attacker
    Overwatch = 2,   // a kept shot at an enemy that stepped into reach
    Mine = 3,        // an enemy stepped onto a mine
};
constexpr u8 kShotKinds = 4;

// One shot: who fired at whom, where the target stood, what it took.
struct TCombatEntry {
    i32 Turn = 0;
    u8 Kind = 0;  // ShotKind
    u8 AttackerOwner = 0;
    u8 TargetOwner = 0;
    u8 Damage = 0;
    u8 Destroyed = 0;  // 1 when the shot destroyed the target
    i16 Attacker = 0;  // slot at the time of the shot
    i16 AttackerType = 0;
    i16 Target = 0;
    i16 TargetType = 0;
    i16 Col = 0;  // the target's first cell
    i16 Row = 0;
    bool operator==(const TCombatEntry&) const = default;
};

// At most this many shots are kept; older ones go first.
constexpr std::size_t kMaxCombatEntries = 2000;

}  // namespace tarq
