#include "Output.h"

#include <fstream>

#include "Sounds.h"

namespace soundgen {

namespace {

// The names --list prints, in the order of the set.
constexpr const char* kNames[tarq::kSoundCount] = {
    "shot, light gun",       "shot, cannon",  "shot, rocket",
    "shot, anti-aircraft",   "hit",           "explosion, small",
    "explosion, large",      "mine",          "construction started",
    "construction finished", "unit selected", "order taken",
    "step refused",          "end turn",      "your turn",
    "button click",
};

}  // namespace

std::string WriteSounds(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return "cannot create " + dir.string() + ": " + ec.message();
    for (const tarq::SoundFile& entry : tarq::kSoundFiles) {
        const std::vector<std::uint8_t> bytes = tarq::EncodeWav(MakeSound(entry.sound));
        const std::filesystem::path path = dir / entry.file;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) return "cannot write " + path.string();
    }
    return "";
}

std::string ListSounds(const std::filesystem::path& dir, std::FILE* out) {
    std::string bad;
    for (const tarq::SoundFile& entry : tarq::kSoundFiles) {
        const std::string file(entry.file);
        const std::optional<tarq::WavSound> sound = tarq::ReadWavFile(dir / file);
        if (!sound) {
            std::fprintf(out, "%-22s %-20s missing or not a 16-bit mono WAV\n", kNames[tarq::SoundIndex(entry.sound)],
                         file.c_str());
            bad += (bad.empty() ? "" : ", ") + file;
            continue;
        }
        std::fprintf(out, "%-22s %-20s %5d ms %7.1f dBFS\n", kNames[tarq::SoundIndex(entry.sound)], file.c_str(),
                     sound->LengthMs(), sound->PeakDbfs());
    }
    return bad.empty() ? "" : "missing or unreadable in " + dir.string() + ": " + bad;
}

}  // namespace soundgen
