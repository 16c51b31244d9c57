// Deterministic hash noise. Tile noise repeats every tile, so a texture built
// from it continues unbroken from one tile into the next.
#pragma once

#include <cstdint>

namespace sheetgen {

std::uint32_t Hash(int x, int y, int seed);
// Uniform in [0, 1).
double Hash01(int x, int y, int seed);

// Smooth value noise in [0, 1] on a lattice of `cells` cells per unit,
// repeating with period 1 in u and v.
double TileNoise(double u, double v, int cells, int seed);
// Sum of octaves starting at `cells`, each twice as fine and half as strong; [0, 1].
double TileFbm(double u, double v, int cells, int octaves, int seed);

// A small deterministic random sequence for placing details.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    double uniform(double lo, double hi) { return lo + (hi - lo) * (next() % 100000) / 100000.0; }
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1)); }

private:
    std::uint32_t state_;
};

}  // namespace sheetgen
