// Terrain tiles are computed pixel by pixel from fields that repeat every
// tile (ground and water textures, shoreline and rock noise), so two tiles
// side by side continue each other. A coast tile is land whose shore keeps a
// distance from the water neighbours the coast pass saw around it; an
// obstacle tile is rock that keeps a distance from the cells of its footprint
// that are not rock.
#include "Terrain.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "Noise.h"
#include "Sheets.h"
#include "world/TerrainTables.h"

namespace sheetgen {
namespace {

constexpr int T = kTerrainTile;
constexpr double kPi = 3.14159265358979;

struct Rgb {
    double r = 0, g = 0, b = 0;
};
Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb Add(Rgb a, double d) { return {a.r + d, a.g + d, a.b + d}; }
QRgb ToQRgb(Rgb c) {
    auto ch = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}
double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double SmoothStep(double a, double b, double x) {
    const double t = Clamp01((x - a) / (b - a));
    return t * t * (3 - 2 * t);
}

// Offsets of the neighbour bits, in bit order.
constexpr int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
int BitOf(int dx, int dy) {
    for (int i = 0; i < 8; ++i)
        if (kDx[i] == dx && kDy[i] == dy) return 1 << i;
    return 0;
}

// Distance from (u, v) in the tile to the nearest neighbour cell of `open`,
// in tiles; 2 when there is none.
double DistanceToOpen(double u, double v, int open) {
    double d = 2;
    for (int i = 0; i < 8; ++i) {
        if (!(open & (1 << i))) continue;
        const double ex = kDx[i] < 0 ? u : kDx[i] > 0 ? 1 - u : 0;
        const double ey = kDy[i] < 0 ? v : kDy[i] > 0 ? 1 - v : 0;
        d = std::min(d, std::sqrt(ex * ex + ey * ey));
    }
    return d;
}

// ---------------------------------------------------------------- palettes

struct Palette {
    Rgb groundDark, groundLight, grainDark, grainLight;
    Rgb beach, deep, wave, shallow, foam;
    Rgb rockDark, rockLight, rockTop, pit;
    int texture;  // 0 grass, 1 dirt, 2 sand, 3 snow
};

Palette PaletteOf(int kind) {
    switch (kind) {
        case 1:
            return {{104, 80, 52},   {140, 110, 74},
                    {84, 62, 40},    {160, 132, 94},
                    {196, 176, 124}, {38, 82, 128},
                    {70, 118, 160},  {74, 128, 150},
                    {196, 214, 222}, {86, 76, 66},
                    {164, 150, 130}, {178, 164, 142},
                    {52, 42, 34},    1};
        case 2:
            return {{196, 166, 108}, {222, 196, 140},
                    {176, 146, 92},  {232, 210, 160},
                    {214, 196, 150}, {34, 96, 140},
                    {66, 136, 176},  {70, 160, 170},
                    {210, 228, 230}, {140, 92, 58},
                    {204, 150, 100}, {214, 168, 118},
                    {92, 60, 38},    2};
        case 3:
            return {{196, 206, 220}, {232, 236, 242},
                    {176, 188, 206}, {244, 246, 250},
                    {170, 176, 184}, {40, 74, 110},
                    {72, 108, 140},  {96, 130, 156},
                    {214, 226, 236}, {84, 90, 100},
                    {150, 156, 166}, {236, 240, 246},
                    {60, 66, 78},    3};
        default:
            return {{70, 112, 44},   {112, 156, 64},
                    {56, 92, 36},    {136, 176, 80},
                    {206, 188, 132}, {36, 86, 140},
                    {68, 124, 176},  {66, 140, 160},
                    {206, 224, 236}, {84, 80, 72},
                    {176, 168, 152}, {186, 180, 166},
                    {44, 40, 32},    0};
    }
}

// Ground and water textures of one palette; both repeat every tile.
struct Textures {
    Rgb ground[T][T];
    Rgb water[T][T];
    double shore[T][T];  // shoreline wobble, [0, 1]
    double bumps[T][T];  // rock relief, [0, 1]
    double crag[T][T];   // fine rock detail, [0, 1]
};

Rgb GroundAt(const Palette& p, int x, int y) {
    const double u = (x + 0.5) / T, v = (y + 0.5) / T;
    const double broad = TileFbm(u, v, 3, 3, 11);
    // Kept gentle: the ground repeats every tile, and strong patches would
    // show the repetition; the variants bring the larger changes.
    Rgb c = Mix(p.groundDark, p.groundLight, 0.3 + 0.4 * SmoothStep(0.2, 0.8, broad));
    const double grain = Hash01(x, y, 17);
    switch (p.texture) {
        case 0:  // grass: blades as short dark and light specks
            if (grain > 0.86)
                c = Mix(c, p.grainLight, 0.55);
            else if (grain < 0.12)
                c = Mix(c, p.grainDark, 0.6);
            break;
        case 1:  // dirt: clods and pebbles
            if (grain > 0.93)
                c = Mix(c, p.grainLight, 0.7);
            else if (grain < 0.18)
                c = Mix(c, p.grainDark, 0.5);
            c = Add(c, (TileNoise(u, v, 16, 23) - 0.5) * 18);
            break;
        case 2: {  // sand: wind ripples
            const double ripple = std::sin(2 * kPi * (5 * u + 2 * v) + 5 * TileFbm(u, v, 4, 2, 29));
            c = Add(c, ripple * 9 + (grain - 0.5) * 10);
            break;
        }
        default:  // snow: soft drifts and sparkle
            c = Add(c, (TileFbm(u, v, 6, 2, 31) - 0.5) * 16);
            if (grain > 0.97) c = Mix(c, {255, 255, 255}, 0.6);
            break;
    }
    return c;
}

Rgb WaterAt(const Palette& p, int x, int y) {
    const double u = (x + 0.5) / T, v = (y + 0.5) / T;
    Rgb c = Mix(p.deep, Mix(p.deep, p.wave, 0.5), TileFbm(u, v, 2, 3, 41));
    const double phase = 2 * kPi * (2 * u + 3 * v) + 4.0 * TileFbm(u, v, 3, 2, 43);
    const double crest = std::pow(std::max(0.0, std::sin(phase)), 6.0);
    return Mix(c, p.wave, 0.55 * crest);
}

void FillTextures(const Palette& p, Textures& t) {
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const double u = (x + 0.5) / T, v = (y + 0.5) / T;
            t.ground[y][x] = GroundAt(p, x, y);
            t.water[y][x] = WaterAt(p, x, y);
            t.shore[y][x] = TileFbm(u, v, 4, 3, 53);
            t.bumps[y][x] = TileFbm(u, v, 4, 3, 59);
            t.crag[y][x] = TileFbm(u, v, 8, 3, 79);
        }
}

// Weight that is 1 in the middle of a tile and 0 along its edges, so a
// variant's own details never reach a seam.
double InnerWindow(double u, double v) {
    const double w = std::sin(kPi * u) * std::sin(kPi * v);
    return SmoothStep(0.15, 0.6, w);
}

// ---------------------------------------------------------------- coast

Rgb CoastPixel(const Palette& p, const Textures& t, int x, int y, int water) {
    const double u = (x + 0.5) / T, v = (y + 0.5) / T;
    const double d = DistanceToOpen(u, v, water);
    const double s = d - (0.24 + 0.16 * (t.shore[y][x] - 0.5) * 2);
    Rgb sea = Mix(t.water[y][x], p.shallow, 0.55 * Clamp01(d / 0.3));
    sea = Mix(sea, p.foam, 0.7 * SmoothStep(-0.07, -0.01, s) * (1 - SmoothStep(-0.01, 0.0, s)));
    const Rgb beach = Add(p.beach, (Hash01(x, y, 61) - 0.5) * 14);
    const Rgb land = Mix(beach, t.ground[y][x], SmoothStep(0.07, 0.15, s));
    return Mix(sea, land, SmoothStep(-0.012, 0.012, s));
}

// ---------------------------------------------------------------- obstacles

enum class RockStyle { Mountain, Crater, Rubble };

struct ObstacleTileInfo {
    bool passable = false;
    int rock = 0;  // neighbours that continue the rock
    RockStyle style = RockStyle::Mountain;
    const tarq::ObstacleKind* kind = nullptr;  // the first footprint using the tile
    int dc = 0, dr = 0;                        // and its place there
};

RockStyle StyleOf(bool large, int kind) {
    if (large && (kind == 4 || kind == 8)) return RockStyle::Crater;
    if (!large && kind == 10) return RockStyle::Crater;
    if (large && kind == 5) return RockStyle::Rubble;
    return RockStyle::Mountain;
}

struct Placed {
    const tarq::ObstacleKind* kind;
    const tarq::ObstacleTile* tile;
};

const tarq::ObstacleTile* TileAt(const tarq::ObstacleKind& k, int dc, int dr) {
    for (const tarq::ObstacleTile& t : k.tiles)
        if (t.dc == dc && t.dr == dr) return &t;
    return nullptr;
}

// Rock joins two neighbouring tiles only where every footprint that uses
// either tile puts them together as blocked cells; a tile reused alone
// elsewhere stays a separate boulder.
std::map<int, ObstacleTileInfo> ObstacleTiles() {
    std::map<int, std::vector<Placed>> uses;
    std::map<int, ObstacleTileInfo> info;
    auto collect = [&](const std::vector<tarq::ObstacleKind>& kinds, bool large) {
        for (std::size_t k = 0; k < kinds.size(); ++k)
            for (const tarq::ObstacleTile& t : kinds[k].tiles) {
                uses[t.code].push_back({&kinds[k], &t});
                if (!info.count(t.code))
                    info[t.code] = {t.passable, 0, StyleOf(large, static_cast<int>(k)), &kinds[k], t.dc, t.dr};
            }
    };
    collect(tarq::LargeObstacles(), true);
    collect(tarq::SmallObstacles(), false);
    for (auto& [code, i] : info) {
        if (i.passable) continue;
        for (int b = 0; b < 8; ++b) {
            bool joined = true;
            for (const Placed& p : uses[code]) {
                const tarq::ObstacleTile* n = TileAt(*p.kind, p.tile->dc + kDx[b], p.tile->dr + kDy[b]);
                joined = joined && n && !n->passable;
            }
            if (joined) i.rock |= 1 << b;
        }
    }
    for (bool changed = true; changed;) {  // make joins mutual
        changed = false;
        for (auto& [code, i] : info)
            for (int b = 0; b < 8; ++b) {
                if (!(i.rock & (1 << b))) continue;
                const int back = BitOf(-kDx[b], -kDy[b]);
                for (const Placed& p : uses[code]) {
                    const tarq::ObstacleTile* n = TileAt(*p.kind, p.tile->dc + kDx[b], p.tile->dr + kDy[b]);
                    if (!(info[n->code].rock & back)) {
                        i.rock &= ~(1 << b);
                        changed = true;
                        break;
                    }
                }
            }
    }
    return info;
}

// The rock of a footprint is shaped in the footprint's own coordinates (tile
// column + u, tile row + v): joined tiles continue each other, and inner
// tiles differ although the ground under them repeats every tile. Samples
// include a one-pixel border for the slope.
constexpr int kReliefSpan = T + 2;
struct Relief {
    std::vector<float> foot;    // distance inside the rock's outline, in tiles; negative outside
    std::vector<float> height;  // the rock's height
    std::vector<float> crag;    // fine detail for cracks
    float at(const std::vector<float>& v, int x, int y) const {
        return v[static_cast<std::size_t>((y + 1) * kReliefSpan + x + 1)];
    }
};

// Footprint-wide smooth noise, repeating only every 8 tiles.
// The lattice is shifted off the tile grid, so no lattice line runs along a
// tile edge.
double FootprintNoise(double X, double Y, int cellsPerTile, int seed) {
    return TileFbm((X + 0.37) / 8, (Y + 0.61) / 8, 8 * cellsPerTile, 3, seed);
}

double DistanceToSquare(double X, double Y, int c, int r) {
    const double dx = std::max({c - X, 0.0, X - (c + 1)}), dy = std::max({r - Y, 0.0, Y - (r + 1)});
    return std::sqrt(dx * dx + dy * dy);
}

// Cells around a tile that the rock keeps away from: outside the footprint,
// passable, or a boulder of its own. A tile that joins nothing is a boulder
// with open ground on every side.
std::vector<std::pair<int, int>> OpenCells(const ObstacleTileInfo& o, const std::map<int, ObstacleTileInfo>& all) {
    std::vector<std::pair<int, int>> open;
    const int reach = o.rock ? 4 : 1;
    for (int c = o.dc - reach; c <= o.dc + reach; ++c)
        for (int r = o.dr - reach; r <= o.dr + reach; ++r) {
            if (c == o.dc && r == o.dr) continue;
            const tarq::ObstacleTile* t = TileAt(*o.kind, c, r);
            if (!o.rock || !t || t->passable || all.at(t->code).rock == 0) open.push_back({c, r});
        }
    return open;
}

Relief MakeRelief(const ObstacleTileInfo& o, const std::map<int, ObstacleTileInfo>& all) {
    const std::vector<std::pair<int, int>> open = OpenCells(o, all);
    Relief relief;
    for (int py = -1; py <= T; ++py)
        for (int px = -1; px <= T; ++px) {
            const double X = o.dc + (px + 0.5) / T, Y = o.dr + (py + 0.5) / T;
            double d = 4;
            for (const auto& [c, r] : open) d = std::min(d, DistanceToSquare(X, Y, c, r));
            const double h0 = d - (0.06 + 0.3 * FootprintNoise(X, Y, 4, 53));
            const double crag = FootprintNoise(X, Y, 8, 79);
            double h = h0;
            if (h0 > 0 && o.style == RockStyle::Crater) {
                h = (h0 < 0.12 ? h0 / 0.12 : std::max(-0.7, 1 - (h0 - 0.12) * 6)) + 0.3 * (crag - 0.5);
            } else if (h0 > 0) {
                const double q = 2 * FootprintNoise(X, Y, 3, 59) - 1;
                const double ridge = 1 - std::sqrt(q * q + 0.01);  // ridges with rounded crests
                h = std::sqrt(h0) * 2.4 + 1.0 * ridge * std::min(1.0, h0 * 4) + 0.35 * (crag - 0.5);
            }
            relief.foot.push_back(static_cast<float>(h0));
            relief.height.push_back(static_cast<float>(h));
            relief.crag.push_back(static_cast<float>(crag));
        }
    return relief;
}

Rgb RockPixel(const ObstacleTileInfo& o, const Relief& r, const Palette& p, int x, int y, Rgb ground) {
    const double h0 = r.at(r.foot, x, y);
    if (h0 <= -0.05) return ground;
    if (h0 <= 0) return Mix(ground, p.pit, 0.35 * (1 + h0 / 0.05));  // shadow at the foot
    const double h = r.at(r.height, x, y);
    const double gx = (r.at(r.height, x + 1, y) - r.at(r.height, x - 1, y)) / 2;
    const double gy = (r.at(r.height, x, y + 1) - r.at(r.height, x, y - 1)) / 2;
    const double light = Clamp01(0.55 - 7.0 * (gx + gy));
    Rgb rock = Mix(p.rockDark, p.rockLight, Clamp01(0.05 + 0.12 * h + (light - 0.5) * 1.8));
    if (o.style == RockStyle::Crater && h0 > 0.2) rock = Mix(rock, p.pit, 0.55);
    if (std::abs(r.at(r.crag, x, y) - 0.5) < 0.012) rock = Mix(rock, p.pit, 0.45);  // cracks
    if (p.texture == 3)                                                             // snow on sunlit tops
        rock = Mix(rock, p.rockTop, 0.8 * SmoothStep(0.45, 0.85, light) * SmoothStep(0.2, 1.0, h));
    rock = Add(rock, (Hash01(x, y, 67) - 0.5) * 14);
    return Mix(p.pit, rock, SmoothStep(0.0, 0.03, h0));  // dark line along the foot
}

void DrawObstacle(QImage& sheet, int code, const ObstacleTileInfo& o, const Relief& relief, const Palette& p,
                  const Textures& t) {
    const int ox = (code % kTerrainPerRow) * T, oy = (code / kTerrainPerRow) * T;
    const bool solid = !o.passable && o.style != RockStyle::Rubble;
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x)
            sheet.setPixel(ox + x, oy + y,
                           ToQRgb(solid ? RockPixel(o, relief, p, x, y, t.ground[y][x]) : t.ground[y][x]));
    if (solid) return;
    Rng rng(static_cast<std::uint32_t>(code) * 977u);  // loose stones that units can cross
    const int stones = rng.range(6, 11);
    for (int i = 0; i < stones; ++i) {
        const double cx = rng.uniform(10, 54), cy = rng.uniform(10, 54), r = rng.uniform(2.0, 4.5);
        for (int y = static_cast<int>(cy - r - 1); y <= cy + r + 1; ++y)
            for (int x = static_cast<int>(cx - r - 1); x <= cx + r + 1; ++x) {
                const double dx = (x - cx) / r, dy = (y - cy) / r, q = dx * dx + dy * dy;
                if (q > 1) continue;
                const Rgb stone = Mix(p.rockLight, p.rockDark, Clamp01(0.5 + 0.6 * (dx + dy)));
                sheet.setPixel(ox + x, oy + y, ToQRgb(stone));
            }
    }
}

