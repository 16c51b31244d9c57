// mapview: a developer tool that generates one map with a given seed, size,
// model and page parameters (the same seed at both seeding points) and writes
// terrain.txt, passability.txt and deposits.txt, plus an optional PNG.
//
//   mapview --seed 12345 --size 100 --model strips --out /tmp/map --png /tmp/map.png
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "core/World.h"
#include "platform/BmpFile.h"
#include "view/ColourStrip.h"
#include "world/MapGenerator.h"

namespace {

using namespace tarq;

struct Options {
    std::uint32_t seed = 1;
    MapControls controls;
    int terrainSet = 0;
    std::filesystem::path outDir = ".";
    std::filesystem::path png;
    std::filesystem::path sheet;
    int scale = 1;
};

void Usage() {
    std::cerr << "usage: mapview [--seed N] [--size 50|100|150|200|300|400] [--model islands|strips]\n"
                 "               [--ismass P] [--landmass P] [--strips P] [--strip-length P] [--strip-width P]\n"
                 "               [--mountains P] [--stones P] [--deposits P] [--terrain-set 0..3]\n"
                 "               [--out DIR] [--png FILE [--sheet Terrain0.bmp] [--scale N]]\n";
}

bool ParseInt(const std::string& text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && end && *end == '\0';
}

bool SizeItem(long long side, int& item) {
    for (std::size_t i = 0; i < kMapSizes.size(); ++i)
        if (kMapSizes[i] == side) {
            item = static_cast<int>(i);
            return true;
        }
    return false;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    std::map<std::string, int*> positions = {
        {"--ismass", &o.controls.ismass},          {"--landmass", &o.controls.landMass},
        {"--strips", &o.controls.stripCount},      {"--strip-length", &o.controls.stripLength},
        {"--strip-width", &o.controls.stripWidth}, {"--mountains", &o.controls.mountains},
        {"--stones", &o.controls.stones},          {"--deposits", &o.controls.deposits},
        {"--terrain-set", &o.terrainSet},          {"--scale", &o.scale},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        long long number = 0;
        const bool numeric = ParseInt(value, number);
        if (name == "--seed" && numeric && number >= 0 && number <= 0xFFFFFFFFll) {
            o.seed = static_cast<std::uint32_t>(number);
        } else if (name == "--size" && numeric) {
            if (!SizeItem(number, o.controls.mapSizeItem)) return false;
        } else if (name == "--model") {
            if (value == "islands" || value == "0")
                o.controls.model = 0;
            else if (value == "strips" || value == "1")
                o.controls.model = 1;
            else
                return false;
        } else if (name == "--out") {
            o.outDir = value;
        } else if (name == "--png") {
            o.png = value;
        } else if (name == "--sheet") {
            o.sheet = value;
        } else if (positions.count(name) && numeric && number >= -100000 && number <= 100000) {
            *positions[name] = static_cast<int>(number);
        } else {
            return false;
        }
    }
    return o.terrainSet >= 0 && o.terrainSet <= 3 && o.scale >= 1 && o.scale <= 16;
}

template <typename CellText>
bool WriteGrid(const std::filesystem::path& file, const Game& game, CellText text) {
    std::ofstream out(file);
    for (int r = 1; r <= game.World.MapHeight; ++r) {
        for (int c = 1; c <= game.World.MapWidth; ++c) out << (c > 1 ? " " : "") << text(c, r);
        out << '\n';
    }
    return static_cast<bool>(out);
}

std::string Padded(int value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(s.size()))), ' ') + s;
}

// Colours by terrain class when no terrain sheet is given.
Bitmap FallbackStrip() {
    Bitmap strip(256, 1, 0xFFFF00FFu);
    for (int code = 0; code < 256; ++code) {
        Pixel p = 0xFF808080u;  // obstacles
        if (code == 1 || (code >= 54 && code <= 59)) p = 0xFF2050C0u;
        if (code == 2 || (code >= 47 && code <= 53)) p = 0xFF40A040u;
        if (code >= 3 && code <= 46) p = 0xFFD8C878u;
        if (code == 0) p = 0xFF000000u;
        strip.at(code, 0) = p;
    }
    return strip;
}

