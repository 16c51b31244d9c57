// The picture files of graph/: name, pattern size, layout and transparency of
// every sheet, and the image-list items that show them.
#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace sheetgen {

// Every transparent sheet uses this key at pixel (1, 1). Magenta: never black
// (the geology sheets are recoloured from black) nor white, green or yellow
// (the colours black becomes).
constexpr QRgb kKeyColour = 0xFFFF00FFu;

struct SheetLayout {
    std::string file;        // path inside graph/
    std::vector<int> items;  // image-list items drawn from this file (empty: none)
    int patternW = 0, patternH = 0;
    int perRow = 0, rows = 0;
    bool transparent = false;

    int width() const { return patternW * perRow; }
    int height() const { return patternH * rows; }
    int patternCount() const { return perRow * rows; }
    QPoint origin(int k) const { return {(k % perRow) * patternW, (k / perRow) * patternH}; }
};

// The pattern sheets, in the order they are written.
const std::vector<SheetLayout>& PatternSheets();
// The sheets that hold pictures of image-list item `item` (the geology item 5
// is both GEO.bmp and GEO1.bmp).
std::vector<const SheetLayout*> SheetsForItem(int item);
const SheetLayout* FindSheet(const std::string& file);

// Terrain sheets, one per terrain kind 0..3, with the same tile layout.
constexpr int kTerrainKinds = 4;
constexpr int kTerrainTile = 64;
constexpr int kTerrainPerRow = 16;
constexpr int kTerrainTiles = 240;  // codes 0..237 used, rounded up to whole rows
std::string TerrainFile(int kind);

// Emblems and purchase-page cards.
constexpr int kClans = 7;
constexpr int kEmblemSize = 78;
constexpr int kCardW = 200, kCardH = 150;
std::string EmblemFile(int clan);
std::string CardFile(int type);

// A sheet being drawn: ARGB while painting, flattened to the key on output.
struct SheetImage {
    const SheetLayout* layout = nullptr;
    QImage image;  // ARGB32 premultiplied, fully transparent at start
};
SheetImage NewSheet(const SheetLayout& layout);

// Opaque RGB picture for the file: in a transparent sheet every pixel less
// than half covered becomes the key, the rest become opaque, and no opaque
// pixel keeps the key's exact colour.
QImage Flatten(const QImage& argb, bool transparent);

}  // namespace sheetgen
