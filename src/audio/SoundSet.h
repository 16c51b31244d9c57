// The game's sounds: which there are, the file each is kept in (in the
// sounds/ folder beside graph/), and which shot sound each catalogue type
// makes. The files are made by tools/soundgen.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/GameState.h"

namespace tarq {

enum class Sound : int {
    ShotLightGun,
    ShotCannon,
    ShotRocket,
    ShotAntiAircraft,
    Hit,
    ExplosionSmall,
    ExplosionLarge,
    Mine,
    ConstructionStarted,
    ConstructionFinished,
    UnitSelected,
    OrderTaken,
    StepRefused,
    EndTurn,
    YourTurn,
    ButtonClick,
};

inline constexpr int kSoundCount = 16;

struct SoundFile {
    Sound sound;
    std::string_view file;  // name inside sounds/
};

// In the order of the enum, so kSoundFiles[k].sound == Sound(k).
inline constexpr std::array<SoundFile, kSoundCount> kSoundFiles{{
    {Sound::ShotLightGun, "shot_light.wav"},
    {Sound::ShotCannon, "shot_cannon.wav"},
    {Sound::ShotRocket, "shot_rocket.wav"},
    {Sound::ShotAntiAircraft, "shot_flak.wav"},
    {Sound::Hit, "hit.wav"},
    {Sound::ExplosionSmall, "explosion_small.wav"},
    {Sound::ExplosionLarge, "explosion_large.wav"},
    {Sound::Mine, "mine.wav"},
    {Sound::ConstructionStarted, "build_start.wav"},
    {Sound::ConstructionFinished, "build_done.wav"},
    {Sound::UnitSelected, "select.wav"},
    {Sound::OrderTaken, "order.wav"},
    {Sound::StepRefused, "refused.wav"},
    {Sound::EndTurn, "end_turn.wav"},
    {Sound::YourTurn, "your_turn.wav"},
    {Sound::ButtonClick, "click.wav"},
}};

inline constexpr int SoundIndex(Sound s) { return static_cast<int>(s); }
inline constexpr std::string_view SoundFileName(Sound s) { return kSoundFiles[static_cast<std::size_t>(s)].file; }

// The sound folder's format: 16-bit mono PCM at this rate.
inline constexpr int kSoundSampleRate = 22050;

// How a type's shot sounds. Mine is the explosion of a mine, which never
// aims; None is a type without a weapon.
enum class WeaponClass { None, LightGun, Cannon, Rocket, AntiAircraft, Mine };

// The weapon class of a catalogue type, from its characteristics:
// - no attack or no shots: None (builders, transports, structures...);
// - range 0: Mine (the land and sea mines fire only on whoever enters them);
// - the two anti-aircraft guns, 7 "Мобильная зенитка" and 65 "Зенитка":
//   AntiAircraft (the catalogue has no anti-air field, so they go by number);
// - the launchers, whose names begin with "Ракет" (5 and 64 "Ракетница",
//   6 "Ракетный краулер", 25 "Ракетный крейсер"): Rocket;
// - soldiers (built by the training hall, BuiltBy 7) and any weapon of less
//   than 16 attack (the scout, the corvette): LightGun; a soldier's bazooka
//   stays a small-arms sound so a squad does not sound like a rocket battery;
// - every other armed type (tanks, guns, warships, aircraft, the aliens'):
//   Cannon.
WeaponClass WeaponClassOf(int typeId, const TUnitType& type, const TUnitStats& stats);
WeaponClass WeaponClassOf(const Game& game, int typeId);  // None outside 1..kTypeCount

// The sound of a shot of that class; Mine sounds its explosion. None has no
// shot sound.
std::optional<Sound> ShotSound(WeaponClass weapon);

}  // namespace tarq
