// The rules of play on the map: landing, stepping, constructions, destroying
// and the end of the turn.
#include <algorithm>

#include "control/BasePlacement.h"
#include "control/Construction.h"
#include "control/EndTurn.h"
#include "control/MapClick.h"
#include "control/PathOrders.h"
#include "control/SitePreview.h"
#include "control/TurnPhases.h"
#include "control/UnitMoves.h"
#include "core/Catalogue.h"
#include "core/Factory.h"
#include "core/World.h"
#include "orders/Combat.h"
#include "orders/OrderRules.h"

namespace tarq::orders {

namespace {

bool BaseLanded(const Game& game) { return CurrentPlayerEntry(game).BasePlaced == 1; }

Verdict NeedsOwn(const Game& game, u8 player, int slot) {
    return OwnObject(game, player, slot) ? Verdict::Yes() : Verdict::No();
}

// The engine's result as the outcome: its messages are warnings, and an
// order the engine did not carry out is refused (it changed nothing).
void Apply(const ConstructionResult& result, Outcome& out) {
    for (const std::string& text : result.messages) out.messages.push_back({text, MessageWeight::Warning});
    out.selectionChanged = out.selectionChanged || result.selectionChanged;
    out.accepted = result.acted;
}

BuildOrder Decoded(const cmd::StartConstruction& c) { return {c.type, c.turns, c.material}; }

}  // namespace

// --- Landing ------------------------------------------------------------------

Verdict CheckOrder(const Game& game, u8, const cmd::LandBase& c) {
    if (BaseLanded(game)) return Verdict::No();
    if (!game.InMap(c.col, c.row)) return Verdict::No();
    if (!BaseCellAccepted(game, c.col, c.row))
        return Verdict::No("Высадка возможна только на равнину в ваших секторах");
    return Verdict::Yes();
}

// The force lands; the zoom goes to 100 and the view centres on the cell. A
// landing of several players that finds no room for the whole force is
// refused with the reason, as a message the player must read.
void RunOrder(Game& game, u8, const cmd::LandBase& c, Outcome& out) {
    if (LandingResult landing = PlaceInitialForce(game, c.col, c.row); !landing) {
        out.accepted = false;
        if (!landing.refusal.empty()) out.messages.push_back({std::move(landing.refusal), MessageWeight::Warning});
        return;
    }
    if (game.ViewSettings.Scale != kBaseZoom && game.SurfaceWidth > 0)
        out.zoomTo = SScaleChange(game, kBaseZoom, game.SurfaceWidth, game.SurfaceHeight);
    CentreViewOnBase(game, c.col, c.row);
    out.viewChanged = true;
    out.barrier = "база уже высажена";
    out.events.push_back({EventKind::BaseLanded, 0, c.col, c.row, 0, 0});
}

// --- Steps --------------------------------------------------------------------

// Units step; a structure never does, whatever moves a file gave it.
Verdict CheckOrder(const Game& game, u8 player, const cmd::Step& c) {
    if (!BaseLanded(game) || !OwnObject(game, player, c.unit)) return Verdict::No();
    const TGameObject& u = game.Object(c.unit);
    if (u.TypeId < 1 || u.TypeId > kTypeCount || game.UnitTypes[u.TypeId].Category == 0) return Verdict::No();
    const auto refused = [&](const char* why) { return Verdict::No(TypeName(game, u.TypeId) + why); };
    if (u.OrderState != 0) return refused(" занят стройкой");
    if (u.MovesLeft == 0) return refused(": ходов больше нет");
    const TFootprint to = StepTarget(u, c.col, c.row);
    if (to[1] == u.Cells[1]) return Verdict::No();
    if (CanPlace(game, to, u.Stats.Movement) == 0) return refused(": туда не пройти");
    return Verdict::Yes();
}

// The check above holds everything StepToward would test again.
// A plain step takes over from the unit's path order.
void RunOrder(Game& game, u8, const cmd::Step& c, Outcome& out) {
    DropPathOrder(game, c.unit);
    MakeStep(game, c.unit, c.col, c.row);
    const TCellPos at = game.Object(c.unit).Cells[1];
    out.memo = ShowObjectInfo(game, c.unit, ShownInfo(game));
    out.events.push_back({EventKind::Moved, c.unit, at.col, at.row, game.Object(c.unit).TypeId, 0});
    // A mine on the cell and the enemies that kept their shots answer the step.
    AfterStep(game, c.unit, out);
    if (!LiveSlot(game, c.unit)) out.memo = std::vector<InfoLine>{};
}

// --- Constructions ---------------------------------------------------------------

Verdict CheckOrder(const Game& game, u8 player, const cmd::StartConstruction& c) {
    if (!NeedsOwn(game, player, c.builder).accepted) return Verdict::No();
    if (std::string why = BuildOrderRefusal(game, c.builder, Decoded(c)); !why.empty()) return Verdict::No(why);
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::StartConstruction& c, Outcome& out) {
    const ConstructionResult result = StartConstruction(game, c.builder, Decoded(c));
    Apply(result, out);
    if (result.acted) {
        DropPathOrder(game, c.builder);
        out.events.push_back({EventKind::ConstructionStarted, c.builder, 0, 0, c.type, 0});
    }
}

// A block taken by something the fog hides is refused aloud: the player
// learns only that the place is taken.
Verdict CheckOrder(const Game& game, u8, const cmd::MoveSite& c) {
    if (!SiteWouldMove(game, c.col, c.row)) return Verdict::No();
    if (SiteBlockedByHidden(game, c.col, c.row)) return Verdict::No("место занято");
    return Verdict::Yes();
}
// A block the site may not take leaves it where it is: nothing to log.
void RunOrder(Game& game, u8, const cmd::MoveSite& c, Outcome& out) {
    const TFootprint before = game.Object(game.LastCreatedObject).Cells;
    MoveSiteToward(game, c.col, c.row);
    out.accepted = game.Object(game.LastCreatedObject).Cells != before;
}

Verdict CheckOrder(const Game&, u8, const cmd::ConfirmSite&) { return Verdict::Yes(); }
void RunOrder(Game& game, u8, const cmd::ConfirmSite&, Outcome& out) { Apply(ConfirmSite(game), out); }

Verdict CheckOrder(const Game&, u8, const cmd::CancelSite&) { return Verdict::Yes(); }
void RunOrder(Game& game, u8, const cmd::CancelSite&, Outcome& out) {
    Apply(CancelSite(game), out);
    game.MoveArmed = 0;
    out.updateCursor = true;
    out.memo = ShowObjectInfo(game, game.SelectedObject, ShownInfo(game));
}

// A finished site of the player's, whose builder is theirs too.
Verdict CheckOrder(const Game& game, u8 player, const cmd::TakeOutBuilder& c) {
    if (!OwnObject(game, player, c.site)) return Verdict::No();
    const TGameObject& s = game.Object(c.site);
    if (s.OrderState != 2 || !OwnObject(game, player, s.BuildLink)) return Verdict::No();
    const TGameObject& b = game.Object(s.BuildLink);
    if (b.OrderState != 1 || b.SiteObject != c.site) return Verdict::No();
    if (b.TurnsLeft != 0) return Verdict::No(TypeName(game, s.TypeId) + " ещё строится");
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::TakeOutBuilder& c, Outcome& out) {
    const int type = game.Object(c.site).TypeId;
    const ConstructionResult result = TakeOutBuilder(game, c.choose != 0 ? c.site : -c.site);
    Apply(result, out);
    if (c.choose == 0 && result.acted && result.messages.empty()) {
        out.events.push_back({EventKind::ConstructionFinished, c.site, 0, 0, static_cast<i16>(type), 0});
        out.barrier = "стройка завершена";
    }
}

Verdict CheckOrder(const Game& game, u8, const cmd::ChooseExit& c) {
    const TCellPos cell{c.col, c.row};
    const bool candidate = std::any_of(game.ExitCandidates.begin(), game.ExitCandidates.end(),
                                       [cell](const TFootprint& f) { return f[1] == cell; });
    return game.InMap(c.col, c.row) && candidate ? Verdict::Yes() : Verdict::No();
}

void RunOrder(Game& game, u8, const cmd::ChooseExit& c, Outcome& out) {
    const int site = game.LastCreatedObject;
    const int type = LiveSlot(game, site) ? game.Object(site).TypeId : 0;
    const ConstructionResult result = ChooseExitCell(game, c.col, c.row);
    Apply(result, out);
    if (result.acted && result.messages.empty()) {
        out.events.push_back(
            {EventKind::ConstructionFinished, static_cast<i16>(site), c.col, c.row, static_cast<i16>(type), 0});
        out.barrier = "стройка завершена";
    }
}

Verdict CheckOrder(const Game&, u8, const cmd::CancelExitChoice&) { return Verdict::Yes(); }
void RunOrder(Game& game, u8, const cmd::CancelExitChoice&, Outcome& out) {
    Apply(CancelExitChoice(game), out);
    game.MoveArmed = 0;
    out.updateCursor = true;
}

Verdict CheckOrder(const Game& game, u8 player, const cmd::CancelConstruction& c) {
    if (!OwnObject(game, player, c.builder) || game.Object(c.builder).OrderState != 1) return Verdict::No();
    return Verdict::Yes();
}
void RunOrder(Game& game, u8, const cmd::CancelConstruction& c, Outcome& out) {
    Apply(CancelConstruction(game, c.builder), out);
}

// Structures only, and not while they build or are being built.
Verdict CheckOrder(const Game& game, u8 player, const cmd::DestroyStructure& c) {
    if (!OwnObject(game, player, c.object)) return Verdict::No();
    const TGameObject& o = game.Object(c.object);
    if (game.UnitTypes[o.TypeId].Category != 0 || o.OrderState != 0) return Verdict::No();
    return Verdict::Yes();
}

void RunOrder(Game& game, u8, const cmd::DestroyStructure& c, Outcome& out) {
    const TGameObject o = game.Object(c.object);
    if (!DestroyStructure(game, c.object)) {
        out.accepted = false;
        return;
    }
    out.events.push_back({EventKind::Released, c.object, o.Cells[1].col, o.Cells[1].row, o.TypeId, 0});
    out.selectionChanged = true;
    out.memo = std::vector<InfoLine>{};
    out.barrier = "сооружение взорвано";
}

// --- The end of the turn ---------------------------------------------------------

Verdict CheckOrder(const Game&, u8, const cmd::EndTurn&) { return Verdict::Yes(); }

void RunOrder(Game& game, u8 player, const cmd::EndTurn&, Outcome& out) {
    EndTurn(game);
    BeginTurn(game, player);
    out.selectionChanged = true;
    out.viewChanged = true;
    out.events.push_back({EventKind::TurnEnded, 0, 0, 0, 0, game.CurrentPlayer});
}

}  // namespace tarq::orders
