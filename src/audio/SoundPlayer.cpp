#include "audio/SoundPlayer.h"

#include <QAudio>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>
#include <chrono>

#include "audio/Wav.h"

namespace tarq {

SoundPlayer::SoundPlayer(std::filesystem::path soundDir, SoundLimits limits, Clock clock)
    : dir_(std::move(soundDir)), limits_(limits), clock_(std::move(clock)) {}

SoundPlayer::~SoundPlayer() = default;

std::int64_t SoundPlayer::Now() const {
    if (clock_) return clock_();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Each file is read once to check it and learn its length; a file that is
// missing or not one of ours gets no voices and stays silent.
void SoundPlayer::Load() {
    audible_ = limits_.effectsWithoutDevice || !QMediaDevices::defaultAudioOutput().isNull();
    slots_.resize(kSoundFiles.size());
    for (const SoundFile& entry : kSoundFiles) {
        const std::filesystem::path path = dir_ / entry.file;
        const std::optional<WavSound> wav = ReadWavFile(path);
        if (!wav || wav->samples.empty()) continue;
        Slot& slot = slots_[static_cast<std::size_t>(SoundIndex(entry.sound))];
        slot.lengthMs = std::max(1, wav->LengthMs());
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path.string()));
        for (int i = 0; i < limits_.perSound; ++i) {
            Voice& voice = slot.voices.emplace_back();
            if (!audible_) continue;
            voice.effect = std::make_unique<QSoundEffect>();
            voice.effect->setSource(url);
        }
    }
}

void SoundPlayer::StopAll() {
    for (Slot& slot : slots_)
        for (Voice& voice : slot.voices) {
            if (voice.effect) voice.effect->stop();
            voice.endsAt = 0;
        }
    endings_.clear();
}

void SoundPlayer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on && slots_.empty()) Load();
    if (!on) StopAll();
}

void SoundPlayer::SetVolume(double volume) { volume_ = std::clamp(volume, 0.0, 1.0); }

void SoundPlayer::SetMuted(bool muted) {
    muted_ = muted;
    if (muted) StopAll();
}

int SoundPlayer::Sounding() const {
    const std::int64_t now = Now();
    std::erase_if(endings_, [now](std::int64_t end) { return end <= now; });
    return static_cast<int>(endings_.size());
}

bool SoundPlayer::Loaded(Sound sound) const {
    const auto k = static_cast<std::size_t>(SoundIndex(sound));
    return k < slots_.size() && !slots_[k].voices.empty();
}

bool SoundPlayer::Play(Sound sound, double volume) {
    if (!enabled_ || muted_ || volume_ <= 0 || volume <= 0 || !Loaded(sound)) return false;
    if (Sounding() >= limits_.overall) return false;
    const std::int64_t now = Now();
    Slot& slot = slots_[static_cast<std::size_t>(SoundIndex(sound))];
    Voice* idle = nullptr;
    for (Voice& voice : slot.voices) {
        if (voice.endsAt > now && now - voice.startedAt < limits_.minGapMs) return false;
        if (voice.endsAt <= now && !idle) idle = &voice;
    }
    if (!idle) return false;
    // The slider's position heard on a logarithmic scale, the caller's
    // volume (distance) as a plain factor.
    if (idle->effect) {
        const float master =
            QAudio::convertVolume(static_cast<float>(volume_), QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale);
        idle->effect->setVolume(master * static_cast<float>(std::min(volume, 1.0)));
        idle->effect->play();
    }
    idle->startedAt = now;
    idle->endsAt = now + slot.lengthMs;
    endings_.push_back(idle->endsAt);
    return true;
}

}  // namespace tarq
