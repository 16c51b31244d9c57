#include "control/CombatRules.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "core/TypeSetup.h"
#include "core/World.h"

namespace tarq {

// By the type's own movement class: the characteristics an object carries
// could come from a damaged file.
bool IsAircraft(const TUnitStats& stats) {
    const TypeSetup* setup = FindTypeSetup(stats.TypeId);
    return setup != nullptr && setup->Movement == kMoveAircraft;
}
bool IsAntiAircraft(int type) { return type == kTypeMobileAntiAir || type == kTypeAntiAir; }
bool IsMine(int type) { return type == kTypeLandMine || type == kTypeSeaMine; }

int MineOf(int type) {
    if (type == kTypeMineLayer) return kTypeLandMine;
    if (type == kTypeMineSweeper) return kTypeSeaMine;
    return 0;
}

bool Armed(const TUnitStats& stats) { return stats.Attack > 0 && stats.Range > 0 && !IsMine(stats.TypeId); }

bool WithinRange(const TFootprint& from, const TFootprint& to, int range) {
    if (range <= 0) return false;
    // Every footprint lies within one cell of its first (a cell or a 2 x 2
    // block): first cells further apart than range + 2 leave every pair at
    // least range + 1 apart on one axis, beyond the circle.
    if (std::max(std::abs(from[1].col - to[1].col), std::abs(from[1].row - to[1].row)) > range + 2) return false;
    int nearest = INT_MAX;
    for (const TCellPos& a : from)
        for (const TCellPos& b : to) {
            const int dc = a.col - b.col, dr = a.row - b.row;
            nearest = std::min(nearest, dc * dc + dr * dr);
        }
    return nearest <= range * (range + 1);
}

bool MayTarget(const TUnitStats& shooter, const TUnitStats& target) {
    if (!Armed(shooter) || IsMine(target.TypeId)) return false;
    if (IsAntiAircraft(shooter.TypeId)) return IsAircraft(target);
    return !IsAircraft(target) || IsAircraft(shooter);
}

bool Reaches(const Game& game, int attacker, int target) {
    if (attacker < 1 || attacker > kMaxObjects || target < 1 || target > kMaxObjects || attacker == target)
        return false;
    const TGameObject& a = game.Object(attacker);
    const TGameObject& t = game.Object(target);
    if (!SlotInUse(a) || !SlotInUse(t) || !MayTarget(a.Stats, t.Stats)) return false;
    return WithinRange(a.Cells, t.Cells, a.Stats.Range);
}

int DamagePerShot(const TUnitStats& attacker, const TUnitStats& target) {
    if (!MayTarget(attacker, target) && !IsMine(attacker.TypeId)) return 0;
    if (IsAntiAircraft(attacker.TypeId) && IsAircraft(target)) return attacker.Attack * kAntiAirFactor;
    return std::max((attacker.Attack + 3) / 4, attacker.Attack - target.Armour);
}

int ShotsToDestroy(const TUnitStats& attacker, const TUnitStats& target) {
    const int damage = DamagePerShot(attacker, target);
    return damage > 0 ? (std::max(1, int{target.Hits}) + damage - 1) / damage : 0;
}

int TurnsToDestroy(const TUnitStats& attacker, const TUnitStats& target) {
    const int shots = ShotsToDestroy(attacker, target);
    if (shots == 0 || shots > attacker.Ammo || attacker.Shots == 0) return 0;
    return (shots + attacker.Shots - 1) / attacker.Shots;
}

bool CanFire(const Game& game, int slot) {
    if (slot < 1 || slot > kMaxObjects) return false;
    const TGameObject& o = game.Object(slot);
    return SlotInUse(o) && Armed(o.Stats) && o.OrderState == 0 && o.ShotsLeft > 0 && o.AmmoLeft > 0;
}

int MineNextTo(const Game& game, int layer, u8 player) {
    if (layer < 1 || layer > kMaxObjects || !SlotInUse(game.Object(layer))) return 0;
    const TCellPos at = game.Object(layer).Cells[1];
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = game.Object(slot);
        if (!SlotInUse(o) || !IsMine(o.TypeId) || o.Owner == player) continue;
        const int dc = o.Cells[1].col - at.col, dr = o.Cells[1].row - at.row;
        if (std::max(std::abs(dc), std::abs(dr)) == 1) return slot;
    }
    return 0;
}

}  // namespace tarq
