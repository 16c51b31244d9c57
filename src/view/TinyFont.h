// A small bitmap font of our own for labels on the map: 5 x 7 capitals of the
// Cyrillic alphabet, digits and a few signs, drawn straight into a Bitmap so
// that labels stay pixel-exact and cost no text engine. Small letters are
// drawn as capitals, Latin letters that look like Cyrillic ones as those, and
// any other character as a box.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Bitmap.h"

namespace tarq::tinyfont {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kAdvance = kGlyphWidth + 1;  // one blank column between glyphs

// Rows of a glyph, top first; bit 4 is the leftmost pixel.
using Glyph = std::array<std::uint8_t, kGlyphHeight>;

const Glyph& GlyphOf(char32_t c);

// UTF-8 text as code points; a broken sequence gives one box.
std::u32string Decode(std::string_view utf8);

// Width of `glyphs` glyphs at `scale` (the last one's blank column left out).
inline int TextWidth(int glyphs, int scale) { return glyphs > 0 ? (glyphs * kAdvance - 1) * scale : 0; }

// Draws the text with its top-left at (x, y), each font pixel a scale x scale
// square, only inside the clip (x0, y0)-(x1, y1), right and bottom excluded.
void DrawText(Bitmap& dst, int x0, int y0, int x1, int y1, int x, int y, std::u32string_view text, Pixel colour,
              int scale);

}  // namespace tarq::tinyfont
