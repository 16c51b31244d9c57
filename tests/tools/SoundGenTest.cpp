// The generated sounds folder: every file of the set a 16-bit mono WAV of the
// right rate, short, below full scale, starting and ending on silence, and
// the same bytes on every run; the listing reports what is missing.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Output.h"
#include "audio/SoundSet.h"
#include "audio/Wav.h"

namespace soundgen {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SoundGenTest : public ::testing::Test {
protected:
    void SetUp() override {
        base = fs::temp_directory_path() / ("tarq_soundgen_" + std::to_string(::getpid()));
        fs::remove_all(base);
    }
    void TearDown() override { fs::remove_all(base); }
    fs::path base;
};

TEST_F(SoundGenTest, EverySoundIsAShortCleanWavAndTheSameOnEveryRun) {
    ASSERT_EQ(WriteSounds(base / "a"), "");
    ASSERT_EQ(WriteSounds(base / "b"), "");
    for (const tarq::SoundFile& entry : tarq::kSoundFiles) {
        const std::string name(entry.file);
        const std::vector<std::uint8_t> bytes = ReadAll(base / "a" / name);
        EXPECT_EQ(bytes, ReadAll(base / "b" / name)) << name;
        EXPECT_LE(bytes.size(), 48u * 1024) << name;
        const std::optional<tarq::WavSound> wav = tarq::DecodeWav(bytes);
        ASSERT_TRUE(wav.has_value()) << name;
        EXPECT_EQ(wav->sampleRate, tarq::kSoundSampleRate);
        EXPECT_GE(wav->LengthMs(), 30) << name;
        EXPECT_LE(wav->LengthMs(), 1000) << name;
        EXPECT_LT(wav->PeakDbfs(), -1.0) << name;
        EXPECT_GT(wav->PeakDbfs(), -12.0) << name;
        // Faded in and out: no step where the sound starts or stops.
        EXPECT_EQ(wav->samples.front(), 0) << name;
        EXPECT_EQ(wav->samples.back(), 0) << name;
    }
}

TEST_F(SoundGenTest, ListingNamesEverySoundAndReportsMissingOnes) {
    ASSERT_EQ(WriteSounds(base), "");
    fs::remove(base / "mine.wav");
    const fs::path listing = base / "listing.txt";
    std::FILE* out = std::fopen(listing.c_str(), "w");
    ASSERT_NE(out, nullptr);
    const std::string error = ListSounds(base, out);
    std::fclose(out);
    EXPECT_NE(error.find("mine.wav"), std::string::npos) << error;

    std::ifstream in(listing);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), tarq::kSoundFiles.size());
    EXPECT_NE(lines[0].find("shot_light.wav"), std::string::npos);
    EXPECT_NE(lines[0].find(" ms "), std::string::npos);
    EXPECT_NE(lines[0].find("dBFS"), std::string::npos);
    EXPECT_NE(lines[tarq::SoundIndex(tarq::Sound::Mine)].find("missing"), std::string::npos);
}

TEST_F(SoundGenTest, AnUnwritableFolderIsReported) {
    std::ofstream(base) << "a file where the folder should be";
    EXPECT_NE(WriteSounds(base), "");
}

}  // namespace
}  // namespace soundgen