// Tile information and relief of every obstacle tile; the shapes are the
// same in every palette, so they are made once.
struct Obstacles {
    std::map<int, ObstacleTileInfo> tiles = ObstacleTiles();
    std::map<int, Relief> reliefs;
    Obstacles() {
        for (const auto& [code, info] : tiles)
            if (!info.passable) reliefs.emplace(code, MakeRelief(info, tiles));
    }
};

const Obstacles& TheObstacles() {
    static const Obstacles obstacles;
    return obstacles;
}

// ---------------------------------------------------------------- plain tiles

void DrawPlain(QImage& sheet, int code, const Palette& p, const Textures& t, bool water, int variant) {
    const int ox = (code % kTerrainPerRow) * T, oy = (code / kTerrainPerRow) * T;
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const double u = (x + 0.5) / T, v = (y + 0.5) / T;
            Rgb c = water ? t.water[y][x] : t.ground[y][x];
            if (variant > 0) {
                const double w = InnerWindow(u, v);
                const double n = TileFbm(u, v, 3, 2, 300 + variant * 13);
                if (water) {
                    const double crest = std::pow(std::max(0.0, std::sin(2 * kPi * (3 * u - 2 * v) + 6 * n)), 8.0);
                    c = Mix(c, variant % 2 ? p.wave : p.deep, w * (0.25 + 0.4 * crest));
                } else {
                    const Rgb patch = variant % 2 ? p.grainDark : p.grainLight;
                    c = Mix(c, patch, w * 0.22 * SmoothStep(0.4, 0.8, n));
                }
            }
            sheet.setPixel(ox + x, oy + y, ToQRgb(c));
        }
    if (variant > 0 && !water) {  // a few tufts, stones or flowers inside the tile
        Rng rng(static_cast<std::uint32_t>(variant) * 31u + 7u);
        const int n = rng.range(4, 9);
        for (int i = 0; i < n; ++i) {
            const int cx = rng.range(12, 51), cy = rng.range(12, 51);
            const Rgb dot = i % 3 == 0 ? p.grainDark : (i % 3 == 1 ? p.grainLight : p.rockLight);
            for (int k = 0; k < 8; k += 2) sheet.setPixel(ox + cx + kDx[k], oy + cy + kDy[k], ToQRgb(dot));
            sheet.setPixel(ox + cx, oy + cy, ToQRgb(dot));
        }
    }
}

