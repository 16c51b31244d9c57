// Shared by the sheet and cache tests and the graphics benchmark: a Qt GUI
// application for the notice text, and a synthetic graph/ folder whose sheets
// have the sizes, keys and layouts the game expects, with contents chosen so
// every rule of the cache leaves a visible trace.
#pragma once

#include <QCoreApplication>
#include <QGuiApplication>
#include <filesystem>
#include <string>

#include "core/Bitmap.h"
#include "platform/BmpFile.h"

namespace tarq::testing {

inline void EnsureGuiApp() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tarq_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// Colours of the synthetic sheets.
constexpr Pixel kMagenta = 0xFFFF00FFu;  // key of s00, s03 and the item sheets
constexpr Pixel kCyan = 0xFF00FFFFu;     // key of s01 (ignored: s00's key counts)
constexpr Pixel kYellow = 0xFFFFFF00u;   // key of s02
constexpr Pixel kRed = 0xFFFF0000u;
constexpr Pixel kBlue = 0xFF0000FFu;
constexpr Pixel kBlack = 0xFF000000u;

// Terrain tile t: a flat colour with a distinct centre pixel; tile 2 also has a
// gradient so a shifted copy would show.
inline Pixel TerrainColour(int kind, int tile) {
    return 0xFF000000u | static_cast<Pixel>((kind * 40 + 10) << 16) | static_cast<Pixel>((tile * 7 + 3) << 8);
}
inline Pixel TerrainCentre(int kind, int tile) { return TerrainColour(kind, tile) | 0x80u; }
inline Pixel Tile2Pixel(int x, int y) { return 0xFF000000u | static_cast<Pixel>(x << 16) | static_cast<Pixel>(y); }

inline Bitmap TerrainSheet(int kind, int cols, int rows) {
    Bitmap sheet(cols * 64, rows * 64);
    for (int t = 0; t < cols * rows; ++t) {
        const int ox = (t % cols) * 64, oy = (t / cols) * 64;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) sheet.at(ox + x, oy + y) = t == 2 ? Tile2Pixel(x, y) : TerrainColour(kind, t);
        sheet.at(ox + 32, oy + 32) = TerrainCentre(kind, t);
    }
    return sheet;
}

// A keyed sheet: key everywhere, `ink` on every pixel where (x + y) % 5 == 0,
// `other` on every pixel where (x * 3 + y) % 7 == 0 (drawn second).
inline Bitmap KeyedSheet(int w, int h, Pixel key, Pixel ink, Pixel other) {
    Bitmap sheet(w, h, key);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if ((x + y) % 5 == 0) sheet.at(x, y) = ink;
            if ((x * 3 + y) % 7 == 0) sheet.at(x, y) = other;
        }
    sheet.at(1, 1) = key;
    return sheet;
}

struct SyntheticGraph {
    int terrainCols = 4, terrainRows = 3;
    int structureW = 640, structureH = 600;  // larger than 512: the base shows beyond 511
    bool realSizes = false;                  // the generator's item sheet sizes (for the benchmark)
};

inline bool WriteSheet(const std::filesystem::path& dir, const char* name, const Bitmap& b) {
    return SaveBitmapFile(dir / name, b);
}

// Writes graph/ under `base`. Item sheets carry black blobs (for the geology
// recolouring) on the magenta key.
inline bool WriteSyntheticGraph(const std::filesystem::path& base, const SyntheticGraph& g = {}) {
    const std::filesystem::path dir = base / "graph";
    std::filesystem::create_directories(dir);
    bool ok = true;
    for (int kind = 0; kind < 4; ++kind)
        ok &= WriteSheet(dir, ("Terrain" + std::to_string(kind) + ".bmp").c_str(),
                         TerrainSheet(kind, g.terrainCols, g.terrainRows));
    ok &= WriteSheet(dir, "s00.bmp", KeyedSheet(g.structureW, g.structureH, kMagenta, kRed, kCyan));
    ok &= WriteSheet(dir, "s01.bmp", KeyedSheet(g.structureW, g.structureH, kCyan, kRed, kMagenta));
    ok &= WriteSheet(dir, "s02.bmp", KeyedSheet(g.structureW, g.structureH, kYellow, kBlue, kCyan));
    ok &= WriteSheet(dir, "S03.bmp", KeyedSheet(512, 512, kMagenta, kBlue, kMagenta));
    struct Item {
        const char* name;
        int w, h, realW, realH;
    };
    const Item items[] = {{"GEO.bmp", 100, 70, 256, 96},      {"GEO1.bmp", 130, 130, 504, 189},
                          {"Conn0.bmp", 60, 28, 448, 28},     {"Units0.bmp", 126, 63, 1008, 1512},
                          {"Units2.bmp", 126, 63, 1008, 567}, {"Units3.bmp", 186, 93, 1488, 651},
                          {"Units1.bmp", 126, 63, 1008, 63},  {"struct2.bmp", 186, 93, 1488, 372}};
    for (const Item& item : items)
        ok &= WriteSheet(dir, item.name,
                         KeyedSheet(g.realSizes ? item.realW : item.w, g.realSizes ? item.realH : item.h, kMagenta,
                                    kBlack, kBlue));
    return ok;
}

}  // namespace tarq::testing
