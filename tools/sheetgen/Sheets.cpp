#include "Sheets.h"

#include <cstdio>

namespace sheetgen {

const std::vector<SheetLayout>& PatternSheets() {
    // Sheets 0-2 become the game's cached GS00-GS02 over the ground; the
    // structure sheets are 8 patterns of 64 a row; the unit sheets hold every
    // picture number the sprite table names (Units0 up to 375, Units2 up to
    // 135, Units3 up to 103, struct2 up to 55, Units1 up to 7); the geology
    // sheets hold amounts 0..16 and the connector structure at 17.
    static const std::vector<SheetLayout> sheets = {
        {"s00.bmp", {0}, 64, 64, 8, 8, true},       {"s01.bmp", {1}, 64, 64, 8, 8, true},
        {"s02.bmp", {2}, 64, 64, 8, 8, true},       {"S03.bmp", {3}, 64, 64, 8, 8, true},
        {"GEO.bmp", {5, 6, 7}, 32, 32, 8, 3, true}, {"GEO1.bmp", {5, 6, 7}, 63, 63, 8, 3, true},
        {"Conn0.bmp", {8}, 28, 28, 16, 1, true},    {"Units0.bmp", {9}, 63, 63, 16, 24, true},
        {"Units2.bmp", {10}, 63, 63, 16, 9, true},  {"Units3.bmp", {11}, 93, 93, 16, 7, true},
        {"Units1.bmp", {12}, 63, 63, 16, 1, true},  {"struct2.bmp", {13}, 93, 93, 16, 4, true},
    };
    return sheets;
}

std::vector<const SheetLayout*> SheetsForItem(int item) {
    std::vector<const SheetLayout*> found;
    for (const SheetLayout& s : PatternSheets())
        for (int i : s.items)
            if (i == item) found.push_back(&s);
    return found;
}

const SheetLayout* FindSheet(const std::string& file) {
    for (const SheetLayout& s : PatternSheets())
        if (s.file == file) return &s;
    return nullptr;
}

std::string TerrainFile(int kind) { return "Terrain" + std::to_string(kind) + ".bmp"; }

// Appended, not "literal" + std::string: GCC 12 at -O3 falsely warns (-Wrestrict) on that.
std::string EmblemFile(int clan) { return std::string("0").append(std::to_string(clan)) + ".bmp"; }

std::string CardFile(int type) {
    char name[32];
    std::snprintf(name, sizeof name, "units/U%02d.bmp", type);
    return name;
}

SheetImage NewSheet(const SheetLayout& layout) {
    SheetImage s{&layout, QImage(layout.width(), layout.height(), QImage::Format_ARGB32_Premultiplied)};
    s.image.fill(Qt::transparent);
    return s;
}

QImage Flatten(const QImage& argb, bool transparent) {
    const QImage src = argb.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            QRgb p = in[x] | 0xFF000000u;
            if (transparent) {
                if (qAlpha(in[x]) < 128)
                    p = kKeyColour;
                else if (p == kKeyColour)
                    p = qRgb(254, 0, 255);
            }
            dst[x] = p;
        }
    }
    return out;
}

}  // namespace sheetgen
