// A player's action as a value. Everything a player does to the game (buying
// the force, landing, stepping a unit, building, ending the turn) and every
// view action that the game file keeps is one of these small records; one
// executor (orders/Execute.h) checks and carries them out. Match commands
// change the match and go into its log; view commands change only what the
// player looks at and are never logged.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>
#include <variant>

namespace tarq::cmd {

using u8 = std::uint8_t;
using i16 = std::int16_t;
using i32 = std::int32_t;

// Every record lists its fields in Fields(), in the order of its encoding;
// all of them are integers.
#define TARQ_FIELDS(...)                            \
    auto Fields() { return std::tie(__VA_ARGS__); } \
    auto Fields() const { return std::tie(__VA_ARGS__); }
#define TARQ_NO_FIELDS \
    static std::tuple<> Fields() { return {}; }

// --- The new game, before the match starts (the first player sets these) ----
struct SetPlayerCount {
    u8 count = 1;
    TARQ_FIELDS(count)
};
struct SetStartGold {
    i32 gold = 0;
    TARQ_FIELDS(gold)
};
struct UseSectors {
    u8 on = 0;
    TARQ_FIELDS(on)
};  // "CheckBox2": landing sectors required
// The random map from the new-game page's controls and a seed: every
// random number of the generation follows from the seed. `byButton` 1 is the
// page's "Создать/Пересоздать карту" (the map counts as the page's); 0 is the
// start's own generation when no map was made.
struct GenerateMap {
    u8 sizeItem = 1, model = 1;
    i16 ismass = 400, landMass = 10, stripCount = 15, stripLength = 20, stripWidth = 10;
    i16 mountains = 40, stones = 80, deposits = 100;
    std::uint32_t seed = 0;
    u8 byButton = 1;
    TARQ_FIELDS(sizeItem, model, ismass, landMass, stripCount, stripLength, stripWidth, mountains, stones, deposits,
                seed, byButton)
};

// --- A player's setup, until their base lands -------------------------------
struct SetClan {
    u8 clan = 0;
    TARQ_FIELDS(clan)
};
struct SetRestrictions {
    u8 noStructures = 0, noAlienUnits = 0;
    TARQ_FIELDS(noStructures, noAlienUnits)
};
struct SetColour {
    u8 colour = 0;
    TARQ_FIELDS(colour)
};
struct ToggleSector {
    u8 sectorCol = 0, sectorRow = 0;
    TARQ_FIELDS(sectorCol, sectorRow)
};
struct BuyType {
    u8 type = 0;
    TARQ_FIELDS(type)
};
// "+" (more) or "-" on the cargo row of purchase list entry `entry`.
struct CargoStep {
    u8 entry = 0, more = 1;
    TARQ_FIELDS(entry, more)
};
// "Старт": the player joins the game on terrain set `terrainSet`.
struct Join {
    u8 terrainSet = 0;
    TARQ_FIELDS(terrainSet)
};

// --- Play ----------------------------------------------------------------------
struct LandBase {
    i16 col = 0, row = 0;
    TARQ_FIELDS(col, row)
};
// One step of `unit` toward the cell (col, row).
struct Step {
    i16 unit = 0, col = 0, row = 0;
    TARQ_FIELDS(unit, col, row)
};
struct StartConstruction {
    i16 builder = 0;
    u8 type = 0, turns = 0, material = 0;
    TARQ_FIELDS(builder, type, turns, material)
};
// The 2 x 2 site being placed moves toward cell (col, row).
struct MoveSite {
    i16 col = 0, row = 0;
    TARQ_FIELDS(col, row)
};
struct ConfirmSite {
    TARQ_NO_FIELDS
};
struct CancelSite {
    TARQ_NO_FIELDS
};
// A finished site's builder leaves it: to a cell the player chooses (choose
// 1), or to the first free one.
struct TakeOutBuilder {
    i16 site = 0;
    u8 choose = 0;
    TARQ_FIELDS(site, choose)
};
struct ChooseExit {
    i16 col = 0, row = 0;
    TARQ_FIELDS(col, row)
};
struct CancelExitChoice {
    TARQ_NO_FIELDS
};
struct CancelConstruction {
    i16 builder = 0;
    TARQ_FIELDS(builder)
};
struct DestroyStructure {
    i16 object = 0;
    TARQ_FIELDS(object)
};
struct EndTurn {
    TARQ_NO_FIELDS
};

// --- The view: never logged --------------------------------------------------
struct Select {
    i16 object = 0;
    TARQ_FIELDS(object)
};
// The second click: the command menu of `object`; a ready marker selects and opens at once.
struct OpenMenu {
    i16 object = 0;
    u8 readyMarker = 0;
    TARQ_FIELDS(object, readyMarker)
};
struct ShowCell {
    i16 col = 0, row = 0;
    TARQ_FIELDS(col, row)
};
struct ArmMove {
    TARQ_NO_FIELDS
};
struct Disarm {
    TARQ_NO_FIELDS
};
struct NextUnit {
    u8 backwards = 0;
    TARQ_FIELDS(backwards)
};
struct OpenSelectionMenu {
    TARQ_NO_FIELDS
};
struct Zoom {
    i16 position = 0;
    TARQ_FIELDS(position)
};
// The first visible column and row, as the scroll bars set them; an axis
// given as kKeep stays as it is.
struct ScrollTo {
    static constexpr i16 kKeep = -32768;
    i16 firstCol = kKeep, firstRow = kKeep;
    TARQ_FIELDS(firstCol, firstRow)
};
// A switch of the map page: geology, grid, connectors, or the seven map
// overlays from kFirstOverlay on, in MapOverlay's order.
struct ToggleView {
    static constexpr u8 kGeology = 0, kGrid = 1, kConnectors = 2, kFirstOverlay = 3;
    u8 which = 0;
    TARQ_FIELDS(which)
};
// The drawing surface's size in device pixels.
struct Resize {
    i16 width = 0, height = 0;
    TARQ_FIELDS(width, height)
};
// The view moved by whole cells, as the arrow keys move it.
struct ScrollBy {
    i16 cols = 0, rows = 0;
    TARQ_FIELDS(cols, rows)
};

// --- Paths and undo (after the view commands: numbers are kept) ----------------
// `unit` walks to (col, row) over as many turns as it takes.
struct SetPath {
    i16 unit = 0, col = 0, row = 0;
    TARQ_FIELDS(unit, col, row)
};
struct CancelPath {
    i16 unit = 0;
    TARQ_FIELDS(unit)
};
// Takes back the current player's last order of this turn.
struct Undo {
    TARQ_NO_FIELDS
};
// The view: the next map click plans a path for the selected unit.
struct ArmPath {
    TARQ_NO_FIELDS
};
// The view: the path the selected unit would take to (col, row), shown on
// the map until it is confirmed (SetPath) or cancelled (Disarm).
struct PreviewPath {
    i16 col = 0, row = 0;
    TARQ_FIELDS(col, row)
};
// --- Combat (match commands, after the view's in the numbering) ---------------
// `attacker` fires one shot at `target`.
struct Attack {
    i16 attacker = 0, target = 0;
    TARQ_FIELDS(attacker, target)
};
// A mine layer puts its mine on the neighbouring cell (col, row).
struct LayMine {
    i16 layer = 0, col = 0, row = 0;
    TARQ_FIELDS(layer, col, row)
};
// A mine layer takes away the enemy mine `mine` on a neighbouring cell.
struct ClearMine {
    i16 layer = 0, mine = 0;
    TARQ_FIELDS(layer, mine)
};
// The view: the next click on the map fires the selected object at what it hits.
struct ArmAttack {
    TARQ_NO_FIELDS
};
// --- Commands added later (match commands again) ------------------------------
// "Туман войны": each player sees only what their objects see (before the match starts).
struct UseFog {
    u8 on = 1;
    TARQ_FIELDS(on)
};
// --- The economy (match commands, after the view's for their numbers) -------
// A carrier takes material from the network of the adjacent structure `source`.
struct LoadCargo {
    i16 carrier = 0, source = 0;
    TARQ_FIELDS(carrier, source)
};
// A carrier gives its material to the adjacent builder, factory or networked structure `target`.
struct UnloadCargo {
    i16 carrier = 0, target = 0;
    TARQ_FIELDS(carrier, target)
};
// `by` (a repairer, or a depot, dock or hangar) restores the hits of the adjacent `target`.
struct Repair {
    i16 by = 0, target = 0;
    TARQ_FIELDS(by, target)
};
// `by` (a supply truck, or a depot, dock or hangar) refills the ammunition of the adjacent `target`.
struct Reload {
    i16 by = 0, target = 0;
    TARQ_FIELDS(by, target)
};
// A reinforcement of `type` bought with credits during play; it lands at the start of the next turn.
struct BuyReinforcement {
    u8 type = 0;
    TARQ_FIELDS(type)
};

#undef TARQ_FIELDS
#undef TARQ_NO_FIELDS

// Two commands of one kind are equal when their fields are.
template <typename T>
requires requires(const T& t) { t.Fields(); }
bool operator==(const T& a, const T& b) { return a.Fields() == b.Fields(); }

}  // namespace tarq::cmd

