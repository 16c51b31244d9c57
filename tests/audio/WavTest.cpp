// The reader behind the player and the sound listing: our files come back
// as written, and a damaged or foreign file is refused rather than misread.
#include <gtest/gtest.h>

#include <functional>

#include "audio/Wav.h"

namespace tarq {
namespace {

using Bytes = std::vector<std::uint8_t>;

WavSound Sample() { return {22050, {0, 1000, -1000, 32767, -32768, 5}}; }

void Set16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFFu);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

TEST(Wav, WrittenFileReadsBackWithItsLengthAndPeak) {
    const std::optional<WavSound> back = DecodeWav(EncodeWav(Sample()));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->sampleRate, 22050);
    EXPECT_EQ(back->samples, Sample().samples);
    EXPECT_NEAR(back->PeakDbfs(), 0.0, 1e-9);
    EXPECT_EQ((WavSound{22050, std::vector<std::int16_t>(11025)}.LengthMs()), 500);
}

TEST(Wav, AnUnknownChunkBeforeTheSamplesIsSkipped) {
    Bytes b = EncodeWav(Sample());
    const Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};  // odd size, padded
    b.insert(b.begin() + 36, list.begin(), list.end());
    const std::optional<WavSound> back = DecodeWav(b);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->samples, Sample().samples);
}

TEST(Wav, DamagedOrForeignFilesAreRefused) {
    const std::pair<const char*, std::function<void(Bytes&)>> cases[] = {
        {"empty", [](Bytes& b) { b.clear(); }},
        {"cut inside the header", [](Bytes& b) { b.resize(30); }},
        {"cut inside the samples", [](Bytes& b) { b.erase(b.end() - 3, b.end()); }},
        {"not RIFF", [](Bytes& b) { b[0] = 'X'; }},
        {"not WAVE", [](Bytes& b) { b[8] = 'X'; }},
        {"compressed", [](Bytes& b) { Set16(b, 20, 3); }},
        {"stereo", [](Bytes& b) { Set16(b, 22, 2); }},
        {"8-bit", [](Bytes& b) { Set16(b, 34, 8); }},
        {"no rate", [](Bytes& b) { Set16(b, 24, 0); }},
        {"odd sample bytes", [](Bytes& b) { b[40] = 11; }},
        {"data size past the end", [](Bytes& b) { b[43] = 0x7F; }},
        {"no format chunk", [](Bytes& b) { b[12] = 'x'; }},
    };
    for (const auto& [what, damage] : cases) {
        Bytes b = EncodeWav(Sample());
        damage(b);
        EXPECT_FALSE(DecodeWav(b).has_value()) << what;
    }
}

}  // namespace
}  // namespace tarq
