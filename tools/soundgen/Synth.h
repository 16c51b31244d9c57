// The synthesiser's parts: oscillators, noise, a filter, envelopes, and
// layers (a filtered noise burst, a falling thump, an FM note) added into a
// buffer of samples at 22050 Hz.
//
// Every file must come out byte for byte the same on every build, so the
// sample path uses only +, -, *, /, floor and sqrt, which IEEE arithmetic
// rounds the same everywhere: sine and exp are our own polynomials, not the
// C library's (whose last bits may differ between versions), the noise comes
// from our own generator with a fixed seed, and each sample is computed in a
// fixed order.
#pragma once

#include <cstdint>
#include <vector>

namespace soundgen {

inline constexpr double kRate = 22050.0;
inline constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

// sin(2 pi cycles).
double Sine(double cycles);
// e^x, for the |x| an envelope or a level needs (below a few hundred).
double Exp(double x);
// 10^(db / 20).
double FromDb(double db);
// Soft saturation: near x for small x, flattening to +-1 from |x| = 3 on.
double Saturate(double x);

// splitmix64: the noise source, the same sequence for the same seed everywhere.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    double Unit();     // [0, 1)
    double Uniform();  // [-1, 1)

private:
    std::uint64_t state_;
};

// A state-variable filter (trapezoidal form: stable at any cutoff below the
// Nyquist frequency, cheap to sweep sample by sample).
class Filter {
public:
    enum Kind { Low, Band, High };
    void Set(double cutoffHz, double q);
    double Run(Kind kind, double x);

private:
    double a1_ = 0, a2_ = 0, a3_ = 0, k_ = 1, ic1_ = 0, ic2_ = 0;
};

// An envelope: a linear rise over `attack` seconds, then e^(-t / tau).
double Envelope(double t, double attack, double tau);
// A value gliding from `from` towards `to` with time constant `tau`.
double Glide(double t, double from, double to, double tau);

struct Noise {
    double at = 0, length = 0.1;  // seconds
    double attack = 0.001, tau = 0.05;
    Filter::Kind kind = Filter::Low;
    double fromHz = 2000, toHz = 2000, glideTau = 0.05, q = 0.7;
    double gain = 1;
    bool brown = false;  // integrated noise: a deep rumble rather than a hiss
};

struct Thump {
    double at = 0, length = 0.2;
    double attack = 0.002, tau = 0.08;
    double fromHz = 120, toHz = 50, glideTau = 0.06;
    double gain = 1;
};

// A two-operator FM note: the modulator at `ratio` x the pitch; the index
// falls from `indexFrom` to `indexTo` (a struck sound) and, with `brassy`,
// also follows the loudness (a blown one). `release` seconds of linear
// fade end it at `length`.
struct Note {
    double at = 0, length = 0.3;
    double hz = 440, bendToHz = 0, bendTau = 0.05;  // bendToHz 0: no bend
    double ratio = 1, indexFrom = 1, indexTo = 1, indexTau = 0.1;
    bool brassy = false;
    double attack = 0.005, tau = 1, release = 0.03;
    double vibratoHz = 0, vibratoDepth = 0;  // depth as a fraction of the pitch
    double gain = 1;
};

// Sparse random clicks, high-passed: debris and dirt falling after a blast.
struct Crackle {
    double at = 0, length = 0.5;
    double perSecond = 40, tau = 0.3;  // density, and how the loudness falls
    double cutoffHz = 1500;
    double gain = 0.3;
};

Buffer Silence(double seconds);
void Add(Buffer& buffer, Rng& rng, const Noise& layer);
void Add(Buffer& buffer, const Thump& layer);
void Add(Buffer& buffer, const Note& layer);
void Add(Buffer& buffer, Rng& rng, const Crackle& layer);
void SaturateAll(Buffer& buffer, double drive);
void LowPassAll(Buffer& buffer, double cutoffHz);

// The finished sound as 16-bit samples: the DC taken out, `fadeIn` and
// `fadeOut` seconds of fade at the ends (no click where it starts or stops),
// the peak brought to `peakDb` below full scale.
std::vector<std::int16_t> Finish(Buffer buffer, double peakDb, double fadeIn = 0.002, double fadeOut = 0.012);

}  // namespace soundgen
