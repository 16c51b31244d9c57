#include "audio/SoundSet.h"

namespace tarq {

namespace {

constexpr int kMobileAntiAircraft = 7;
constexpr int kAntiAircraftGun = 65;
constexpr int kBuiltByTrainingHall = 7;
constexpr int kCannonAttack = 16;

bool IsLauncherName(std::string_view name) { return name.starts_with("Ракет"); }

}  // namespace

WeaponClass WeaponClassOf(int typeId, const TUnitType& type, const TUnitStats& stats) {
    if (stats.Attack == 0 || stats.Shots == 0) return WeaponClass::None;
    if (stats.Range == 0) return WeaponClass::Mine;
    if (typeId == kMobileAntiAircraft || typeId == kAntiAircraftGun) return WeaponClass::AntiAircraft;
    if (IsLauncherName(type.Name)) return WeaponClass::Rocket;
    if (type.BuiltBy == kBuiltByTrainingHall || stats.Attack < kCannonAttack) return WeaponClass::LightGun;
    return WeaponClass::Cannon;
}

WeaponClass WeaponClassOf(const Game& game, int typeId) {
    if (typeId < 1 || typeId > kTypeCount) return WeaponClass::None;
    return WeaponClassOf(typeId, game.UnitTypes[typeId], game.UnitStats[typeId]);
}

std::optional<Sound> ShotSound(WeaponClass weapon) {
    switch (weapon) {
        case WeaponClass::LightGun: return Sound::ShotLightGun;
        case WeaponClass::Cannon: return Sound::ShotCannon;
        case WeaponClass::Rocket: return Sound::ShotRocket;
        case WeaponClass::AntiAircraft: return Sound::ShotAntiAircraft;
        case WeaponClass::Mine: return Sound::Mine;
        case WeaponClass::None: break;
    }
    return std::nullopt;
}

}  // namespace tarq
