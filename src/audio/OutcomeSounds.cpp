#include "audio/OutcomeSounds.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <type_traits>

namespace tarq {

namespace {

// The answer to the order itself, heard wherever the player looks.
std::optional<Sound> AnswerTo(const Command& command, const Outcome& out) {
    return std::visit(
        [&out](const auto& c) -> std::optional<Sound> {
            using C = std::decay_t<decltype(c)>;
            // What a click on a unit or the "next" button does: a new selection.
            if constexpr (std::is_same_v<C, cmd::Select> || std::is_same_v<C, cmd::OpenMenu> ||
                          std::is_same_v<C, cmd::NextUnit>) {
                if (out.selectionChanged) return Sound::UnitSelected;
                if constexpr (std::is_same_v<C, cmd::NextUnit>) return Sound::ButtonClick;
                return std::nullopt;
            }
            // The map page's switches.
            if constexpr (std::is_same_v<C, cmd::ToggleView>) return Sound::ButtonClick;
            // A large structure's site put down where the player clicked: its
            // construction starts now (the order carries no event of its own).
            if constexpr (std::is_same_v<C, cmd::ConfirmSite>) return Sound::ConstructionStarted;
            // The orders a unit or the command menu gives; a construction
            // started sounds its own sound instead (its event).
            if constexpr (std::is_same_v<C, cmd::Step> || std::is_same_v<C, cmd::LandBase> ||
                          std::is_same_v<C, cmd::TakeOutBuilder> || std::is_same_v<C, cmd::ChooseExit> ||
                          std::is_same_v<C, cmd::CancelConstruction> || std::is_same_v<C, cmd::DestroyStructure> ||
                          std::is_same_v<C, cmd::ArmMove> || std::is_same_v<C, cmd::StartConstruction>)
                return Sound::OrderTaken;
            // The view's own moves (zoom, scroll, resize, the site following
            // the pointer) and the setup pages' choices are silent.
            return std::nullopt;
        },
        command);
}

// The sound of one event and whether it lies on the map (its volume by
// distance) or is the game's (full volume).
struct EventSound {
    Sound sound;
    bool onMap;
};

// A shot sounds its attacker's weapon; a mine's shot is the mine going off.
Sound ShotOf(const GameEvent& e, const SoundView& view) {
    if (e.value == static_cast<int>(ShotKind::Mine)) return Sound::Mine;
    const WeaponClass weapon = view.game ? WeaponClassOf(*view.game, e.attackerType) : WeaponClass::Cannon;
    return ShotSound(weapon).value_or(Sound::ShotCannon);
}

std::optional<EventSound> SoundOf(const GameEvent& e, const SoundView& view) {
    switch (e.kind) {
        case EventKind::ConstructionStarted: return EventSound{Sound::ConstructionStarted, true};
        case EventKind::ConstructionFinished: return EventSound{Sound::ConstructionFinished, true};
        case EventKind::TurnEnded: return EventSound{Sound::EndTurn, false};
        case EventKind::Shot: return EventSound{ShotOf(e, view), true};
        case EventKind::Hit: return EventSound{Sound::Hit, true};
        // A structure goes up with the large explosion, a unit with the small.
        case EventKind::Exploded:
            return EventSound{view.game && e.type >= 1 && e.type <= kTypeCount &&
                                      view.game->UnitStats[e.type].Movement == kMoveStructure
                                  ? Sound::ExplosionLarge
                                  : Sound::ExplosionSmall,
                              true};
        case EventKind::MineLaid:
        case EventKind::MineCleared: return EventSound{Sound::OrderTaken, true};
        case EventKind::Moved:
        case EventKind::Created:
        case EventKind::Released:
        case EventKind::BaseLanded: return std::nullopt;
    }
    return std::nullopt;
}

// Adds `cue`, or raises the volume of the same sound already listed.
void Add(std::vector<SoundCue>& cues, SoundCue cue) {
    const auto same =
        std::find_if(cues.begin(), cues.end(), [&cue](const SoundCue& c) { return c.sound == cue.sound; });
    if (same == cues.end())
        cues.push_back(cue);
    else
        same->volume = std::max(same->volume, cue.volume);
}

}  // namespace

SoundView SoundViewOf(const Game& game) {
    SoundView view = SoundViewOf(static_cast<const ViewState&>(game));
    view.game = &game;
    return view;
}

SoundView SoundViewOf(const ViewState& view) {
    const double cols = std::max(1, static_cast<int>(view.VisibleCols));
    const double rows = std::max(1, static_cast<int>(view.VisibleRows));
    const TViewSettings& v = view.ViewSettings;
    return {v.FirstCol + (cols - 1) / 2, v.FirstRow + (rows - 1) / 2, cols, rows};
}

double VolumeAt(const SoundView& view, int col, int row) {
    if (col == 0 && row == 0) return 1.0;
    const double across = std::abs(col - view.centreCol) / std::max(view.cols / 2, 0.5);
    const double down = std::abs(row - view.centreRow) / std::max(view.rows / 2, 0.5);
    const double beyond = std::max(0.0, std::max(across, down) - 0.5);
    return std::max(kFarVolume, 1.0 / (1.0 + beyond));
}

std::vector<SoundCue> OutcomeSounds(const Command& command, const Outcome& out, const SoundView& view) {
    if (!out.accepted) {
        if (out.reason.empty()) return {};
        return {{Sound::StepRefused, 1.0}};
    }
    std::vector<SoundCue> cues;
    std::vector<SoundCue> events;
    for (const GameEvent& e : out.events)
        if (const std::optional<EventSound> s = SoundOf(e, view))
            Add(events, {s->sound, s->onMap ? VolumeAt(view, e.col, e.row) : 1.0});
    const bool ownSound = std::any_of(events.begin(), events.end(), [](const SoundCue& c) {
        return c.sound == Sound::ConstructionStarted || c.sound == Sound::EndTurn;
    });
    if (const std::optional<Sound> answer = AnswerTo(command, out); answer && !ownSound) Add(cues, {*answer, 1.0});
    for (const SoundCue& c : events) Add(cues, c);
    return cues;
}

}  // namespace tarq