bool WritePicture(const Options& o, const Game& game) {
    Bitmap strip = FallbackStrip();
    if (!o.sheet.empty()) {
        Bitmap sheet;
        const BitmapLoad load = LoadBitmapFile(o.sheet, sheet);
        if (!load.ok) {
            std::cerr << load.error << '\n';
            return false;
        }
        strip = MakeTerrainColourStrip(sheet);
    }
    const int w = game.World.MapWidth, h = game.World.MapHeight;
    Bitmap picture(w * o.scale, h * o.scale, 0xFF000000u);
    for (int c = 1; c <= w; ++c)
        for (int r = 1; r <= h; ++r) {
            const int code = game.World.Terrain(c, r);
            const Pixel p = code < strip.width ? strip.at(code, 0) : 0xFFFF00FFu;
            for (int dy = 0; dy < o.scale; ++dy)
                for (int dx = 0; dx < o.scale; ++dx) picture.at((c - 1) * o.scale + dx, (r - 1) * o.scale + dy) = p;
        }
    return SavePngFile(o.png, picture);
}

void PrintSummary(const Options& o, const MapParameters& p, const Game& game) {
    int classes[5] = {}, deposits = 0;
    for (int c = 1; c <= p.MapWidth; ++c)
        for (int r = 1; r <= p.MapHeight; ++r) {
            const int cls = game.World.Passability(c, r);
            if (cls >= 0 && cls <= 4) ++classes[cls];
            deposits += game.World.Resources(c, r).Amount > 0;
        }
    std::cout << "seed " << o.seed << ", " << p.MapWidth << " x " << p.MapHeight << ", model "
              << (p.MapModel == 0 ? "islands" : "strips") << ", terrain set " << o.terrainSet << '\n'
              << "islands " << p.IslandCountBase << "+" << p.IslandCountRange << " size " << p.IslandSizeBase << "+"
              << p.IslandSizeRange << "; strips " << p.StripCountLow << ".." << p.StripCountHigh << " steps "
              << p.StripStepsLow << ".." << p.StripStepsHigh << " width " << p.StripWidthLow << ".." << p.StripWidthHigh
              << "; obstacles " << p.BigObstacleCount << "/" << p.SmallObstacleCount << "; deposit clusters "
              << p.DepositCount << '\n'
              << "cells: land " << classes[1] << ", coast " << classes[2] << ", water " << classes[4] << ", blocked "
              << classes[0] << "; cells with deposits " << deposits << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        Usage();
        return 2;
    }
    auto game = NewGame();
    game->World.TerrainSet = static_cast<u8>(o.terrainSet);
    RandomSource rng([seed = o.seed] { return seed; });
    const MapParameters params = GenerateFromControls(*game, o.controls, rng);
    PrintSummary(o, params, *game);

    std::error_code ec;
    std::filesystem::create_directories(o.outDir, ec);
    const TWorld& w = game->World;
    const bool ok =
        WriteGrid(o.outDir / "terrain.txt", *game, [&](int c, int r) { return Padded(w.Terrain(c, r), 3); }) &&
        WriteGrid(o.outDir / "passability.txt", *game,
                  [&](int c, int r) { return std::to_string(w.Passability(c, r)); }) &&
        WriteGrid(o.outDir / "deposits.txt", *game, [&](int c, int r) {
            const TResourceCell& d = w.Resources(c, r);
            return d.Amount == 0 ? std::string("   -") : std::to_string(d.Kind) + ":" + Padded(d.Amount, 2);
        });
    if (!ok) {
        std::cerr << "cannot write the grids to " << o.outDir << '\n';
        return 1;
    }
    if (!o.png.empty() && !WritePicture(o, *game)) {
        std::cerr << "cannot write " << o.png << '\n';
        return 1;
    }
    return 0;
}
