#include "orders/Combat.h"

#include <algorithm>
#include <string>
#include <vector>

#include "control/TurnPhases.h"
#include "core/Factory.h"
#include "core/World.h"

namespace tarq {

namespace {

constexpr const char* kSummaryHeading = "Пока вас не было:";

std::string NameOf(const Game& game, int type) {
    return type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string("?");
}

// "Танк 12x30": a type and the cell it stood on.
std::string Where(const Game& game, const TCombatEntry& e, bool target) {
    const TCellPos at = target ? TCellPos{e.Col, e.Row} : game.Object(e.Attacker).Cells[1];
    return NameOf(game, target ? e.TargetType : e.AttackerType) + " " + std::to_string(at.col) + "x" +
           std::to_string(at.row);
}

// A line of `player`'s summary; the first one since their last turn comes
// under the heading.
void Tell(Game& game, u8 player, int col, int row, std::string text) {
    if (player == game.CurrentPlayer || player < 1 || player > kMaxPlayers) return;
    const std::vector<TNotice>& list = NoticesOf(game, player);
    const bool headed =
        std::any_of(list.begin(), list.end(), [](const TNotice& n) { return n.Text == kSummaryHeading; });
    if (!headed) AddNotice(game, player, 0, 0, kSummaryHeading);
    AddNotice(game, player, col, row, std::move(text));
}

// The summaries of the two sides of a shot that was not their own order.
void TellSides(Game& game, const TCombatEntry& e) {
    const std::string by = NameOf(game, e.AttackerType) + " игрока " + std::to_string(e.AttackerOwner);
    const std::string target = Where(game, e, true);
    if (e.Kind == static_cast<u8>(ShotKind::Mine))
        Tell(game, e.TargetOwner, e.Col, e.Row,
             target + " подорвался на мине: -" + std::to_string(e.Damage) + " хитов");
    else
        Tell(game, e.TargetOwner, e.Col, e.Row, target + " потерял " + std::to_string(e.Damage) + " хитов от " + by);
    if (e.Destroyed != 0) Tell(game, e.TargetOwner, e.Col, e.Row, target + " уничтожен");
    if (e.Kind != static_cast<u8>(ShotKind::Mine))
        Tell(game, e.AttackerOwner, e.Col, e.Row,
             Where(game, e, false) + " стрелял по " + NameOf(game, e.TargetType) + " игрока " +
                 std::to_string(e.TargetOwner) + ": -" + std::to_string(e.Damage) + " хитов" +
                 (e.Destroyed != 0 ? ", уничтожен" : ""));
}

void Record(Game& game, const TCombatEntry& e) {
    std::vector<TCombatEntry>& log = game.CombatLog;
    if (log.size() >= kMaxCombatEntries) log.erase(log.begin());
    log.push_back(e);
}

bool Intercepts(const TGameObject& shooter, const TGameObject& target) {
    return IsAntiAircraft(shooter.TypeId) && IsAircraft(target.Stats);
}

// Whether `slot` answers or watches now: it may shoot at `target` with a kept
// shot (or, intercepting an aircraft, with ammunition alone).
bool Ready(const Game& game, int slot, int target) {
    const TGameObject& o = game.Object(slot);
    // The object's own state first: the reach is the dearer test.
    if (o.OrderState != 0 || o.AmmoLeft == 0 || o.Stats.Range == 0) return false;
    return (o.ShotsLeft > 0 || Intercepts(o, game.Object(target))) && Reaches(game, slot, target);
}

}  // namespace

void DestroyObject(Game& game, int slot, Outcome& out) {
    if (slot < 1 || slot > kMaxObjects || !SlotInUse(game.Object(slot))) return;
    const TGameObject o = game.Object(slot);
    if (o.OrderState == 1 && o.SiteObject >= 1 && o.SiteObject <= kMaxObjects &&
        game.Object(o.SiteObject).OrderState == 2 && game.Object(o.SiteObject).BuildLink == slot)
        DeleteObject(game, o.SiteObject);
    if (o.OrderState == 2 && o.BuildLink >= 1 && game.Object(o.BuildLink).SiteObject == slot)
        ClearOrder(game, o.BuildLink);
    if (game.LastCreatedObject == slot) game.LastCreatedObject = 0;
    const bool selected = game.SelectedObject == slot;
    DeleteObject(game, slot);
    if (selected) {
        game.AttackArmed = 0;
        out.selectionChanged = out.updateCursor = true;
        out.memo = std::vector<InfoLine>{};
    }
    out.events.push_back({EventKind::Exploded, static_cast<i16>(slot), o.Cells[1].col, o.Cells[1].row, o.TypeId, 0});
}

bool FireShot(Game& game, int attacker, int target, ShotKind kind, Outcome& out) {
    TGameObject& a = game.Object(attacker);
    TGameObject& t = game.Object(target);
    const int damage = DamagePerShot(a.Stats, t.Stats);
    const bool interception = kind == ShotKind::Overwatch && Intercepts(a, t);
    if (!interception && a.ShotsLeft > 0) --a.ShotsLeft;
    if (a.AmmoLeft > 0) --a.AmmoLeft;
    TCombatEntry e;
    e.Turn = game.Turn;
    e.Kind = static_cast<u8>(kind);
    e.AttackerOwner = a.Owner;
    e.TargetOwner = t.Owner;
    e.Damage = static_cast<u8>(std::min<int>(damage, t.HitsLeft));
    e.Attacker = static_cast<i16>(attacker);
    e.AttackerType = a.TypeId;
    e.Target = static_cast<i16>(target);
    e.TargetType = t.TypeId;
    e.Col = t.Cells[1].col;
    e.Row = t.Cells[1].row;
    t.HitsLeft = static_cast<u8>(t.HitsLeft - e.Damage);
    e.Destroyed = t.HitsLeft == 0 ? 1 : 0;
    out.events.push_back({EventKind::Shot, static_cast<i16>(attacker), e.Col, e.Row, t.TypeId, e.Kind, a.Cells[1].col,
                          a.Cells[1].row, a.TypeId});
    out.events.push_back({EventKind::Hit, static_cast<i16>(target), e.Col, e.Row, t.TypeId, damage});
    Record(game, e);
    TellSides(game, e);
    if (e.Destroyed != 0) DestroyObject(game, target, out);
    return e.Destroyed != 0;
}

void AttackWithReturnFire(Game& game, int attacker, int target, Outcome& out) {
    if (FireShot(game, attacker, target, ShotKind::Attack, out)) return;
    if (Ready(game, target, attacker) && game.Object(target).ShotsLeft > 0)
        FireShot(game, target, attacker, ShotKind::ReturnFire, out);
}

void AfterStep(Game& game, int unit, Outcome& out) {
    // One walk over the table finds the mine on the cell and the enemies that
    // may answer; reads go through a const view, as a mutable slot counts as
    // written.
    const Game& seen = game;
    const TGameObject& u = seen.Object(unit);
    const TCellPos at = u.Cells[1];
    const u8 owner = u.Owner;
    const bool flies = IsAircraft(u.Stats);
    int mine = 0;
    std::vector<int> watchers;
    for (int slot = 1; slot <= kMaxObjects; ++slot) {
        const TGameObject& o = seen.Object(slot);
        if (!SlotInUse(o) || o.Owner == owner) continue;
        if (IsMine(o.TypeId)) {
            if (mine == 0 && !flies && o.Cells[1] == at) mine = slot;
        } else if (Ready(seen, slot, unit)) {
            watchers.push_back(slot);
        }
    }
    if (mine != 0) {
        const bool destroyed = FireShot(game, mine, unit, ShotKind::Mine, out);
        const i16 type = seen.Object(mine).TypeId;
        DeleteObject(game, mine);
        out.events.push_back({EventKind::Exploded, static_cast<i16>(mine), at.col, at.row, type, 0});
        if (destroyed) return;
    }
    for (const int slot : watchers) {
        if (!SlotInUse(seen.Object(unit))) break;
        if (Ready(seen, slot, unit)) FireShot(game, slot, unit, ShotKind::Overwatch, out);
    }
}

std::string LayMineRefusal(const Game& game, int layer, int col, int row) {
    const TGameObject& l = game.Object(layer);
    const int mine = MineOf(l.TypeId);
    if (mine == 0 || l.OrderState != 0) return "Этот объект не ставит мины";
    const TCellPos at = l.Cells[1];
    if (std::max(std::abs(col - at.col), std::abs(row - at.row)) != 1) return "Мину ставят на соседнюю клетку";
    if (l.Cargo < game.UnitStats[mine].Cost) return NameOf(game, l.TypeId) + ": не хватает материала на мину";
    for (const TGameObject& o : game.World.Objects)
        if (SlotInUse(o) && IsMine(o.TypeId) && o.Cells[1] == TCellPos{static_cast<i16>(col), static_cast<i16>(row)})
            return "Здесь мину не поставить";
    if (CanPlaceType(game, col, row, mine) == 0) return "Здесь мину не поставить";
    return {};
}

bool LayMine(Game& game, int layer, int col, int row, Outcome& out) {
    const int mine = MineOf(game.Object(layer).TypeId);
    if (CreateObject(game, col, row, mine, 0) == 0) return false;
    TGameObject& l = game.Object(layer);
    l.Cargo = static_cast<u8>(l.Cargo - game.UnitStats[mine].Cost);
    out.events.push_back({EventKind::MineLaid, game.LastCreatedObject, static_cast<i16>(col), static_cast<i16>(row),
                          static_cast<i16>(mine), 0});
    return true;
}

}  // namespace tarq