void DrawVoid(QImage& sheet, int code) {
    const int ox = (code % kTerrainPerRow) * T, oy = (code / kTerrainPerRow) * T;
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) sheet.setPixel(ox + x, oy + y, ToQRgb(Add({14, 18, 28}, Hash01(x, y, 71) * 6)));
}

}  // namespace

std::array<int, 256> CoastWaterMasks() {
    std::array<int, 256> masks{};
    for (const tarq::CoastRule& rule : tarq::CoastRules()) {
        const tarq::CoastWindow& w = tarq::kCoastWindows[static_cast<std::size_t>(rule.check)];
        for (const std::string& pattern : rule.patterns) {
            std::map<std::pair<int, int>, bool> water;  // known cells of the window
            int dc = w.colLo, dr = w.rowLo;
            for (char ch : pattern) {
                if (ch == '/') {
                    ++dr, dc = w.colLo;
                    continue;
                }
                water[{dc, dr}] = ch == '.';
                ++dc;
            }
            for (const tarq::CoastWrite& wr : rule.writes)
                if (wr.code != tarq::kTerrainWater) water[{wr.dc, wr.dr}] = false;
            for (const tarq::CoastWrite& wr : rule.writes) {
                if (wr.code < tarq::kTerrainCoastFirst || wr.code > tarq::kTerrainCoastLast) continue;
                for (int b = 0; b < 8; ++b) {
                    auto it = water.find({wr.dc + kDx[b], wr.dr + kDy[b]});
                    if (it != water.end() && it->second) masks[wr.code] |= 1 << b;
                }
            }
        }
    }
    return masks;
}

