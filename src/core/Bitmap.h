// A plain 32-bit pixel buffer (0xFFRRGGBB), the picture type of the engine.
#pragma once

#include <cstdint>
#include <vector>

namespace tarq {

using Pixel = std::uint32_t;

// Colours are written as $00BBGGRR values in the game's tables (so $0000FF is
// red); pixels are stored as 0xFFRRGGBB.
constexpr Pixel FromBgr(std::uint32_t bgr) {
    return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}
constexpr std::uint32_t ToBgr(Pixel p) {
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    Bitmap() = default;
    Bitmap(int w, int h, Pixel fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Pixel* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
    const Pixel* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * width; }
    // Writes outside the picture are dropped, as on a clipping canvas.
    void set(int x, int y, Pixel p) {
        if (contains(x, y)) at(x, y) = p;
    }
};

}  // namespace tarq
