// The window's sounds through a player that is never heard (no audio device
// is opened): orders sound only with "Звук" on, the slider sets the volume,
// and a sound whose file is missing is skipped without a word.
#include <QCheckBox>
#include <QSlider>
#include <fstream>

#include "MapWindowFixture.h"
#include "audio/Wav.h"

namespace tarq::testing {
namespace {

class WindowSoundTest : public MapWindowTest {
protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        // A tenth of a second of quiet tone for every sound but the selection's.
        const std::filesystem::path sounds = dir / "sounds";
        std::filesystem::create_directories(sounds);
        const std::vector<std::uint8_t> bytes =
            EncodeWav({kSoundSampleRate, std::vector<std::int16_t>(kSoundSampleRate / 10, 100)});
        for (const SoundFile& entry : kSoundFiles)
            if (entry.sound != Sound::UnitSelected)
                std::ofstream(sounds / entry.file, std::ios::binary)
                    .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        form->settingsPage()->SoundOn->setChecked(false);
        SoundLimits limits;
        limits.silent = true;
        form->UseSound(sounds, limits, [] { return std::int64_t{1000}; });  // a clock held still: nothing ends
    }
    SoundPlayer& player() { return *form->soundPlayer(); }
};

TEST_F(WindowSoundTest, OrdersSoundOnlyWithTheSoundOnAndAMissingFileIsSilence) {
    form->mapPage()->Button6->click();  // the grid
    EXPECT_FALSE(player().Enabled());
    EXPECT_EQ(player().Sounding(), 0);

    form->settingsPage()->SoundOn->setChecked(true);
    form->settingsPage()->SoundVolume->setValue(40);
    EXPECT_TRUE(player().Enabled());
    EXPECT_DOUBLE_EQ(player().Volume(), 0.4);
    form->mapPage()->Button6->click();
    EXPECT_EQ(player().Sounding(), 1);
    LandBase();
    EXPECT_EQ(player().Sounding(), 2);

    const int selected = game().SelectedObject;
    form->mapPage()->NextUnit->click();
    ASSERT_NE(game().SelectedObject, selected);
    EXPECT_FALSE(player().Loaded(Sound::UnitSelected));
    EXPECT_EQ(player().Sounding(), 2);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
}  // namespace tarq::testing