QImage DrawTerrainSheet(int kind) {
    const Palette p = PaletteOf(kind);
    auto t = std::make_unique<Textures>();
    FillTextures(p, *t);
    QImage sheet(kTerrainPerRow * T, (kTerrainTiles / kTerrainPerRow) * T, QImage::Format_RGB32);
    sheet.fill(qRgb(0, 0, 0));
    for (int code = 0; code < kTerrainTiles; ++code) DrawVoid(sheet, code);
    DrawPlain(sheet, tarq::kTerrainWater, p, *t, true, 0);
    DrawPlain(sheet, tarq::kTerrainLand, p, *t, false, 0);
    for (int c = tarq::kTerrainLandVariantFirst; c <= tarq::kTerrainLandVariantLast; ++c)
        DrawPlain(sheet, c, p, *t, false, c - tarq::kTerrainLandVariantFirst + 1);
    for (int c = tarq::kTerrainWaterVariantFirst; c <= tarq::kTerrainWaterVariantLast; ++c)
        DrawPlain(sheet, c, p, *t, true, c - tarq::kTerrainWaterVariantFirst + 1);
    const std::array<int, 256> coast = CoastWaterMasks();
    for (int c = tarq::kTerrainCoastFirst; c <= tarq::kTerrainCoastLast; ++c) {
        const int ox = (c % kTerrainPerRow) * T, oy = (c / kTerrainPerRow) * T;
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < T; ++x)
                sheet.setPixel(ox + x, oy + y, ToQRgb(CoastPixel(p, *t, x, y, coast[static_cast<std::size_t>(c)])));
    }
    const Obstacles& obstacles = TheObstacles();
    static const Relief kNoRelief;
    for (const auto& [code, info] : obstacles.tiles) {
        const auto it = obstacles.reliefs.find(code);
        DrawObstacle(sheet, code, info, it != obstacles.reliefs.end() ? it->second : kNoRelief, p, *t);
    }
    return sheet;
}

}  // namespace sheetgen