namespace tarq {

// The order of the alternatives is the command's number in files and logs:
// new commands are added at the end.
using Command =
    std::variant<cmd::SetPlayerCount, cmd::SetStartGold, cmd::UseSectors, cmd::GenerateMap, cmd::SetClan,
                 cmd::SetRestrictions, cmd::SetColour, cmd::ToggleSector, cmd::BuyType, cmd::CargoStep, cmd::Join,
                 cmd::LandBase, cmd::Step, cmd::StartConstruction, cmd::MoveSite, cmd::ConfirmSite, cmd::CancelSite,
                 cmd::TakeOutBuilder, cmd::ChooseExit, cmd::CancelExitChoice, cmd::CancelConstruction,
                 cmd::DestroyStructure, cmd::EndTurn, cmd::Select, cmd::OpenMenu, cmd::ShowCell, cmd::ArmMove,
                 cmd::Disarm, cmd::NextUnit, cmd::OpenSelectionMenu, cmd::Zoom, cmd::ScrollTo, cmd::ToggleView,
                 cmd::Resize, cmd::ScrollBy, cmd::SetPath, cmd::CancelPath, cmd::Undo, cmd::ArmPath, cmd::PreviewPath,
                 cmd::Attack, cmd::LayMine, cmd::ClearMine, cmd::ArmAttack, cmd::UseFog, cmd::LoadCargo,
                 cmd::UnloadCargo, cmd::Repair, cmd::Reload, cmd::BuyReinforcement>;

namespace detail {
template <typename T, typename... Ts>
constexpr std::size_t IndexIn(const std::variant<Ts...>*) {
    constexpr bool same[] = {std::is_same_v<T, Ts>...};
    for (std::size_t i = 0; i < sizeof...(Ts); ++i)
        if (same[i]) return i;
    return sizeof...(Ts);
}
}  // namespace detail

// The number of command kind T.
template <typename T>
constexpr std::size_t kCommandIndex = detail::IndexIn<T>(static_cast<const Command*>(nullptr));

// Everything before the first view command changes the match, and so do the
// commands added after the view commands, but for the view's own.
constexpr bool IsMatchCommand(const Command& c) {
    if (c.index() < kCommandIndex<cmd::Select>) return true;
    return c.index() > kCommandIndex<cmd::ScrollBy> && c.index() != kCommandIndex<cmd::ArmPath> &&
           c.index() != kCommandIndex<cmd::PreviewPath> && c.index() != kCommandIndex<cmd::ArmAttack>;
}

// A command and the player who gives it.
struct Order {
    std::uint8_t player = 0;
    Command command;
    bool operator==(const Order&) const = default;
};

}  // namespace tarq
