#include "Noise.h"

#include <cmath>

namespace sheetgen {

std::uint32_t Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double Hash01(int x, int y, int seed) { return (Hash(x, y, seed) & 0xFFFFFF) / 16777216.0; }

namespace {
int Wrap(int i, int n) { return ((i % n) + n) % n; }
// Quintic fade: slope and curvature are continuous across lattice lines,
// so shading computed from the noise shows no creases along them.
double Smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
}  // namespace

double TileNoise(double u, double v, int cells, int seed) {
    const double x = u * cells, y = v * cells;
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const double fx = Smooth(x - x0), fy = Smooth(y - y0);
    auto at = [&](int i, int j) { return Hash01(Wrap(i, cells), Wrap(j, cells), seed); };
    const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
    const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
    return a + (b - a) * fy;
}

double TileFbm(double u, double v, int cells, int octaves, int seed) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * TileNoise(u, v, cells, seed + 101 * o);
        total += weight;
        weight *= 0.5;
        cells *= 2;
    }
    return sum / total;
}

}  // namespace sheetgen
