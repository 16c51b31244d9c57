// The settings page and the new-game choices kept between runs, in the user's
// settings file (QSettings, INI format: ~/.config/tarq/tarq.ini). Each group is
// written whole when one of its values changes and read once at start. What
// cannot be used is never taken: a damaged file counts as empty, a missing or
// unusable value keeps its default, so the defaults are in force for it.
#pragma once

#include "core/GameState.h"

namespace tarq {

// The two animation periods as the settings page's fields hold them. The game
// takes them from the fields at the launch, so they are kept apart from it.
struct AnimPeriodFields {
    i16 slow = 10;      // SFPS2
    i16 twoFrame = 18;  // SFPS3
    bool operator==(const AnimPeriodFields&) const = default;
};

// The sound's switch and volume (the settings page's "Звук" and "Громкость").
// They belong to this machine, not to a game, so they live beside the game's settings.
struct SoundSettings {
    bool on = true;
    int volume = 80;  // 0..100, as the slider shows it
    bool operator==(const SoundSettings&) const = default;
};

// The settings page.
struct StoredSettings {
    TSettings settings;
    AnimPeriodFields periods;
    SoundSettings sound;
    bool operator==(const StoredSettings&) const = default;
};

// The new-game choices: the random-map page, the clan, the start gold and the
// two purchase restrictions. The landing sectors belong to a map and are not kept.
struct StoredChoices {
    MapControls map;
    int clan = 0;
    int startGold = 0;
    TNewGameChoices restrictions;
    bool operator==(const StoredChoices&) const = default;
};

StoredSettings ReadStoredSettings();
StoredChoices ReadStoredChoices();
// A damaged file is replaced by what is written.
void WriteStoredSettings(const StoredSettings& kept);
void WriteStoredChoices(const StoredChoices& kept);

}  // namespace tarq
