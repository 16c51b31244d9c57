// The sound files' format: RIFF WAVE holding 16-bit mono PCM. Written by the
// sound generator, read back by its listing, the tests and the player (which
// learns each sound's length from it and skips a file that is not one).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace tarq {

struct WavSound {
    int sampleRate = 0;
    std::vector<std::int16_t> samples;

    int LengthMs() const;
    // The largest magnitude relative to full scale, in dB (0 = full scale);
    // -infinity for silence.
    double PeakDbfs() const;
};

// The 44-byte canonical header followed by the samples, little-endian.
std::vector<std::uint8_t> EncodeWav(const WavSound& sound);

// A RIFF WAVE of 16-bit mono PCM: chunks other than "fmt " and "data" are
// skipped. Anything else, or a file cut short, gives nothing.
std::optional<WavSound> DecodeWav(std::span<const std::uint8_t> bytes);

// Reads and decodes `file`; nothing when it is missing, unreadable or not
// such a WAVE.
std::optional<WavSound> ReadWavFile(const std::filesystem::path& file);

}  // namespace tarq
