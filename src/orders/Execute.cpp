#include "orders/Execute.h"

#include <memory>

#include "control/Construction.h"
#include "core/Catalogue.h"
#include "core/Players.h"
#include "core/Sight.h"
#include "core/SightCounts.h"
#include "core/World.h"
#include "orders/OrderRules.h"

namespace tarq {

namespace orders {

bool LiveSlot(const Game& game, int slot) { return slot >= 1 && slot <= kMaxObjects && SlotInUse(game.Object(slot)); }

// In a game of one player every object takes their orders, as it always did.
bool OwnObject(const Game& game, u8 player, int slot) {
    if (!LiveSlot(game, slot)) return false;
    return !SeveralPlayers(game) || game.Object(slot).Owner == player;
}

InfoChecks ShownInfo(const Game& game) {
    InfoChecks checks{};
    for (std::size_t i = 0; i < checks.size(); ++i) checks[i] = game.Settings.InfoShown[i] != 0;
    return checks;
}

std::string TypeName(const Game& game, int type) {
    return type >= 1 && type <= kTypeCount ? game.UnitTypes[type].Name : std::string();
}

}  // namespace orders

namespace {

template <typename T>
constexpr std::size_t kIndex = kCommandIndex<T>;

bool IsAny(const Command& c, std::initializer_list<std::size_t> kinds) {
    for (std::size_t k : kinds)
        if (c.index() == k) return true;
    return false;
}

// While a site is placed or an exit chosen, a click means only that; the
// view still moves and zooms.
bool ViewOnly(const Command& c) {
    return IsAny(c, {kIndex<cmd::Zoom>, kIndex<cmd::ScrollTo>, kIndex<cmd::ToggleView>, kIndex<cmd::Resize>,
                     kIndex<cmd::Disarm>});
}

Verdict ModeAllows(const Game& game, const Command& c) {
    const bool siteOrders = IsAny(c, {kIndex<cmd::MoveSite>, kIndex<cmd::ConfirmSite>, kIndex<cmd::CancelSite>});
    const bool exitOrders = IsAny(c, {kIndex<cmd::ChooseExit>, kIndex<cmd::CancelExitChoice>});
    const bool endTurn = c.index() == kIndex<cmd::EndTurn>;
    switch (game.ClickMode) {
        case kClickPlaceSite:
            if (siteOrders || ViewOnly(c)) return Verdict::Yes();
            return Verdict::No(endTurn ? "Сначала поставьте стройку или отмените её (правая кнопка, Esc)" : "");
        case kClickChooseExit:
            if (exitOrders || ViewOnly(c)) return Verdict::Yes();
            return Verdict::No(endTurn ? "Сначала укажите клетку для вывода или отмените выбор (правая кнопка, Esc)"
                                       : "");
        default: return siteOrders || exitOrders ? Verdict::No() : Verdict::Yes();
    }
}

// The match as it is now becomes the point undo goes back to.
void TakeUndoPoint(Game& game) {
    game.Undo = TUndoPoint{std::make_shared<const Match>(static_cast<const Match&>(game)), game.Log.Entries().size(),
                           game.Undo.Barrier};
}

}  // namespace

bool MatchStarted(const Game& game) {
    for (int p = 1; p <= game.Players.Count; ++p)
        if (game.Players.Table[p].Joined != 0 || game.Players.Table[p].BasePlaced != 0) return true;
    return false;
}

Verdict Check(const Game& game, const Order& order) {
    if (IsMatchCommand(order.command) && order.player != game.CurrentPlayer)
        return Verdict::No("Сейчас ход игрока " + std::to_string(game.CurrentPlayer));
    if (Verdict mode = ModeAllows(game, order.command); !mode.accepted) return mode;
    return std::visit([&](const auto& c) { return orders::CheckOrder(game, order.player, c); }, order.command);
}

Outcome Execute(Game& game, const Order& order, ExecuteMode mode) {
    Outcome out;
    if (Verdict verdict = Check(game, order); !verdict.accepted) {
        out.reason = std::move(verdict.reason);
        out.endTurnEnabled = EndTurnEnabled(game);
        return out;
    }
    out.accepted = true;
    const std::int32_t turn = game.Turn;
    const u8 player = game.CurrentPlayer;
    const bool undo = order.command.index() == kIndex<cmd::Undo>;
    // END TURN is never taken back: no copy of the match for it.
    const bool mayUndo = mode == ExecuteMode::Play && !undo && order.command.index() != kIndex<cmd::EndTurn>;
    if (IsMatchCommand(order.command) && mayUndo && MatchStarted(game) && !orders::UndoPointCurrent(game))
        TakeUndoPoint(game);
    const int siteBefore = game.LastCreatedObject, builderBefore = game.SiteBuilder;
    const auto sightBefore = game.Sight.Changes;
    std::visit([&](const auto& c) { orders::RunOrder(game, order.player, c, out); }, order.command);
    out.endTurnEnabled = EndTurnEnabled(game);
    // A handler refuses only what it found it cannot carry out, having changed nothing.
    if (!out.accepted || !IsMatchCommand(order.command)) return out;
    out.matchChanged = true;
    // Every rule follows the slots it changes; this catches any it missed
    // among the slots the order wrote, and the players then remember the
    // structures they see now. Before the match starts a new map may change
    // the map's size: sight is counted afresh.
    if (!MatchStarted(game)) {
        RebuildSight(game);
        RememberStructures(game);
    } else {
        FollowOrder(game, sightBefore, {siteBefore, builderBefore, game.LastCreatedObject, game.SiteBuilder});
    }
    if (MatchStarted(game) && !undo) game.Log.Append(turn, order);
    if (game.Turn != turn) game.Log.StartRound();
    // Nothing before an order that cannot be undone, nor before the turn
    // passed, is taken back.
    if (!out.barrier.empty() || game.Turn != turn || game.CurrentPlayer != player)
        game.Undo = TUndoPoint{nullptr, 0, out.barrier};
    // The minimap marks every player's objects: an order may have moved or made one.
    if (SeveralPlayers(game)) game.MinimapDirty = 1;
    return out;
}

}  // namespace tarq
