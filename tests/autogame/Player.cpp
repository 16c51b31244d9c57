#include "Player.h"

#include <limits>
#include <sstream>
#include <utility>
#include <vector>

#include "control/BasePlacement.h"
#include "control/ClickOrders.h"
#include "control/CombatRules.h"
#include "core/CommandCodec.h"
#include "core/World.h"
#include "world/LandingSectors.h"
#include "world/MapParameters.h"

namespace tarq::autogame {

namespace {

template <typename... T>
std::string Text(const T&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

constexpr int kGold[] = {0, 50, 100, 150, 200, 250, 300, 400, 500, 600, 700, 800, 900};

std::string Said(const Outcome& out) {
    if (out.accepted) return "";
    return out.reason.empty() ? " (refused)" : " (refused: " + out.reason + ")";
}

// How much the player likes each kind of menu leaf. Finishing what was
// started appeals more than abandoning it, so constructions run their course.
int Appeal(const MenuItem& item) {
    if (item.action != MenuAction::Submit) return 1;
    switch (item.order.command.index()) {
        case kCommandIndex<cmd::StartConstruction>: return 8;
        case kCommandIndex<cmd::TakeOutBuilder>: return 20;
        case kCommandIndex<cmd::CancelConstruction>: return 1;
        default: return 4;
    }
}

// The leaves a player can reach: visible and enabled, under visible and enabled submenus.
void CollectLeaves(const MenuItem& item, std::vector<const MenuItem*>& leaves) {
    if (!item.visible || !item.enabled) return;
    if (item.children.empty()) leaves.push_back(&item);
    for (const MenuItem& child : item.children) CollectLeaves(child, leaves);
}

i16 I16(int value) { return static_cast<i16>(value); }
u8 U8(int value) { return static_cast<u8>(value); }

}  // namespace

Player::Player(std::uint64_t seed, int players) : rng_(seed), players_(players) { NewGame(); }

// A new game's first choice is its number of players; several always claim sectors.
void Player::NewGame() {
    if (driver_) pastEvents_ = Events();
    driver_ = std::make_unique<Driver>([this] { return static_cast<std::uint32_t>(rng_()); });
    ++games_;
    setupLeft_ = Between(0, 60);
    gameLeft_ = Between(300, 4000);
    wasOnMap_ = false;
    const int players = players_ > 0 ? players_ : Between(1, 3);
    driver_->Submit(cmd::SetPlayerCount{U8(players)});
    if (players > 1) driver_->Submit(cmd::UseSectors{1});
}

void Player::OpenGame(std::uint64_t seed, std::unique_ptr<Game> game) {
    rng_.seed(seed);
    driver_->OpenGame(std::move(game), 400, 300);
    gameLeft_ = std::numeric_limits<int>::max();
}

std::map<std::string, long> Player::Events() const {
    std::map<std::string, long> all = pastEvents_;
    for (const auto& [kind, count] : driver_->events) all[kind] += count;
    return all;
}

std::string Player::TakeTrouble() {
    std::string found = std::exchange(trouble_, {});
    if (std::string more = driver_->TakeTrouble(); !more.empty()) found += (found.empty() ? "" : "; ") + more;
    return found;
}

std::string Player::Step() {
    if (--gameLeft_ < 0) {
        NewGame();
        return Text("new game ", games_, " of ", int{driver_->game().Players.Count}, " players");
    }
    const Driver& d = *driver_;
    // A player who leaves the map for the new-game page sets up before their start.
    if (wasOnMap_ && !d.onMap()) setupLeft_ = Between(0, 20);
    wasOnMap_ = d.onMap();
    if (Chance(2)) return Stray();
    if (!d.onMap()) return setupLeft_-- > 0 ? SetupAction() : StartAction();
    if (d.menu) return MenuAction();
    return MapAction();
}

// --- The new-game page: the first player's new game, or a joining player's choices ---

std::string Player::SetupAction() {
    Driver& d = *driver_;
    const Game& g = d.game();
    switch (Below(16)) {
        case 0: {
            const u8 size = U8(Below(3)), model = U8(Below(2));
            const cmd::GenerateMap order{size,
                                         model,
                                         I16(Between(kIsmassRange.min, kIsmassRange.max)),
                                         I16(Between(kLandMassRange.min, kLandMassRange.max)),
                                         I16(Between(kStripCountRange.min, kStripCountRange.max)),
                                         I16(Between(kStripLengthRange.min, kStripLengthRange.max)),
                                         I16(Between(kStripWidthRange.min, kStripWidthRange.max)),
                                         I16(Between(kMountainsRange.min, kMountainsRange.max)),
                                         I16(Between(kStonesRange.min, kStonesRange.max)),
                                         I16(Between(kDepositsRange.min, kDepositsRange.max)),
                                         d.Seed(),
                                         1};
            return Text("generate: size item ", int{size}, ", model ", int{model}, Said(d.Submit(order)));
        }
        case 1:
        case 2: {
            const u8 sx = U8(Below(kSectorGrid)), sy = U8(Below(kSectorGrid));
            return Text("sector (", int{sx}, ", ", int{sy}, ")", Said(d.Submit(cmd::ToggleSector{sx, sy})));
        }
        case 3: return ClaimSectors();
        case 4: {
            if (Chance(50)) {
                const u8 fog = U8(g.Sight.On == 0 ? 1 : 0);
                return Text("fog of war ", int{fog}, Said(d.Submit(cmd::UseFog{fog})));
            }
            const u8 on = U8(g.UseLandingSectors == 0 ? 1 : 0);
            return Text("landing sectors ", int{on}, Said(d.Submit(cmd::UseSectors{on})));
        }
        case 5: {
            const u8 clan = U8(Below(8));  // 7 names no clan
            return Text("clan ", int{clan}, Said(d.Submit(cmd::SetClan{clan})));
        }
        case 6: {
            const int gold = kGold[Below(13)];
            return Text("start gold ", gold, Said(d.Submit(cmd::SetStartGold{gold})));
        }
        case 7: {
            const u8 noStructures = U8(Below(2)), noAliens = U8(Below(2));
            return Text("restrictions ", int{noStructures}, " ", int{noAliens},
                        Said(d.Submit(cmd::SetRestrictions{noStructures, noAliens})));
        }
        case 8:
        case 9:
        case 10: {
            // Half the time what the economy needs: a landing module for
            // reinforcements, carriers, a repairer, storages, power.
            constexpr u8 kEconomy[] = {60, 60, 11, 15, 27, 55, 56, 40, 44, 51};
            const u8 type = Chance(50) ? kEconomy[Below(10)] : U8(Between(0, kDefinedTypes));
            return Text("buy type ", int{type}, Said(d.Submit(cmd::BuyType{type})));
        }
        case 11:
        case 12:
        case 13: {
            const u8 entry = U8(Below(8)), more = U8(Chance(70) ? 1 : 0);
            return Text("cargo ", more != 0 ? "+" : "-", " of entry ", int{entry},
                        Said(d.Submit(cmd::CargoStep{entry, more})));
        }
        case 14: {
            const u8 colour = U8(Below(kTeamColourCount));
            return Text("colour ", int{colour}, Said(d.Submit(cmd::SetColour{colour})));
        }
        default:
            if (Chance(10)) return SaveAndLoadNow("on the new-game page");
            return Ticks();
    }
}

// A block of free sectors, as a player marks their corner of the map.
std::string Player::ClaimSectors() {
    const int sx = Below(kSectorGrid), sy = Below(kSectorGrid), side = Between(1, 4);
    int claimed = 0;
    for (int x = sx; x < sx + side && x < kSectorGrid; ++x)
        for (int y = sy; y < sy + side && y < kSectorGrid; ++y)
            if (driver_->game().World.LandingSectors[x][y] == kSectorFree)
                claimed += driver_->Submit(cmd::ToggleSector{U8(x), U8(y)}).accepted ? 1 : 0;
    return Text("claim ", claimed, " sectors from (", sx, ", ", sy, ")");
}

// "Старт": the start's own map when none was made, then the join. A refused
// start sends the player back to their choices, often to mark sectors.
std::string Player::StartAction() {
    Driver& d = *driver_;
    if (d.game().MapGenerated == 0 && !d.matchStarted()) {
        const MapControls m;
        d.Submit(cmd::GenerateMap{U8(Below(3)), U8(m.model), I16(m.ismass), I16(m.landMass), I16(m.stripCount),
                                  I16(m.stripLength), I16(m.stripWidth), I16(m.mountains), I16(m.stones),
                                  I16(m.deposits), d.Seed(), 0});
    }
    if (!d.onMap() && d.matchStarted() == false) d.Resize(Between(200, 1400), Between(150, 1000));
    const Outcome out = d.Submit(cmd::Join{0});
    if (out.accepted) return Text("start on a ", d.surfaceWidth(), " x ", d.surfaceHeight(), " surface");
    setupLeft_ = Between(0, 5);
    if (Chance(60)) ClaimSectors();
    return "start" + Said(out);
}

// --- The command menu ------------------------------------------------------------------

std::string Player::MenuAction() {
    Driver& d = *driver_;
    std::vector<const MenuItem*> leaves;
    for (const MenuItem& item : *d.menu) CollectLeaves(item, leaves);
    int total = 0;
    for (const MenuItem* leaf : leaves) total += Appeal(*leaf);
    const int r = Below(10);
    if (r == 0 || leaves.empty()) {
        d.menu.reset();
        return "menu dismissed";
    }
    if (r == 1) return Ticks() + " with the menu open";
    int pick = Below(total);
    std::size_t k = 0;
    while ((pick -= Appeal(*leaves[k])) >= 0) ++k;
    const MenuItem item = *leaves[k];
    if (item.action != MenuAction::Submit) {
        d.menu.reset();
        return Text("menu: '", item.caption, "'");
    }
    return Text("menu: '", item.caption, "' ", OrderText(item.order), Said(d.Submit(item.order)));
}

// --- The map -------------------------------------------------------------------------------

// The first own object that can fire and reaches an enemy, from a random
// slot on, fires at the lowest such enemy.
std::string Player::Attack() {
    Driver& d = *driver_;
    const Game& g = d.game();
    const int start = Between(1, kMaxObjects);
    for (int k = 0; k < kMaxObjects; ++k) {
        const int a = (start + k - 1) % kMaxObjects + 1;
        if (g.Object(a).Owner != g.CurrentPlayer || !CanFire(g, a)) continue;
        for (int t = 1; t <= kMaxObjects; ++t) {
            if (!Reaches(g, a, t) || g.Object(t).Owner == g.CurrentPlayer) continue;
            return Text("attack ", a, " at ", t, Said(d.Submit(cmd::Attack{I16(a), I16(t)})));
        }
    }
    return Advance(start);
}

// No enemy in reach: an own armed unit that can move steps toward the
// nearest enemy object, so that the sides meet.
std::string Player::Advance(int start) {
    Driver& d = *driver_;
    const Game& g = d.game();
    for (int k = 0; k < kMaxObjects; ++k) {
        const int a = (start + k - 1) % kMaxObjects + 1;
        const TGameObject& u = g.Object(a);
        if (u.Owner != g.CurrentPlayer || u.MovesLeft == 0 || u.OrderState != 0 || !Armed(u.Stats)) continue;
        int best = 0, bestDistance = std::numeric_limits<int>::max();
        for (int t = 1; t <= kMaxObjects; ++t) {
            const TGameObject& o = g.Object(t);
            if (o.Owner == 0 || o.Owner == g.CurrentPlayer) continue;
            const int dc = o.Cells[1].col - u.Cells[1].col, dr = o.Cells[1].row - u.Cells[1].row;
            if (dc * dc + dr * dr < bestDistance) best = t, bestDistance = dc * dc + dr * dr;
        }
        if (best == 0) return "no enemy";
        const TCellPos to = g.Object(best).Cells[1];
        return Text("advance ", a, " toward ", best, Said(d.Submit(cmd::Step{I16(a), to.col, to.row})));
    }
    return "no unit to advance";
}

std::string Player::MapAction() {
    Driver& d = *driver_;
    // Saving in the middle of an order: the file must bring back the site or
    // the exit choice too.
    if (d.game().ClickMode != kClickNormal && Chance(5)) return SaveAndLoadNow("while placing or taking out");
    const int r = Below(100);
    if (r < 38) {
        int col = 0, row = 0;
        PickCell(col, row);
        return ClickCell(col, row);
    }
    if (r < 42) return PathClicks();
    if (r < 44) return Text("undo", Said(d.Submit(cmd::Undo{})));
    if (r < 48) return RightPress();
    if (r < 56) return MovePointer();
    if (r < 64) return Text("END TURN", Said(d.Submit(cmd::EndTurn{})));
    if (r < 74) return Attack();
    if (r < 76) return Ticks();
    if (r < 78) {
        // Reinforcements for the credits, mostly of the types the shop offers.
        const u8 type = U8(Chance(80) ? Between(1, 37) : Between(0, kTypeCount + 1));
        return Text("buy reinforcement ", int{type}, Said(d.Submit(cmd::BuyReinforcement{type})));
    }
    if (r < 97) return ViewAction();
    if (r < 98) return SaveAndLoadNow("on the map");
    const int width = Between(200, 1400), height = Between(150, 1000);
    d.Resize(width, height);
    return Text("resize to ", width, " x ", height);
}

void Player::PickCell(int& col, int& row) {
    const Game& g = driver_->game();
    const int width = g.World.MapWidth, height = g.World.MapHeight;
    const int r = Below(100);
    if (CurrentPlayerEntry(g).BasePlaced == 0 && r < 70) {
        for (int tries = 0; tries < 200; ++tries) {
            col = Between(1, width), row = Between(1, height);
            if (BaseCellAccepted(g, col, row)) return;
        }
    }
    if (g.ClickMode == kClickChooseExit && r < 60) {
        const TCellPos exit = g.ExitCandidates[static_cast<std::size_t>(Below(kExitSlots))][1];
        col = exit.col, row = exit.row;
        if (exit.col != 0) return;
    }
    const int selected = g.SelectedObject;
    if (r < 30 && selected >= 1 && selected <= kMaxObjects && SlotInUse(g.Object(selected))) {
        const TCellPos at = g.Object(selected).Cells[Between(1, 4)];
        col = at.col + (Chance(40) ? 0 : Between(-2, 2));
        row = at.row + (Chance(40) ? 0 : Between(-2, 2));
        return;
    }
    if (r < 65) {
        for (int slot = Between(1, kMaxObjects), n = 0; n < kMaxObjects; ++n, slot = slot % kMaxObjects + 1) {
            if (!SlotInUse(g.Object(slot))) continue;
            const TCellPos at = g.Object(slot).Cells[Between(1, 4)];
            col = at.col, row = at.row;
            return;
        }
    }
    col = Between(-2, width + 3);
    row = Between(-2, height + 3);
}

// What a left click on the cell means now, as the window asks the engine.
std::string Player::ClickCell(int col, int row) {
    const std::optional<Order> order = InterpretClick(driver_->game(), col, row);
    if (!order) return Text("click off the map at (", col, ", ", row, ")");
    return Text("click (", col, ", ", row, "): ", OrderText(*order), Said(driver_->Submit(*order)));
}

// Shift+click on a cell some way off the selection, mostly twice: the path
// shown, then ordered.
std::string Player::PathClicks() {
    const Game& g = driver_->game();
    int col = 0, row = 0;
    PickCell(col, row);
    if (Chance(70)) col += Between(-12, 12), row += Between(-12, 12);
    std::string said;
    for (int click = Chance(80) ? 2 : 1; click > 0; --click) {
        const std::optional<Order> order = InterpretPathClick(g, col, row);
        if (!order) return Text("shift+click (", col, ", ", row, "): nothing", said);
        said += Text(" ", OrderText(*order), Said(driver_->Submit(*order)));
    }
    return Text("shift+click (", col, ", ", row, "):", said);
}

std::string Player::RightPress() {
    const Order order = InterpretRightPress(driver_->game());
    return Text("right press: ", OrderText(order), Said(driver_->Submit(order)));
}

// The pointer over a few cells; while a site is placed, mostly around its builder.
std::string Player::MovePointer() {
    const int moves = Between(1, 5);
    int followed = 0;
    for (int i = 0; i < moves; ++i) {
        const Game& g = driver_->game();
        int col = 0, row = 0;
        if (g.ClickMode == kClickPlaceSite && Chance(80))
            col = g.SiteBuilderCol + Between(-2, 2), row = g.SiteBuilderRow + Between(-2, 2);
        else
            PickCell(col, row);
        if (const std::optional<Order> order = InterpretHover(g, col, row))
            followed += driver_->Submit(*order).accepted ? 1 : 0;
    }
    return Text(moves, " pointer moves, the site followed ", followed);
}

std::string Player::ViewAction() {
    Driver& d = *driver_;
    const Game& g = d.game();
    Command command;
    switch (Below(8)) {
        case 0: command = cmd::Zoom{I16(Between(kScaleMin - 2, kScaleMax + 2))}; break;
        case 1:
            command = cmd::ScrollTo{Chance(30) ? cmd::ScrollTo::kKeep : I16(Between(-1, g.World.MapWidth + 1)),
                                    Chance(30) ? cmd::ScrollTo::kKeep : I16(Between(-1, g.World.MapHeight + 1))};
            break;
        case 2: command = cmd::ScrollBy{I16(Between(-20, 20)), I16(Between(-20, 20))}; break;
        case 3: command = cmd::ToggleView{U8(Below(cmd::ToggleView::kFirstOverlay + kMapOverlays))}; break;
        case 4:
        case 5: command = cmd::NextUnit{U8(Below(2))}; break;
        case 6: command = cmd::OpenSelectionMenu{}; break;
        default: command = cmd::Disarm{}; break;
    }
    const Order order = Mine(command);
    return Text(OrderText(order), Said(d.Submit(order)));
}

std::string Player::Ticks() {
    const int ticks = Between(1, 8);
    for (int i = 0; i < ticks; ++i) driver_->Tick(Between(0, 60));
    return Text(ticks, " drawing ticks");
}

// Any order at all: another player's, a field out of range, a kind out of
// place. It is taken only where the rules allow it.
std::string Player::Stray() {
    std::vector<std::uint8_t> bytes = {U8(Between(0, 4)), U8(Below(static_cast<int>(std::variant_size_v<Command>)))};
    for (int i = 0; i < 24; ++i) bytes.push_back(U8(Chance(50) ? Below(4) : Below(256)));
    std::size_t at = 0;
    Order order;
    if (!DecodeOrder(bytes.data(), bytes.size(), at, order) || std::holds_alternative<cmd::Resize>(order.command))
        return "no stray order";
    return Text("stray ", OrderText(order), Said(driver_->Submit(order)));
}

std::string Player::SaveAndLoadNow(const char* when) {
    trouble_ = driver_->SaveAndLoad();
    return Text("saved and loaded ", when);
}

}  // namespace tarq::autogame
