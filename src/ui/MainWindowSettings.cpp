// Settings that stay: the settings page and the new-game choices, read from
// the user's settings file at start, written back as they change, and reset.
#include <QScopedValueRollback>
#include <QTabWidget>

#include "setup/Players.h"
#include "ui/MainWindow.h"
#include "ui/SettingsPage.h"
#include "ui/StoredSettings.h"
#include "ui/UiHelpers.h"

namespace tarq {

// The periods go into the game too: before the launch its values are what the
// fields show, and the launch reads the fields again.
void TMainForm::RestoreStoredSettings() {
    const StoredSettings kept = ReadStoredSettings();
    game_->Settings = kept.settings;
    game_->SlowAnimPeriod = kept.periods.slow;
    game_->TwoFrameAnimPeriod = kept.periods.twoFrame;
    settings_->ShowSoundSettings(kept.sound);
    ApplyStoredChoices(ReadStoredChoices());
}

// A changed start gold or restriction resets the purchases, as its control does.
void TMainForm::ApplyStoredChoices(const StoredChoices& kept) {
    Game& g = *game_;
    g.MapChoices = kept.map;
    Submit(Mine(cmd::SetClan{static_cast<u8>(kept.clan)}));
    if (g.World.StartGold != kept.startGold) Submit(Mine(cmd::SetStartGold{kept.startGold}));
    if (g.NewGameChoices != kept.restrictions)
        Submit(Mine(cmd::SetRestrictions{kept.restrictions.NoStructures, kept.restrictions.NoAlienUnits}));
}

// The new-game page goes away at the launch; its choices then belong to the game under way.
bool TMainForm::Launched() const { return !PageControl1->isTabVisible(kPageNewGame); }

// A period field that holds no number keeps the value stored last. Pausing
// switched off lets a map held still by it draw again at once.
void TMainForm::SettingsChanged() {
    if (game_->Settings.PauseWhenInactive == 0) game_->AppActive = 1;
    ApplySoundSettings();
    if (!keepChanges_) return;
    WriteStoredSettings({game_->Settings, settings_->ReadAnimPeriodFields(ReadStoredSettings().periods),
                         settings_->ReadSoundSettings()});
}

void TMainForm::NewGameChoicesChanged() {
    if (!keepChanges_) return;
    const Game& g = *game_;
    WriteStoredChoices({g.MapChoices, CurrentPlayerEntry(g).PlayerClan, g.World.StartGold, g.NewGameChoices});
}

// During a game only the settings page changes; the defaults of the new-game
// choices are stored for the next run all the same.
void TMainForm::ResetSettingsClick() {
    const StoredSettings settings;
    const StoredChoices choices;
    game_->Settings = settings.settings;
    // A joining player's new-game choices are the game's and stay.
    if (!Launched() && !JoiningPlayer(*game_)) {
        game_->SlowAnimPeriod = settings.periods.slow;
        game_->TwoFrameAnimPeriod = settings.periods.twoFrame;
        ApplyStoredChoices(choices);
    }
    RefreshFromGame();
    {
        const QScopedValueRollback quiet(keepChanges_, false);
        settings_->ShowAnimPeriodFields(settings.periods);
        settings_->ShowSoundSettings(settings.sound);
    }
    ApplySoundSettings();
    WriteStoredSettings(settings);
    WriteStoredChoices(choices);
}

}  // namespace tarq
