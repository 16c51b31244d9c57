// The game's random source: a 32-bit linear congruential generator whose
// Random(n) is the high half of the 64-bit product seed x n. The seed comes
// from the clock unless a fixed source is injected (tests, tools).
#pragma once

#include <cstdint>
#include <functional>

namespace tarq {

class RandomSource {
public:
    using SeedFunction = std::function<std::uint32_t()>;

    // Milliseconds since midnight UTC: ((h * 60 + m) * 60 + s) * 1000 + ms.
    static std::uint32_t ClockSeed();

    RandomSource() : seedSource_(&RandomSource::ClockSeed) {}
    explicit RandomSource(SeedFunction source) : seedSource_(std::move(source)) {}

    // Takes a new seed from the seed source.
    void Reseed() { seed_ = seedSource_(); }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t Seed() const { return seed_; }

    // 0..n-1 for n > 0; 0 for n = 0. A negative n is taken as its unsigned value.
    std::int32_t Random(std::int32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        const std::uint64_t product = static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(product >> 32));
    }

    // lo + Random(hi - lo + 1): uniform in lo..hi.
    std::int32_t RandomRange(std::int32_t lo, std::int32_t hi) { return lo + Random(hi - lo + 1); }

private:
    SeedFunction seedSource_;
    std::uint32_t seed_ = 0;
};

}  // namespace tarq
