#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "audio/SoundSet.h"
#include "core/World.h"

namespace tarq {
namespace {

TEST(SoundSet, EntriesFollowTheEnumWithDistinctWavNames) {
    std::set<std::string_view> names;
    for (int k = 0; k < kSoundCount; ++k) {
        const SoundFile& entry = kSoundFiles[static_cast<std::size_t>(k)];
        EXPECT_EQ(SoundIndex(entry.sound), k);
        EXPECT_TRUE(entry.file.ends_with(".wav")) << entry.file;
        EXPECT_TRUE(names.insert(entry.file).second) << entry.file;
    }
}

TEST(SoundSet, WeaponClassOfEveryCatalogueType) {
    const std::map<WeaponClass, std::set<int>> armed = {
        {WeaponClass::LightGun, {2, 18, 19, 21}},
        {WeaponClass::Cannon, {3, 4, 20, 22, 23, 28, 29, 34, 35, 36, 37, 62, 63}},
        {WeaponClass::Rocket, {5, 6, 25, 64}},
        {WeaponClass::AntiAircraft, {7, 65}},
        {WeaponClass::Mine, {32, 33}},
    };
    auto game = NewGame();
    InitData(*game);
    for (int type = 0; type <= kTypeCount + 1; ++type) {
        WeaponClass expected = WeaponClass::None;
        for (const auto& [weapon, types] : armed)
            if (types.contains(type)) expected = weapon;
        const std::string name = type >= 1 && type <= kTypeCount ? game->UnitTypes[type].Name : "";
        EXPECT_EQ(WeaponClassOf(*game, type), expected) << type << " " << name;
    }
}

TEST(SoundSet, EveryWeaponButNoneHasItsOwnShotSound) {
    std::set<Sound> sounds;
    for (WeaponClass w : {WeaponClass::LightGun, WeaponClass::Cannon, WeaponClass::Rocket, WeaponClass::AntiAircraft,
                          WeaponClass::Mine}) {
        ASSERT_TRUE(ShotSound(w).has_value());
        sounds.insert(*ShotSound(w));
    }
    EXPECT_EQ(sounds.size(), 5u);
    EXPECT_EQ(ShotSound(WeaponClass::Mine), Sound::Mine);
    EXPECT_FALSE(ShotSound(WeaponClass::None).has_value());
}

}  // namespace
}  // namespace tarq
