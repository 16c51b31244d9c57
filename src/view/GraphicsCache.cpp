#include "view/GraphicsCache.h"

#include <algorithm>

namespace tarq {

void GaugeCounter::add(int steps) {
    total_ += steps;
    if (progress_ && progress_->advance) progress_->advance(std::min(total_, kCacheGaugeMax));
}

Pixel SheetKey(const Bitmap& sheet) { return sheet.contains(1, 1) ? sheet.at(1, 1) : 0; }

namespace {

// Copies a w x h block from (sx, sy) of `src` to (dx, dy) of `dst`, clipped to
// both pictures. With `keyed`, pixels equal to `key` are skipped.
void CopyBlock(Bitmap& dst, int dx, int dy, const Bitmap& src, int sx, int sy, int w, int h, bool keyed, Pixel key) {
    // Clip against the source, then the destination.
    w = std::min({w, src.width - sx, dst.width - dx});
    h = std::min({h, src.height - sy, dst.height - dy});
    if (sx < 0 || sy < 0 || dx < 0 || dy < 0 || w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) {
        const Pixel* from = src.row(sy + y) + sx;
        Pixel* to = dst.row(dy + y) + dx;
        if (!keyed) {
            std::copy(from, from + w, to);
            continue;
        }
        for (int x = 0; x < w; ++x)
            if (from[x] != key) to[x] = from[x];
    }
}

constexpr int kBaseTile = 64;
constexpr int kBaseTileX = 128;  // terrain tile 2
constexpr int kBaseTileRepeat = 9;
constexpr int kBaseBlock = 128;
constexpr int kBaseBlockRepeat = 5;
constexpr int kStructureSpan = 512;

}  // namespace

Bitmap ComposeBaseSheet(const Bitmap& s00, const Bitmap& terrain, const Bitmap& s03, GaugeCounter& gauge) {
    Bitmap base = s00;
    for (int i = 0; i < kBaseTileRepeat; ++i)
        for (int j = 0; j < kBaseTileRepeat; ++j) {
            CopyBlock(base, i * kBaseTile, j * kBaseTile, terrain, kBaseTileX, 0, kBaseTile, kBaseTile, false, 0);
            gauge.add(1);
        }
    const Pixel key = SheetKey(s03);
    for (int i = 0; i < kBaseBlockRepeat; ++i)
        for (int j = 0; j < kBaseBlockRepeat; ++j) {
            CopyBlock(base, i * kBaseBlock, j * kBaseBlock, s03, 0, 0, kBaseBlock, kBaseBlock, true, key);
            gauge.add(4);
        }
    return base;
}

void OverlayStructureSheet(Bitmap& base, const Bitmap& sheet, Pixel key, GaugeCounter& gauge) {
    CopyBlock(base, 0, 0, sheet, 0, 0, kStructureSpan, kStructureSpan, true, key);
    // The gauge moves once per column of the 512-pixel span.
    for (int x = 0; x < kStructureSpan; ++x) gauge.add(1);
}

namespace {

// Byte length of the UTF-8 sequence starting with `lead`.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xE) return 3;
    if ((lead >> 3) == 0x1E) return 4;
    return 1;  // a stray continuation byte counts as one character
}

}  // namespace

std::string NoticeText(const std::string& typeName) {
    const std::string text = typeName + " завершен";
    constexpr int kHead = 9;
    std::size_t cut = 0;
    bool spaceInHead = false;
    for (int n = 0; n < kHead && cut < text.size(); ++n) {
        spaceInHead = spaceInHead || text[cut] == ' ';
        cut = std::min(text.size(), cut + Utf8SequenceLength(static_cast<unsigned char>(text[cut])));
    }
    std::string out = text.substr(0, cut);
    if (!spaceInHead) out += "- ";
    return out + text.substr(cut);
}

std::vector<SheetEntry> ImageListOrder(int terrainSet, bool highResGeology) {
    const std::string geology = highResGeology ? "graph\\GEO1.bmp" : "graph\\GEO.bmp";
    const int geologyPattern = highResGeology ? 63 : 32;
    return {
        {"GS00.bmp", true, 64, false, false, 0},
        {"GS01.bmp", true, 64, false, false, 0},
        {"GS02.bmp", true, 64, false, false, 0},
        {"graph\\S03.bmp", false, 64, true, false, 0},
        {"graph\\Terrain" + std::to_string(terrainSet) + ".bmp", false, 64, false, false, 0},
        {geology, false, geologyPattern, true, true, FromBgr(0xFFFFFF)},
        {geology, false, geologyPattern, true, true, FromBgr(0x00FF00)},
        {geology, false, geologyPattern, true, true, FromBgr(0x00FFFF)},
        {"graph\\Conn0.bmp", false, 28, true, false, 0},
        {"graph\\Units0.bmp", false, 63, true, false, 0},
        {"graph\\Units2.bmp", false, 63, true, false, 0},
        {"graph\\Units3.bmp", false, 93, true, false, 0},
        {"graph\\Units1.bmp", false, 63, true, false, 0},
        {"graph\\struct2.bmp", false, 93, true, false, 0},
        {"constcompl.bmp", true, 64, true, false, 0},
    };
}

}  // namespace tarq
