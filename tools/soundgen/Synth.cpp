#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace soundgen {

namespace {

constexpr double kLn10 = 2.30258509299404568402;
// Each layer ends with this much linear fade, so one stopping inside a
// sound leaves no step in the waveform.
constexpr double kLayerRelease = 0.004;

std::size_t SampleAt(double seconds) { return static_cast<std::size_t>(std::floor(seconds * kRate + 0.5)); }

// 1 until `release` seconds before `length`, then falling linearly to 0 at `length`.
double Tail(double t, double length, double release) {
    const double left = length - t;
    if (left >= release) return 1;
    return left <= 0 ? 0 : left / release;
}

// Calls write(offset into the layer, t) for every sample of a layer that
// starts at `at` and lasts `length` seconds, within the buffer.
template <typename Write>
void ForEachSample(Buffer& buffer, double at, double length, Write write) {
    const std::size_t start = SampleAt(at), count = SampleAt(length);
    for (std::size_t i = 0; i < count && start + i < buffer.size(); ++i)
        buffer[start + i] += write(static_cast<double>(i) / kRate);
}

}  // namespace

double Sine(double cycles) {
    double u = cycles - std::floor(cycles);  // [0, 1)
    if (u > 0.5) u -= 1;                     // [-0.5, 0.5]
    if (u > 0.25) u = 0.5 - u;               // fold onto [-0.25, 0.25]
    if (u < -0.25) u = -0.5 - u;
    const double x = 2 * kPi * u, x2 = x * x;
    // Taylor series to x^13: under 1e-9 off on [-pi/2, pi/2].
    double sum = 1;
    for (int k = 13; k >= 3; k -= 2) sum = 1 - x2 / (k * (k - 1)) * sum;
    return x * sum;
}

double Exp(double x) {
    if (x < -60) return 0;
    int halvings = 0;
    while (x > 0.5 || x < -0.5) {
        x /= 2;
        ++halvings;
    }
    double term = 1, sum = 1;
    for (int k = 1; k <= 9; ++k) {
        term *= x / k;
        sum += term;
    }
    for (int i = 0; i < halvings; ++i) sum *= sum;
    return sum;
}

double FromDb(double db) { return Exp(db * kLn10 / 20); }

double Saturate(double x) {
    x = std::clamp(x, -3.0, 3.0);
    const double x2 = x * x;
    return x * (27 + x2) / (27 + 9 * x2);
}

std::uint64_t Rng::Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

double Rng::Uniform() { return 2 * Unit() - 1; }

