#include "control/ClickOrders.h"

#include "control/CombatRules.h"
#include "control/MapClick.h"
#include "control/SitePreview.h"
#include "core/Players.h"

namespace tarq {

namespace {

Order From(const Game& game, Command command) { return {game.CurrentPlayer, command}; }

// A click on another player's object with an own armed object selected
// fires at it when it is in reach or the attack is armed ("Атаковать", `A`).
bool FiresAt(const Game& game, int target) {
    const int a = game.SelectedObject;
    if (!SeveralPlayers(game) || !OwnedByCurrentPlayer(game, a) || OwnedByCurrentPlayer(game, target)) return false;
    return game.AttackArmed == 1 || (CanFire(game, a) && Reaches(game, a, target));
}

Order ClickOnObject(const Game& game, const CellFind& find) {
    const i16 object = static_cast<i16>(find.object);
    if (!find.readyMarker && FiresAt(game, find.object))
        return From(game, cmd::Attack{static_cast<i16>(game.SelectedObject), object});
    if (!OwnedByCurrentPlayer(game, find.object)) return From(game, cmd::Select{object});
    if (find.readyMarker || find.object == game.SelectedObject)
        return From(game, cmd::OpenMenu{object, static_cast<u8>(find.readyMarker ? 1 : 0)});
    return From(game, cmd::Select{object});
}

Order ClickOnEmptyCell(const Game& game, int col, int row) {
    const bool armed = game.MoveArmed == 1 && OwnedByCurrentPlayer(game, game.SelectedObject);
    if (!armed) return From(game, cmd::ShowCell{static_cast<i16>(col), static_cast<i16>(row)});
    return From(game, cmd::Step{static_cast<i16>(game.SelectedObject), static_cast<i16>(col), static_cast<i16>(row)});
}

}  // namespace

std::optional<Order> InterpretPathClick(const Game& game, int col, int row) {
    if (!CellGrid<u8>::inStorage(col, row) || game.ClickMode != kClickNormal) return std::nullopt;
    const int unit = game.SelectedObject;
    if (!OwnedByCurrentPlayer(game, unit)) return std::nullopt;
    const i16 c = static_cast<i16>(col), r = static_cast<i16>(row);
    if (game.PathPreviewUnit == unit && game.PathPreviewCol == c && game.PathPreviewRow == r)
        return From(game, cmd::SetPath{static_cast<i16>(unit), c, r});
    return From(game, cmd::PreviewPath{c, r});
}

std::optional<Order> InterpretClick(const Game& game, int col, int row) {
    if (!CellGrid<u8>::inStorage(col, row)) return std::nullopt;
    if (game.PathArmed == 1 && CurrentPlayerEntry(game).BasePlaced != 0) return InterpretPathClick(game, col, row);
    const i16 c = static_cast<i16>(col), r = static_cast<i16>(row);
    if (CurrentPlayerEntry(game).BasePlaced == 0) return From(game, cmd::LandBase{c, r});
    switch (game.ClickMode) {
        case kClickPlaceSite: return From(game, cmd::ConfirmSite{});
        case kClickChooseExit: return From(game, cmd::ChooseExit{c, r});
        default: break;
    }
    const CellFind find = ObjectAt(game, col, row);
    return find.object != 0 ? ClickOnObject(game, find) : ClickOnEmptyCell(game, col, row);
}

std::string AttackReadout(const Game& game, int col, int row) {
    if (game.ClickMode != kClickNormal) return {};
    const CellFind find = ObjectAt(game, col, row);
    const int a = game.SelectedObject;
    if (find.object == 0 || find.readyMarker || !FiresAt(game, find.object) || !Reaches(game, a, find.object))
        return {};
    const int damage = DamagePerShot(game.Object(a).Stats, game.Object(find.object).Stats);
    if (damage <= 0) return {};
    const int shots = (game.Object(find.object).HitsLeft + damage - 1) / damage;
    return "Урон " + std::to_string(damage) + ", до уничтожения " + std::to_string(shots) + " выстр.";
}

Order InterpretRightPress(const Game& game) {
    switch (game.ClickMode) {
        case kClickPlaceSite: return From(game, cmd::CancelSite{});
        case kClickChooseExit: return From(game, cmd::CancelExitChoice{});
        default: return From(game, cmd::Disarm{});
    }
}

std::optional<Order> InterpretHover(const Game& game, int col, int row) {
    if (game.ClickMode != kClickPlaceSite || !SiteWouldMove(game, col, row)) return std::nullopt;
    return From(game, cmd::MoveSite{static_cast<i16>(col), static_cast<i16>(row)});
}

}  // namespace tarq
