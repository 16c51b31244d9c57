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
constexpr std::uint32_t ToBgr(Pixel p) { return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16); }

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    Bitmap() = default;
    Bitmap(int w, int h, Pixel fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Pixel& at(int x, int y) { return pixels[offset(x, y)]; }
    Pixel at(int x, int y) const { return pixels[offset(x, y)]; }
    Pixel* row(int y) { return pixels.data() + offset(0, y); }
    const Pixel* row(int y) const { return pixels.data() + offset(0, y); }
    // Writes outside the picture are dropped, as on a clipping canvas.
    void set(int x, int y, Pixel p) {
        if (contains(x, y)) at(x, y) = p;
    }

private:
    std::size_t offset(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

}  // namespace tarq