void Filter::Set(double cutoffHz, double q) {
    const double half = std::clamp(cutoffHz, 10.0, 0.45 * kRate) / (2 * kRate);  // pi fc / rate, in cycles
    const double g = Sine(half) / Sine(half + 0.25);                             // tan(pi fc / rate)
    k_ = 1 / q;
    a1_ = 1 / (1 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

double Filter::Run(Kind kind, double x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    switch (kind) {
        case Low: return v2;
        case Band: return k_ * v1;  // unit gain at the centre whatever the q
        case High: return x - k_ * v1 - v2;
    }
    return 0;
}

double Envelope(double t, double attack, double tau) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    return Exp(-(t - attack) / tau);
}

double Glide(double t, double from, double to, double tau) { return to + (from - to) * Exp(-t / tau); }

Buffer Silence(double seconds) { return Buffer(SampleAt(seconds), 0.0); }

void Add(Buffer& buffer, Rng& rng, const Noise& n) {
    Filter filter;
    double brown = 0;
    ForEachSample(buffer, n.at, n.length, [&](double t) {
        double x = rng.Uniform();
        if (n.brown) x = brown = 0.99 * brown + 0.1 * x;
        filter.Set(Glide(t, n.fromHz, n.toHz, n.glideTau), n.q);
        return n.gain * Envelope(t, n.attack, n.tau) * Tail(t, n.length, kLayerRelease) * filter.Run(n.kind, x);
    });
}

void Add(Buffer& buffer, const Thump& th) {
    double phase = 0;
    ForEachSample(buffer, th.at, th.length, [&](double t) {
        phase += Glide(t, th.fromHz, th.toHz, th.glideTau) / kRate;
        return th.gain * Envelope(t, th.attack, th.tau) * Tail(t, th.length, kLayerRelease) * Sine(phase);
    });
}

void Add(Buffer& buffer, const Note& n) {
    double carrier = 0, modulator = 0;
    ForEachSample(buffer, n.at, n.length, [&](double t) {
        double hz = n.bendToHz > 0 ? Glide(t, n.hz, n.bendToHz, n.bendTau) : n.hz;
        if (n.vibratoDepth > 0) hz *= 1 + n.vibratoDepth * Sine(n.vibratoHz * t);
        carrier += hz / kRate;
        modulator += hz * n.ratio / kRate;
        const double env = Envelope(t, n.attack, n.tau) * Tail(t, n.length, std::max(n.release, kLayerRelease));
        double index = Glide(t, n.indexFrom, n.indexTo, n.indexTau);
        if (n.brassy) index *= env;
        return n.gain * env * Sine(carrier + index / (2 * kPi) * Sine(modulator));
    });
}

void Add(Buffer& buffer, Rng& rng, const Crackle& c) {
    Filter filter;
    filter.Set(c.cutoffHz, 0.7);
    int grainLeft = 0, grainLength = 1;
    double grainLevel = 0;
    ForEachSample(buffer, c.at, c.length, [&](double t) {
        if (grainLeft == 0 && rng.Unit() < c.perSecond / kRate) {
            grainLength = grainLeft = 30 + static_cast<int>(rng.Next() % 120);  // 1.4 to 6.8 ms
            grainLevel = 0.3 + 0.7 * rng.Unit();
        }
        double x = 0;
        if (grainLeft > 0) x = grainLevel * rng.Uniform() * grainLeft-- / grainLength;
        return c.gain * Envelope(t, 0.005, c.tau) * Tail(t, c.length, kLayerRelease) * filter.Run(Filter::High, x);
    });
}

namespace {

double Peak(const Buffer& buffer) {
    double peak = 0;
    for (double x : buffer) peak = std::max(peak, std::fabs(x));
    return peak;
}

}  // namespace

void SaturateAll(Buffer& buffer, double drive) {
    const double peak = Peak(buffer);
    if (peak == 0) return;
    for (double& x : buffer) x = Saturate(drive * x / peak);
}

void LowPassAll(Buffer& buffer, double cutoffHz) {
    Filter filter;
    filter.Set(cutoffHz, 0.7);
    for (double& x : buffer) x = filter.Run(Filter::Low, x);
}

std::vector<std::int16_t> Finish(Buffer buffer, double peakDb, double fadeIn, double fadeOut) {
    // DC blocker (a pole at about 18 Hz): the fades then end on silence, not on an offset.
    double previousIn = 0, previousOut = 0;
    for (double& x : buffer) {
        const double y = x - previousIn + 0.995 * previousOut;
        previousIn = x;
        x = previousOut = y;
    }
    // Raised-cosine fades at both ends; the first and the last sample are 0.
    const std::size_t n = buffer.size(), in = std::min(SampleAt(fadeIn), n), out = std::min(SampleAt(fadeOut), n);
    for (std::size_t i = 0; i < in; ++i)
        buffer[i] *= (1 - Sine(0.5 * static_cast<double>(i) / static_cast<double>(in) + 0.25)) / 2;
    for (std::size_t i = 0; i < out; ++i)
        buffer[n - 1 - i] *= (1 - Sine(0.5 * static_cast<double>(i) / static_cast<double>(out) + 0.25)) / 2;

    const double peak = Peak(buffer);
    const double scale = peak > 0 ? FromDb(peakDb) * 32767 / peak : 0;
    std::vector<std::int16_t> samples(n);
    for (std::size_t i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>(std::clamp(std::floor(buffer[i] * scale + 0.5), -32767.0, 32767.0));
    return samples;
}

}  // namespace soundgen
