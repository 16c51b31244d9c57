// The sounds of orders' outcomes: the answer to each kind of order, the
// events' sounds and their volume by distance from the view's centre.
#include <gtest/gtest.h>

#include "audio/OutcomeSounds.h"

namespace tarq {
namespace {

// A view of 20 x 10 cells around cell (20, 20).
constexpr SoundView kView{20, 20, 20, 10};

Outcome Accepted(std::vector<GameEvent> events = {}, bool selectionChanged = false) {
    Outcome out;
    out.accepted = true;
    out.events = std::move(events);
    out.selectionChanged = selectionChanged;
    return out;
}

Outcome Refused(std::string reason) {
    Outcome out;
    out.reason = std::move(reason);
    return out;
}

GameEvent At(EventKind kind, int col, int row) { return {kind, 1, static_cast<i16>(col), static_cast<i16>(row), 3, 0}; }

struct Case {
    const char* name;
    Command command;
    Outcome out;
    std::vector<SoundCue> expected;
};

TEST(OutcomeSoundsTest, EachOrderAndEventSoundsItsOwn) {
    const double far = kFarVolume;
    const Case cases[] = {
        {"refused with a reason", cmd::Step{1, 5, 5}, Refused("Нет ходов"), {{Sound::StepRefused, 1}}},
        {"refused without a word", cmd::Select{0}, Refused(""), {}},
        {"a unit selected", cmd::Select{4}, Accepted({}, true), {{Sound::UnitSelected, 1}}},
        {"the same selection again", cmd::Select{4}, Accepted(), {}},
        {"a second click opens the menu", cmd::OpenMenu{4, 1}, Accepted({}, true), {{Sound::UnitSelected, 1}}},
        {"next unit, none other", cmd::NextUnit{0}, Accepted(), {{Sound::ButtonClick, 1}}},
        {"a step", cmd::Step{1, 5, 5}, Accepted({At(EventKind::Moved, 5, 5)}), {{Sound::OrderTaken, 1}}},
        {"a menu order", cmd::ArmMove{}, Accepted(), {{Sound::OrderTaken, 1}}},
        {"a map page switch", cmd::ToggleView{1}, Accepted(), {{Sound::ButtonClick, 1}}},
        {"construction started: its own sound, not the answer",
         cmd::StartConstruction{1, 40, 1, 0},
         Accepted({{EventKind::ConstructionStarted, 1, 0, 0, 40, 0}}),
         {{Sound::ConstructionStarted, 1}}},
        {"a large site put down", cmd::ConfirmSite{}, Accepted(), {{Sound::ConstructionStarted, 1}}},
        {"construction placed, site not yet started",
         cmd::StartConstruction{1, 40, 1, 0},
         Accepted(),
         {{Sound::OrderTaken, 1}}},
        {"a finished construction far away",
         cmd::ChooseExit{200, 200},
         Accepted({At(EventKind::ConstructionFinished, 200, 200)}),
         {{Sound::OrderTaken, 1}, {Sound::ConstructionFinished, far}}},
        {"one sound per outcome, at its loudest",
         cmd::TakeOutBuilder{1, 0},
         Accepted({At(EventKind::ConstructionFinished, 200, 200), At(EventKind::ConstructionFinished, 21, 20)}),
         {{Sound::OrderTaken, 1}, {Sound::ConstructionFinished, 1}}},
        {"END TURN", cmd::EndTurn{}, Accepted({{EventKind::TurnEnded, 0, 0, 0, 0, 2}}, true), {{Sound::EndTurn, 1}}},
        {"the view's moves are silent", cmd::Zoom{40}, Accepted(), {}},
        {"the site following the pointer is silent", cmd::MoveSite{5, 5}, Accepted(), {}},
        {"the setup pages are silent", cmd::SetClan{2}, Accepted(), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(OutcomeSounds(c.command, c.out, kView), c.expected) << c.name;
}

TEST(OutcomeSoundsTest, VolumeFallsWithDistanceFromTheViewsCentre) {
    const struct {
        int col, row;
        double volume;
    } cells[] = {
        {20, 20, 1.0},      // the centre
        {25, 22, 1.0},      // within the middle half
        {30, 20, 1 / 1.5},  // the left or right edge
        {20, 30, 1 / 2.5},  // two half views down
        {0, 0, 1.0},        // no place: full
        {500, 20, kFarVolume},
    };
    for (const auto& c : cells) EXPECT_NEAR(VolumeAt(kView, c.col, c.row), c.volume, 1e-9) << c.col << "," << c.row;

    ViewState view;
    view.ViewSettings.FirstCol = 11;
    view.ViewSettings.FirstRow = 1;
    view.VisibleCols = 20;
    view.VisibleRows = 9;
    const SoundView s = SoundViewOf(view);
    EXPECT_DOUBLE_EQ(s.centreCol, 20.5);
    EXPECT_DOUBLE_EQ(s.centreRow, 5);
    EXPECT_DOUBLE_EQ(s.cols, 20);
}

}  // namespace
}  // namespace tarq
