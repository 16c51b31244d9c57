// The player on the test machine, which has no audio device: nothing plays
// while it is off or muted, a burst of triggers starts only a handful of
// sounds, files that are missing or damaged are skipped, and none of it
// blocks, with or without the real effects behind it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "audio/SoundPlayer.h"
#include "audio/Wav.h"

namespace tarq {
namespace {

namespace fs = std::filesystem;

constexpr int kLengthMs = 200;

// Kept to the end of the process: the effects need it, and destroying it
// among the other statics would come after Qt's own globals are gone.
void EnsureApplication() {
    static int argc = 1;
    static char name[] = "tarq_audio_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    (void)app;
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        dir = fs::temp_directory_path() / ("tarq_sounds_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        const WavSound tone{kSoundSampleRate, std::vector<std::int16_t>(kSoundSampleRate * kLengthMs / 1000, 100)};
        const std::vector<std::uint8_t> bytes = EncodeWav(tone);
        for (const SoundFile& entry : kSoundFiles)
            std::ofstream(dir / entry.file, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override { fs::remove_all(dir); }

    SoundPlayer MakePlayer(bool withEffects = true) {
        SoundLimits limits;
        limits.effectsWithoutDevice = withEffects;
        return SoundPlayer(dir, limits, [this] { return now; });
    }
    int PlayAll(SoundPlayer& player, int count, bool sameSound) {
        int started = 0;
        for (int i = 0; i < count; ++i) started += player.Play(sameSound ? Sound::ShotCannon : Sound(i % kSoundCount));
        return started;
    }

    fs::path dir;
    std::int64_t now = 1000;
};

TEST_F(SoundPlayerTest, NothingPlaysWhileOffMutedOrSilent) {
    SoundPlayer player = MakePlayer();
    EXPECT_FALSE(player.Enabled());
    EXPECT_FALSE(player.Play(Sound::Hit));
    EXPECT_FALSE(player.Loaded(Sound::Hit));  // nothing read before it is first switched on

    player.SetEnabled(true);
    player.SetMuted(true);
    EXPECT_FALSE(player.Play(Sound::Hit));
    player.SetMuted(false);
    player.SetVolume(0);
    EXPECT_FALSE(player.Play(Sound::Hit));
    player.SetVolume(0.7);
    EXPECT_FALSE(player.Play(Sound::Hit, 0.0));
    EXPECT_EQ(player.Sounding(), 0);
    EXPECT_TRUE(player.Play(Sound::Hit, 0.5));

    player.SetMuted(true);  // muting silences what sounds
    EXPECT_EQ(player.Sounding(), 0);
    player.SetMuted(false);
    EXPECT_TRUE(player.Play(Sound::Hit));
    player.SetEnabled(false);
    EXPECT_EQ(player.Sounding(), 0);
    EXPECT_FALSE(player.Play(Sound::Hit));
}

TEST_F(SoundPlayerTest, ABurstStartsAHandfulAndNeverBlocks) {
    SoundPlayer player = MakePlayer();
    player.SetEnabled(true);
    const auto start = std::chrono::steady_clock::now();

    EXPECT_EQ(PlayAll(player, 40, false), 4);  // the overall limit
    EXPECT_EQ(player.Sounding(), 4);
    now += kLengthMs;                         // all over
    EXPECT_EQ(PlayAll(player, 40, true), 1);  // one sound at one moment is heard once
    now += 60;
    EXPECT_EQ(PlayAll(player, 40, true), 1);  // a second copy a little later
    now += 60;
    EXPECT_EQ(PlayAll(player, 40, true), 0);  // no third copy
    EXPECT_EQ(player.Sounding(), 2);
    now += kLengthMs;
    EXPECT_EQ(player.Sounding(), 0);

    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 500) << "the burst waited for the missing device";
}

TEST_F(SoundPlayerTest, MissingOrDamagedFilesAreSkipped) {
    fs::remove(dir / SoundFileName(Sound::Mine));
    std::ofstream(dir / SoundFileName(Sound::Hit), std::ios::trunc) << "not a sound";
    for (bool withEffects : {true, false}) {
        SoundPlayer player = MakePlayer(withEffects);
        player.SetEnabled(true);
        EXPECT_FALSE(player.Loaded(Sound::Mine));
        EXPECT_FALSE(player.Play(Sound::Mine));
        EXPECT_FALSE(player.Play(Sound::Hit));
        EXPECT_TRUE(player.Play(Sound::YourTurn));
    }
    SoundPlayer nowhere(dir / "absent");
    nowhere.SetEnabled(true);
    EXPECT_FALSE(nowhere.Play(Sound::EndTurn));
}

TEST_F(SoundPlayerTest, SwitchingOnWithoutADeviceIsQuick) {
    const auto start = std::chrono::steady_clock::now();
    SoundPlayer player(dir);  // the defaults the window uses
    player.SetEnabled(true);
    player.Play(Sound::ButtonClick);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 1000);
    EXPECT_TRUE(player.Loaded(Sound::ButtonClick));
}

}  // namespace
}  // namespace tarq
