// Plays the game's sounds with Qt Multimedia. Off until the window switches it
// on from the settings (so tests and the monkey never open an audio device);
// a few sounds at most at once, so a burst of fire does not stack dozens of
// shots; a missing or damaged file, or a machine without an audio device, is
// silence and nothing more.
//
// The effects live on a thread of their own: with an audio device, starting
// one makes Qt set up its stream there and then, from a tenth of a
// millisecond to several, which the drawing thread must not wait for. Play()
// only decides and hands the start over.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "audio/SoundSet.h"

class QThread;

namespace tarq {

class EffectBank;

struct SoundLimits {
    int perSound = 2;   // copies of one sound sounding at once
    int overall = 4;    // sounds sounding at once
    int minGapMs = 50;  // a sound again sooner than this is one sound, not two
    // Without an audio device the player makes no effects at all (each
    // would only warn that there is no device); the tests set this to
    // drive the real effects on a machine that has none.
    bool effectsWithoutDevice = false;
    // Never makes effects, nor asks for a device: the player counts, limits
    // and answers as ever, unheard (the window's tests, which must not open
    // an audio device on a machine that has one).
    bool silent = false;
};

class SoundPlayer {
public:
    using Clock = std::function<std::int64_t()>;  // milliseconds, never going back

    // `soundDir` holds the files of the sound set; nothing is read until the
    // player is first enabled. The clock defaults to the steady clock.
    explicit SoundPlayer(std::filesystem::path soundDir, SoundLimits limits = {}, Clock clock = {});
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // On: loads the set the first time. Off: stops whatever sounds.
    void SetEnabled(bool on);
    bool Enabled() const { return enabled_; }
    // The settings' volume, 0..1 as the slider shows it (heard on a
    // logarithmic scale); values outside are clamped.
    void SetVolume(double volume);
    double Volume() const { return volume_; }
    void SetMuted(bool muted);
    bool Muted() const { return muted_; }

    // Starts `sound` at `volume` (0..1, e.g. less for fire far from the view's
    // centre), scaled by the master volume. Nothing when off, muted, at volume
    // 0, when the file was not loaded, or when the limits are reached; returns
    // whether it started.
    bool Play(Sound sound, double volume = 1.0);

    // Sounds started and not yet over by their files' lengths (counted the
    // same with or without a device, so the limits do not depend on one).
    int Sounding() const;
    // Whether the file of `sound` was read and found a 16-bit mono WAV.
    bool Loaded(Sound sound) const;
    // Whether effects were made, i.e. the sounds are heard.
    bool Audible() const { return bank_ != nullptr; }

private:
    struct Voice {
        std::int64_t startedAt = 0, endsAt = 0;
    };
    struct Slot {
        int lengthMs = 0;
        std::vector<Voice> voices;  // empty when the file was not loaded
    };

    void Load();
    void StopAll();
    std::int64_t Now() const;

    std::filesystem::path dir_;
    SoundLimits limits_;
    Clock clock_;
    std::vector<Slot> slots_;  // one per sound of the set, once loaded
    // When each sound started and not over at the last look ends: a short
    // list, so a burst of triggers checks a handful of values, not every voice.
    mutable std::vector<std::int64_t> endings_;
    bool enabled_ = false, muted_ = false;
    double volume_ = 1.0;
    std::unique_ptr<QThread> thread_;
    EffectBank* bank_ = nullptr;  // lives on `thread_`, which deletes it when it ends
};

}  // namespace tarq
