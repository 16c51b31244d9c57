// Which sounds an order's outcome makes, and how loud: the window's answer to
// the player (a unit selected, an order taken, a refusal, END TURN, a map
// page button) and the sounds of what happened on the map (constructions
// started and finished), the latter quieter the farther their cell lies from
// the view's centre. Pure: the window feeds the list to its SoundPlayer.
#pragma once

#include <vector>

#include "audio/SoundSet.h"
#include "core/Command.h"
#include "core/parts/ViewState.h"
#include "orders/Outcome.h"

namespace tarq {

struct SoundCue {
    Sound sound = Sound::ButtonClick;
    double volume = 1.0;  // 0..1, before the settings' volume
    bool operator==(const SoundCue&) const = default;
};

// The part of the map on show, in cells: its centre and its size.
struct SoundView {
    double centreCol = 0, centreRow = 0;
    double cols = 1, rows = 1;
    // The types' weapons, for the sound of a shot; without it a shot sounds
    // like a cannon.
    const Game* game = nullptr;
};
SoundView SoundViewOf(const ViewState& view);
SoundView SoundViewOf(const Game& game);

// The volume of a sound at (col, row): full within the middle half of the
// view, then falling with the distance from the centre, measured in half
// views (the view's edge is 1), as 1 / (1 + distance - 0.5), never below
// kFarVolume, so far events stay audible. A cell of (0, 0) is an event
// without a place and sounds at full volume.
inline constexpr double kFarVolume = 0.15;
double VolumeAt(const SoundView& view, int col, int row);

// The sounds of `out`, the outcome of `command`, each sound at most once (at
// its loudest), the answer first. A refusal with a reason sounds StepRefused
// and nothing else; a refusal without one (a click on nothing) is silent.
std::vector<SoundCue> OutcomeSounds(const Command& command, const Outcome& out, const SoundView& view);

}  // namespace tarq
