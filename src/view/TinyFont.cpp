#include "view/TinyFont.h"

#include <algorithm>

namespace tarq::tinyfont {
namespace {

// One glyph drawn as seven rows of five, '#' for a pixel.
struct GlyphRows {
    char32_t code;
    const char* rows[kGlyphHeight];
};

// clang-format off
constexpr GlyphRows kRows[] = {
    {U'А', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {U'Б', {"#####", "#....", "#....", "####.", "#...#", "#...#", "####."}},
    {U'В', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {U'Г', {"#####", "#....", "#....", "#....", "#....", "#....", "#...."}},
    {U'Д', {"..##.", ".#.#.", ".#.#.", ".#.#.", ".#.#.", "#####", "#...#"}},
    {U'Е', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {U'Ж', {"#.#.#", "#.#.#", ".###.", "..#..", ".###.", "#.#.#", "#.#.#"}},
    {U'З', {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."}},
    {U'И', {"#...#", "#...#", "#..##", "#.#.#", "##..#", "#...#", "#...#"}},
    {U'Й', {".#.#.", "#...#", "#..##", "#.#.#", "##..#", "#...#", "#...#"}},
    {U'К', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {U'Л', {"..###", ".#..#", ".#..#", ".#..#", ".#..#", ".#..#", "#...#"}},
    {U'М', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {U'Н', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {U'О', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {U'П', {"#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#"}},
    {U'Р', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {U'С', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {U'Т', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {U'У', {"#...#", "#...#", "#...#", ".####", "....#", "#...#", ".###."}},
    {U'Ф', {"..#..", ".###.", "#.#.#", "#.#.#", "#.#.#", ".###.", "..#.."}},
    {U'Х', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {U'Ц', {"#..#.", "#..#.", "#..#.", "#..#.", "#..#.", "#####", "....#"}},
    {U'Ч', {"#...#", "#...#", "#...#", ".####", "....#", "....#", "....#"}},
    {U'Ш', {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#####"}},
    {U'Щ', {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#", "#####", "....#"}},
    {U'Ъ', {"##...", ".#...", ".#...", ".###.", ".#..#", ".#..#", ".###."}},
    {U'Ы', {"#...#", "#...#", "#...#", "###.#", "#.#.#", "#.#.#", "###.#"}},
    {U'Ь', {"#....", "#....", "#....", "####.", "#...#", "#...#", "####."}},
    {U'Э', {".###.", "#...#", "....#", ".####", "....#", "#...#", ".###."}},
    {U'Ю', {"#..#.", "#.#.#", "#.#.#", "###.#", "#.#.#", "#.#.#", "#..#."}},
    {U'Я', {".####", "#...#", "#...#", ".####", "..#.#", ".#..#", "#...#"}},
    {U'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {U'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {U'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {U'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {U'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {U'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {U'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {U'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {U'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {U'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {U' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {U'.', {".....", ".....", ".....", ".....", ".....", ".....", "..#.."}},
    {U'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
    {U'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
    {U')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
    {U'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
    {U'?', {"#####", "#...#", "#...#", "#...#", "#...#", "#...#", "#####"}},  // the box
};
// clang-format on

// Latin capitals drawn as the Cyrillic ones they look like.
constexpr std::pair<char32_t, char32_t> kLookalikes[] = {
    {U'A', U'А'}, {U'B', U'В'}, {U'C', U'С'}, {U'E', U'Е'}, {U'H', U'Н'}, {U'K', U'К'},
    {U'M', U'М'}, {U'O', U'О'}, {U'P', U'Р'}, {U'T', U'Т'}, {U'X', U'Х'}, {U'Y', U'У'},
};

constexpr std::size_t kGlyphs = std::size(kRows);

struct Table {
    std::array<char32_t, kGlyphs> codes{};
    std::array<Glyph, kGlyphs> glyphs{};
};

const Table& Glyphs() {
    static const Table table = [] {
        Table t;
        for (std::size_t i = 0; i < kGlyphs; ++i) {
            t.codes[i] = kRows[i].code;
            for (int r = 0; r < kGlyphHeight; ++r)
                for (int c = 0; c < kGlyphWidth; ++c)
                    if (kRows[i].rows[r][c] == '#') {
                        auto& row = t.glyphs[i][static_cast<std::size_t>(r)];
                        row = static_cast<std::uint8_t>(row | (0x10u >> c));
                    }
        }
        return t;
    }();
    return table;
}

char32_t Capital(char32_t c) {
    if (c >= U'а' && c <= U'я') return c - (U'а' - U'А');
    if (c == U'ё' || c == U'Ё') return U'Е';
    if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
    for (const auto& [latin, cyrillic] : kLookalikes)
        if (c == latin) return cyrillic;
    return c;
}

}  // namespace

const Glyph& GlyphOf(char32_t c) {
    const Table& t = Glyphs();
    const char32_t capital = Capital(c);
    const auto* found = std::find(t.codes.begin(), t.codes.end(), capital);
    return t.glyphs[found != t.codes.end() ? static_cast<std::size_t>(found - t.codes.begin()) : kGlyphs - 1];
}

std::u32string Decode(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? b & 0x1Fu : extra == 2 ? b & 0x0Fu : b & 0x07u;
        bool whole = extra >= 0 && i + static_cast<std::size_t>(extra) < utf8.size();
        for (int k = 1; whole && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            whole = (next >> 6) == 2;
            c = (c << 6) | (next & 0x3Fu);
        }
        out.push_back(whole ? c : U'?');
        i += whole ? static_cast<std::size_t>(extra) + 1 : 1;
    }
    return out;
}

void DrawText(Bitmap& dst, int x0, int y0, int x1, int y1, int x, int y, std::u32string_view text, Pixel colour,
              int scale) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, dst.width), y1 = std::min(y1, dst.height);
    for (std::size_t i = 0; i < text.size(); ++i, x += kAdvance * scale) {
        if (x >= x1) return;
        if (x + kGlyphWidth * scale <= x0) continue;
        const Glyph& glyph = GlyphOf(text[i]);
        for (int r = 0; r < kGlyphHeight; ++r)
            for (int c = 0; c < kGlyphWidth; ++c) {
                if ((glyph[static_cast<std::size_t>(r)] & (0x10u >> c)) == 0) continue;
                const int px = x + c * scale, py = y + r * scale;
                for (int yy = std::max(py, y0); yy < std::min(py + scale, y1); ++yy)
                    for (int xx = std::max(px, x0); xx < std::min(px + scale, x1); ++xx) dst.row(yy)[xx] = colour;
            }
    }
}

}  // namespace tarq::tinyfont
