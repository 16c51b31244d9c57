// The rules of path orders and of undo.
#include "control/PathOrders.h"
#include "control/UnitMoves.h"
#include "orders/OrderRules.h"
#include "view/MapLayers.h"

namespace tarq::orders {

namespace {

void ShowUnit(const Game& game, int unit, Outcome& out) {
    if (game.SelectedObject == unit) out.memo = ShowObjectInfo(game, unit, ShownInfo(game));
}

void ClearPreview(Game& game) {
    game.PathArmed = 0;
    game.PathPreviewUnit = 0;
    game.PathPreviewCol = 0;
    game.PathPreviewRow = 0;
}

}  // namespace

// --- Path orders -------------------------------------------------------------

Verdict CheckOrder(const Game& game, u8 player, const cmd::SetPath& c) {
    if (CurrentPlayerEntry(game).BasePlaced != 1 || !LiveSlot(game, c.unit)) return Verdict::No();
    if (std::string why = PathRefusal(game, player, c.unit, c.col, c.row); !why.empty()) return Verdict::No(why);
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::SetPath& c, Outcome& out) {
    ClearPreview(game);
    for (const TCellPos& p : GivePathOrder(game, c.unit, c.col, c.row))
        out.events.push_back({EventKind::Moved, c.unit, p.col, p.row, game.Object(c.unit).TypeId, 0});
    out.updateCursor = true;
    ShowUnit(game, c.unit, out);
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::CancelPath& c) {
    if (!OwnObject(game, player, c.unit) || PathOrderOf(game, c.unit) == nullptr) return Verdict::No();
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::CancelPath& c, Outcome& out) {
    DropPathOrder(game, c.unit);
    ShowUnit(game, c.unit, out);
}

// The view: the next map click plans a path for the selected own unit.
Verdict CheckOrder(const Game& game, u8 player, const cmd::ArmPath&) {
    const int unit = game.SelectedObject;
    if (!OwnObject(game, player, unit) || player != game.CurrentPlayer) return Verdict::No();
    const TGameObject& u = game.Object(unit);
    if (game.UnitTypes[u.TypeId].Category == 0) return Verdict::No("Сооружения не ходят");
    if (u.OrderState != 0) return Verdict::No(TypeName(game, u.TypeId) + " занят стройкой");
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::ArmPath&, Outcome& out) {
    ClearPreview(game);
    game.PathArmed = 1;
    game.MoveArmed = 0;
    out.updateCursor = true;
    out.notice = "Укажите клетку: путь покажется, второй щелчок по ней отдаёт приказ";
}

// The view: the way the selected unit would take, shown until confirmed.
Verdict CheckOrder(const Game& game, u8 player, const cmd::PreviewPath& c) {
    if (Verdict armed = CheckOrder(game, player, cmd::ArmPath{}); !armed.accepted) return armed;
    if (std::string why = PathRefusal(game, player, game.SelectedObject, c.col, c.row); !why.empty())
        return Verdict::No(why);
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::PreviewPath& c, Outcome& out) {
    game.PathArmed = 1;
    game.MoveArmed = 0;
    game.PathPreviewUnit = static_cast<i16>(game.SelectedObject);
    game.PathPreviewCol = c.col;
    game.PathPreviewRow = c.row;
    const std::vector<TCellPos> path = PlanPath(game, game.SelectedObject, c.col, c.row);
    const int turns = TurnsOfPath(game.Object(game.SelectedObject), path.size()).back();
    out.notice = "Путь: клеток " + std::to_string(path.size()) + ", ходов до цели: " + std::to_string(turns) +
                 ". Щелкните по клетке еще раз, чтобы отдать приказ; Esc отменяет";
    out.updateCursor = true;
}

// --- Undo ----------------------------------------------------------------------

// The undo point belongs to this very turn of this game.
bool UndoPointCurrent(const Game& game) {
    const TUndoPoint& p = game.Undo;
    return p.Start != nullptr && p.Start->GameId == game.GameId && p.Start->Turn == game.Turn &&
           p.Start->CurrentPlayer == game.CurrentPlayer && game.Log.Entries().size() >= p.LogIndex;
}

Verdict CheckOrder(const Game& game, u8, const cmd::Undo&) {
    if (!MatchStarted(game)) return Verdict::No();
    if (!UndoPointCurrent(game) || game.Log.Entries().size() == game.Undo.LogIndex) {
        const std::string& why = game.Undo.Barrier;
        return Verdict::No("Нельзя отменить: " + (why.empty() ? std::string("в этом ходу ещё нечего отменять") : why));
    }
    return Verdict::Yes();
}

// The match goes back to the undo point and the orders given since, but for
// the last, are carried out again: the result is exactly the match as it was
// before the last order.
void RunOrder(Game& game, u8, const cmd::Undo&, Outcome& out) {
    const std::vector<LoggedOrder>& entries = game.Log.Entries();
    const std::vector<LoggedOrder> again(entries.begin() + static_cast<std::ptrdiff_t>(game.Undo.LogIndex),
                                         entries.end() - 1);
    static_cast<Match&>(game) = *game.Undo.Start;
    ClearPreview(game);
    game.MoveArmed = 0;
    // The picture layers are a cache of the match: drawn again whole, as for
    // a game read from a file.
    RebuildMapLayers(game);
    game.MinimapDirty = 1;
    for (const LoggedOrder& e : again) Execute(game, e.order, ExecuteMode::Replay);
    out.selectionChanged = true;
    out.updateCursor = true;
    out.memo = ShowObjectInfo(game, game.SelectedObject, ShownInfo(game));
    out.notice = "Отменено";
}

}  // namespace tarq::orders
