#include "audio/SoundPlayer.h"

#include <QAudio>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <mutex>

#include "audio/Wav.h"

namespace tarq {

// The effects, one per voice, made, started, stopped and destroyed on the
// audio thread. Requests from the player queue up under a lock; one posted
// call drains them, so a burst costs the drawing thread one post.
class EffectBank : public QObject {
public:
    struct Request {
        int slot = -1, voice = -1;  // slot -1: stop every effect
        float volume = 0;
    };

    void Submit(Request request) {
        std::lock_guard lock(mutex_);
        pending_.push_back(request);
        if (posted_) return;
        posted_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Drain(); }, Qt::QueuedConnection);
    }

    // The effects of each slot: `files[k]` empty for a sound not loaded.
    void Create(const std::vector<QUrl>& files, int perSound) {
        effects_.resize(files.size());
        for (std::size_t k = 0; k < files.size(); ++k) {
            if (files[k].isEmpty()) continue;
            for (int i = 0; i < perSound; ++i) {
                auto& effect = effects_[k].emplace_back(std::make_unique<QSoundEffect>());
                effect->setSource(files[k]);
            }
        }
    }

private:
    void Drain() {
        std::vector<Request> requests;
        {
            std::lock_guard lock(mutex_);
            requests.swap(pending_);
            posted_ = false;
        }
        for (const Request& r : requests) {
            if (r.slot < 0) {
                for (auto& slot : effects_)
                    for (auto& effect : slot) effect->stop();
                continue;
            }
            QSoundEffect& effect = *effects_[static_cast<std::size_t>(r.slot)][static_cast<std::size_t>(r.voice)];
            effect.setVolume(r.volume);
            effect.play();
        }
    }

    std::mutex mutex_;
    std::vector<Request> pending_;
    bool posted_ = false;
    std::vector<std::vector<std::unique_ptr<QSoundEffect>>> effects_;
};

SoundPlayer::SoundPlayer(std::filesystem::path soundDir, SoundLimits limits, Clock clock)
    : dir_(std::move(soundDir)), limits_(limits), clock_(std::move(clock)) {}

SoundPlayer::~SoundPlayer() {
    if (!thread_) return;
    thread_->quit();  // its end deletes the bank, and the effects with it, on the audio thread
    thread_->wait();
}

std::int64_t SoundPlayer::Now() const {
    if (clock_) return clock_();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Each file is read once to check it and learn its length; a file that is
// missing or not one of ours gets no voices and stays silent. The effects
// are made only when there is a device to hear them.
void SoundPlayer::Load() {
    slots_.resize(kSoundFiles.size());
    std::vector<QUrl> files(kSoundFiles.size());
    for (const SoundFile& entry : kSoundFiles) {
        const std::filesystem::path path = dir_ / entry.file;
        const std::optional<WavSound> wav = ReadWavFile(path);
        if (!wav || wav->samples.empty()) continue;
        const auto k = static_cast<std::size_t>(SoundIndex(entry.sound));
        slots_[k].lengthMs = std::max(1, wav->LengthMs());
        slots_[k].voices.resize(static_cast<std::size_t>(limits_.perSound));
        files[k] = QUrl::fromLocalFile(QString::fromStdString(path.string()));
    }
    if (limits_.silent) return;
    if (!limits_.effectsWithoutDevice && QMediaDevices::defaultAudioOutput().isNull()) return;
    thread_ = std::make_unique<QThread>();
    bank_ = new EffectBank;
    bank_->moveToThread(thread_.get());
    QObject::connect(thread_.get(), &QThread::finished, bank_, &QObject::deleteLater);
    thread_->start();
    QMetaObject::invokeMethod(
        bank_, [bank = bank_, files, n = limits_.perSound] { bank->Create(files, n); }, Qt::QueuedConnection);
}

void SoundPlayer::StopAll() {
    for (Slot& slot : slots_)
        for (Voice& voice : slot.voices) voice.endsAt = 0;
    endings_.clear();
    if (bank_) bank_->Submit({});
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
    int idle = -1;
    for (int i = 0; i < static_cast<int>(slot.voices.size()); ++i) {
        const Voice& voice = slot.voices[static_cast<std::size_t>(i)];
        if (voice.endsAt > now && now - voice.startedAt < limits_.minGapMs) return false;
        if (voice.endsAt <= now && idle < 0) idle = i;
    }
    if (idle < 0) return false;
    Voice& voice = slot.voices[static_cast<std::size_t>(idle)];
    voice = {now, now + slot.lengthMs};
    endings_.push_back(voice.endsAt);
    if (bank_) {
        // The slider's position heard on a logarithmic scale, the caller's
        // volume (distance) as a plain factor.
        const float master = QAudio::convertVolume(static_cast<float>(volume_), QAudio::LogarithmicVolumeScale,
                                                   QAudio::LinearVolumeScale);
        bank_->Submit({SoundIndex(sound), idle, master * static_cast<float>(std::min(volume, 1.0))});
    }
    return true;
}

}  // namespace tarq
