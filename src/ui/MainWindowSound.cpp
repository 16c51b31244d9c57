// The window's sounds: one player, fed the sounds of each order's outcome,
// the map page's buttons and the start of a player's turn, and following the
// settings page's "Звук" and "Громкость".
#include <QFrame>
#include <QPushButton>
#include <QToolButton>

#include "audio/OutcomeSounds.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/SettingsPage.h"

namespace tarq {

// Nothing is read until the sound is on; a folder without the files, or a
// machine without an audio device, is silence without a word.
void TMainForm::UseSound(const std::filesystem::path& soundDir, SoundLimits limits, SoundPlayer::Clock clock) {
    sound_ = std::make_unique<SoundPlayer>(soundDir, limits, std::move(clock));
    ApplySoundSettings();
}

void TMainForm::ApplySoundSettings() {
    if (!sound_) return;
    const SoundSettings s = settings_->ReadSoundSettings();
    sound_->SetVolume(s.volume / 100.0);
    sound_->SetEnabled(s.on);
}

void TMainForm::PlaySound(Sound sound) {
    if (sound_) sound_->Play(sound);
}

// Only what this machine's player did sounds here: orders are never replayed
// through the window.
void TMainForm::PlayOutcome(const Order& order, const Outcome& out) {
    if (!sound_ || !sound_->Enabled()) return;
    for (const SoundCue& cue : OutcomeSounds(order.command, out, SoundViewOf(*game_)))
        sound_->Play(cue.sound, cue.volume);
}

// The map page's buttons that give no order of their own click; the others
// sound through their orders' outcomes.
void TMainForm::ConnectSounds() {
    QAbstractButton* netPlay = map_->Panel5->findChild<QToolButton*>(QStringLiteral("NetPlayButton"));
    for (QAbstractButton* button :
         {static_cast<QAbstractButton*>(map_->SaveGame), static_cast<QAbstractButton*>(map_->Button16), netPlay})
        if (button) connect(button, &QAbstractButton::clicked, this, [this] { PlaySound(Sound::ButtonClick); });
}

}  // namespace tarq
