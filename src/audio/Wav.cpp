#include "audio/Wav.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <string_view>

namespace tarq {

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr int kBytesPerSample = 2;
// A sound file is a second or so; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFFu));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    for (char c : tag) out.push_back(static_cast<std::uint8_t>(c));
}

std::uint32_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) { return Get16(b, at) | (Get16(b, at + 2) << 16); }

bool TagAt(std::span<const std::uint8_t> b, std::size_t at, std::string_view tag) {
    return std::equal(tag.begin(), tag.end(), b.begin() + static_cast<std::ptrdiff_t>(at),
                      [](char c, std::uint8_t x) { return static_cast<std::uint8_t>(c) == x; });
}

struct Format {
    std::uint32_t tag = 0, channels = 0, rate = 0, bits = 0;
};

}  // namespace

int WavSound::LengthMs() const {
    if (sampleRate <= 0) return 0;
    return static_cast<int>(static_cast<long long>(samples.size()) * 1000 / sampleRate);
}

double WavSound::PeakDbfs() const {
    int peak = 0;
    for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    if (peak == 0) return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(static_cast<double>(peak) / 32768.0);
}

std::vector<std::uint8_t> EncodeWav(const WavSound& sound) {
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * kBytesPerSample);
    const auto rate = static_cast<std::uint32_t>(sound.sampleRate);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, kPcm);
    Put16(out, 1);  // mono
    Put32(out, rate);
    Put32(out, rate * kBytesPerSample);
    Put16(out, kBytesPerSample);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (std::int16_t s : sound.samples) Put16(out, static_cast<std::uint16_t>(s));
    return out;
}

std::optional<WavSound> DecodeWav(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 12 || !TagAt(bytes, 0, "RIFF") || !TagAt(bytes, 8, "WAVE")) return std::nullopt;
    std::optional<Format> format;
    std::size_t at = 12;
    while (bytes.size() - at >= 8) {
        const std::uint32_t size = Get32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body) return std::nullopt;
        if (TagAt(bytes, at, "fmt ") && size >= 16) {
            format =
                Format{Get16(bytes, body), Get16(bytes, body + 2), Get32(bytes, body + 4), Get16(bytes, body + 14)};
        } else if (TagAt(bytes, at, "data")) {
            if (!format || format->tag != kPcm || format->channels != 1 || format->bits != 16 || format->rate == 0 ||
                format->rate > 192000 || size % kBytesPerSample != 0)
                return std::nullopt;
            WavSound sound;
            sound.sampleRate = static_cast<int>(format->rate);
            sound.samples.resize(size / kBytesPerSample);
            for (std::size_t i = 0; i < sound.samples.size(); ++i)
                sound.samples[i] = static_cast<std::int16_t>(Get16(bytes, body + i * kBytesPerSample));
            return sound;
        }
        at = body + size + (size & 1u);  // chunks are padded to even sizes
        if (at > bytes.size()) break;
    }
    return std::nullopt;
}

std::optional<WavSound> ReadWavFile(const std::filesystem::path& file) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(file, ec);
    if (ec || size > kMaxFileBytes) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return DecodeWav(bytes);
}

}  // namespace tarq
