// The rules of the combat orders: the attack, laying and clearing mines, and
// arming the attack for the next click.
#include <algorithm>
#include <cstdlib>

#include "core/World.h"
#include "orders/Combat.h"
#include "orders/OrderRules.h"

namespace tarq::orders {

namespace {

bool Landed(const Game& game) { return CurrentPlayerEntry(game).BasePlaced == 1; }

// An object of `player`'s that is not a mine layer's mine and can fire at all.
bool OwnArmed(const Game& game, u8 player, int slot) {
    return OwnObject(game, player, slot) && Armed(game.Object(slot).Stats) && game.Object(slot).OrderState == 0;
}

}  // namespace

Verdict CheckOrder(const Game& game, u8 player, const cmd::Attack& c) {
    if (!Landed(game) || !OwnArmed(game, player, c.attacker) || !LiveSlot(game, c.target)) return Verdict::No();
    const TGameObject& a = game.Object(c.attacker);
    const TGameObject& t = game.Object(c.target);
    if (t.Owner == player || IsMine(t.TypeId)) return Verdict::No();
    const std::string name = TypeName(game, a.TypeId);
    if (a.AmmoLeft == 0) return Verdict::No(name + ": боезапас кончился");
    if (a.ShotsLeft == 0) return Verdict::No(name + ": выстрелов в этот ход больше нет");
    if (!MayTarget(a.Stats, t.Stats)) return Verdict::No(name + " не может стрелять по " + TypeName(game, t.TypeId));
    if (!Reaches(game, c.attacker, c.target)) return Verdict::No(name + ": цель вне досягаемости");
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::Attack& c, Outcome& out) {
    AttackWithReturnFire(game, c.attacker, c.target, out);
    if (LiveSlot(game, game.SelectedObject)) out.memo = ShowObjectInfo(game, game.SelectedObject, ShownInfo(game));
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::LayMine& c) {
    if (!Landed(game) || !OwnObject(game, player, c.layer)) return Verdict::No();
    if (std::string why = LayMineRefusal(game, c.layer, c.col, c.row); !why.empty()) return Verdict::No(why);
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::LayMine& c, Outcome& out) {
    out.accepted = LayMine(game, c.layer, c.col, c.row, out);
    if (out.accepted && LiveSlot(game, game.SelectedObject))
        out.memo = ShowObjectInfo(game, game.SelectedObject, ShownInfo(game));
}

// The layer's sweep finds the mine: it must be another player's, beside it.
Verdict CheckOrder(const Game& game, u8 player, const cmd::ClearMine& c) {
    if (!Landed(game) || !OwnObject(game, player, c.layer) || MineOf(game.Object(c.layer).TypeId) == 0)
        return Verdict::No();
    if (!LiveSlot(game, c.mine) || !IsMine(game.Object(c.mine).TypeId) || game.Object(c.mine).Owner == player)
        return Verdict::No();
    const TCellPos a = game.Object(c.layer).Cells[1], m = game.Object(c.mine).Cells[1];
    if (std::max(std::abs(a.col - m.col), std::abs(a.row - m.row)) != 1) return Verdict::No("Мина не рядом");
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::ClearMine& c, Outcome& out) {
    const TCellPos at = game.Object(c.mine).Cells[1];
    const i16 type = game.Object(c.mine).TypeId;
    DeleteObject(game, c.mine);
    out.events.push_back({EventKind::MineCleared, c.mine, at.col, at.row, type, 0});
}

// "Атаковать": the next click on an enemy fires the selection at it.
Verdict CheckOrder(const Game& game, u8 player, const cmd::ArmAttack&) {
    return player == game.CurrentPlayer && OwnArmed(game, player, game.SelectedObject) ? Verdict::Yes() : Verdict::No();
}

void RunOrder(Game& game, u8, const cmd::ArmAttack&, Outcome& out) {
    game.AttackArmed = 1;
    game.MoveArmed = 0;
    out.updateCursor = true;
}

}  // namespace tarq::orders
