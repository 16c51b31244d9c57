#include "platform/BmpDecode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace tarq {
namespace {

using Bytes = std::span<const std::uint8_t>;

std::uint32_t U16(Bytes b, std::size_t at) { return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8); }
std::uint32_t U32(Bytes b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

constexpr std::uint32_t kPlain = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr std::uint32_t kCoreHeader = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t kFileHeader = 14;
constexpr std::size_t kMasksAt = kFileHeader + 40;  // right after the first 40 bytes of the info header
constexpr Pixel kOpaque = 0xFF000000u;

bool KnownInfoSize(std::uint32_t size) {
    for (std::uint32_t known : {kCoreHeader, 40u, 52u, 56u, 64u, 108u, 124u})
        if (size == known) return true;
    return false;
}

// Which bit depths each compression takes. Run-length pictures are stored
// bottom-up only; the 64-byte OS/2 header gives compression 3 another meaning
// (Huffman coding).
bool Supported(int bits, std::uint32_t compression, std::uint32_t infoSize, bool topDown) {
    switch (compression) {
        case kPlain: return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kRle8: return bits == 8 && !topDown;
        case kRle4: return bits == 4 && !topDown;
        case kBitFields:
        case kAlphaBitFields: return (bits == 16 || bits == 24 || bits == 32) && infoSize != 64;
        default: return false;
    }
}

std::string Unsupported(const std::string& detail) { return "неподдерживаемый вариант BMP (" + detail + ")"; }

// One colour field of a bit-field pixel, scaled to 8 bits.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask),
          shift_(mask ? std::countr_zero(mask) : 0),
          width_(static_cast<int>(std::bit_width(mask >> shift_))) {}
    std::uint32_t operator()(std::uint32_t value) const {
        const std::uint32_t field = (value & mask_) >> shift_;
        if (width_ >= 8) return field >> (width_ - 8);
        const std::uint32_t max = (1u << width_) - 1;
        return max ? (field * 255 + max / 2) / max : 0;
    }

private:
    std::uint32_t mask_;
    int shift_;
    int width_;
};

// Everything the header says about the pixel data.
struct Layout {
    long long width = 0, height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kPlain;
    std::uint32_t masks[3] = {};  // red, green, blue
    std::array<Pixel, 256> palette{};
    std::size_t data = 0;  // where the pixel data starts
};

// The palette of a picture of up to 8 bits: entries the file lacks are black.
// Entries run from the end of the header (and masks) up to the pixel data;
// an offset pointing before them is ignored, and the data then follows them.
std::string ReadPalette(Bytes b, Layout& layout, std::size_t at, std::size_t entry, std::uint32_t used,
                        std::uint32_t dataOffset) {
    layout.palette.fill(kOpaque);
    std::size_t count = layout.bits <= 8 ? std::size_t{1} << layout.bits : 0;
    if (used > 0 && used < count) count = used;
    if (dataOffset >= at) count = std::min<std::size_t>(count, (dataOffset - at) / entry);
    if (b.size() < at + count * entry) return "файл обрезан";
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = &b[at + i * entry];
        layout.palette[i] = kOpaque | static_cast<Pixel>(p[2]) << 16 | static_cast<Pixel>(p[1]) << 8 | p[0];
    }
    layout.data = dataOffset >= at ? dataOffset : at + count * entry;
    return {};
}

std::string ReadLayout(Bytes b, Layout& layout, long long maxPixels) {
    if (b.size() < 26) return "файл пуст или обрезан";
    if (b[0] != 'B' || b[1] != 'M') return "это не BMP-файл";
    const std::uint32_t dataOffset = U32(b, 10);
    const std::uint32_t infoSize = U32(b, 14);
    if (!KnownInfoSize(infoSize)) return Unsupported("заголовок " + std::to_string(infoSize) + " байт");
    if (b.size() < kFileHeader + infoSize) return "файл обрезан";
    const bool core = infoSize == kCoreHeader;
    std::uint32_t used = 0;
    if (core) {
        layout.width = U16(b, 18);
        layout.height = U16(b, 20);
        layout.bits = static_cast<int>(U16(b, 24));
    } else {
        layout.width = static_cast<std::int32_t>(U32(b, 18));
        layout.height = static_cast<std::int32_t>(U32(b, 22));
        layout.bits = static_cast<int>(U16(b, 28));
        layout.compression = U32(b, 30);
        used = U32(b, 46);
    }
    layout.topDown = layout.height < 0;
    layout.height = std::abs(layout.height);
    const long long w = layout.width, h = layout.height;
    if (w <= 0 || h <= 0) return "неверный размер картинки";
    if (w > kMaxBitmapSide || h > kMaxBitmapSide || w * h > maxPixels)
        return "картинка слишком большая (" + std::to_string(w) + " x " + std::to_string(h) + ")";
    if (!Supported(layout.bits, layout.compression, infoSize, layout.topDown))
        return Unsupported(std::to_string(layout.bits) + " бит на точку, сжатие " + std::to_string(layout.compression) +
                           (layout.topDown ? ", строки сверху вниз" : ""));

    std::size_t paletteAt = kFileHeader + infoSize;
    if (layout.compression == kBitFields || layout.compression == kAlphaBitFields) {
        // Inside a header of 52 bytes or more; after a 40-byte one.
        if (infoSize == 40) paletteAt += layout.compression == kAlphaBitFields ? 16 : 12;
        if (b.size() < kMasksAt + 12) return "файл обрезан";
        for (int i = 0; i < 3; ++i) layout.masks[i] = U32(b, kMasksAt + 4 * static_cast<std::size_t>(i));
    } else if (layout.bits == 16) {
        layout.masks[0] = 0x7C00, layout.masks[1] = 0x03E0, layout.masks[2] = 0x001F;
    } else {
        layout.masks[0] = 0xFF0000, layout.masks[1] = 0xFF00, layout.masks[2] = 0xFF;
    }
    return ReadPalette(b, layout, paletteAt, core ? 3 : 4, used, dataOffset);
}

// Rows of whole bytes, each padded to 4 bytes, all of them in the file.
std::string DecodePlain(Bytes b, const Layout& layout, Bitmap& out) {
    const auto w = static_cast<std::size_t>(layout.width), h = static_cast<std::size_t>(layout.height);
    const std::size_t stride = (w * static_cast<std::size_t>(layout.bits) + 31) / 32 * 4;
    if (layout.data > b.size() || (b.size() - layout.data) / stride < h) return "файл обрезан";
    out = Bitmap(static_cast<int>(w), static_cast<int>(h));
    const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]);
    const bool bytesInOrder =
        layout.bits >= 24 && layout.masks[0] == 0xFF0000 && layout.masks[1] == 0xFF00 && layout.masks[2] == 0xFF;
    const std::size_t step = static_cast<std::size_t>(layout.bits) / 8;
    for (std::size_t y = 0; y < h; ++y) {
        const std::uint8_t* src = &b[layout.data + stride * (layout.topDown ? y : h - 1 - y)];
        Pixel* dst = out.row(static_cast<int>(y));
        if (layout.bits <= 8) {  // palette indices, the leftmost pixel in the high bits
            const std::size_t bits = static_cast<std::size_t>(layout.bits), perByte = 8 / bits;
            const unsigned mask = (1u << bits) - 1;
            for (std::size_t x = 0; x < w; ++x) {
                const std::size_t shift = 8 - bits * (1 + x % perByte);
                dst[x] = layout.palette[static_cast<unsigned>(src[x / perByte]) >> shift & mask];
            }
        } else if (bytesInOrder) {
            for (std::size_t x = 0; x < w; ++x, src += step)
                dst[x] = kOpaque | static_cast<Pixel>(src[2]) << 16 | static_cast<Pixel>(src[1]) << 8 | src[0];
        } else {
            for (std::size_t x = 0; x < w; ++x, src += step) {
                std::uint32_t v = 0;
                for (std::size_t i = 0; i < step; ++i) v |= static_cast<std::uint32_t>(src[i]) << (8 * i);
                dst[x] = kOpaque | red(v) << 16 | green(v) << 8 | blue(v);
            }
        }
    }
    return {};
}

// A run-length stream over a picture of palette entry 0: runs, literal
// stretches, and the escapes for end of row, end of picture and a jump right
// and up. Pixels past a row's end are dropped. The stream must reach its end
// code or move past the last row; otherwise the file was cut off.
std::string DecodeRunLength(Bytes b, const Layout& layout, Bitmap& out) {
    const bool eight = layout.compression == kRle8;
    const long long w = layout.width, h = layout.height;
    out = Bitmap(static_cast<int>(w), static_cast<int>(h), layout.palette[0]);
    long long x = 0, y = 0;  // y counts rows from the bottom
    // Writes `n` pixels from x on, pixel i taken from byte `byteOf(i)`: the
    // byte itself, or its high and low halves in turn. Only those inside the
    // row are written.
    const auto put = [&](int n, auto byteOf) {
        const long long inside = std::clamp<long long>(w - x, 0, n);
        for (int i = 0; i < inside; ++i) {
            const std::uint8_t value = byteOf(i);
            out.at(static_cast<int>(x) + i, static_cast<int>(h - 1 - y)) =
                layout.palette[eight ? value : (i & 1 ? value & 0x0F : value >> 4)];
        }
        x += n;
    };
    std::size_t at = layout.data;
    while (y < h) {
        if (at > b.size() || b.size() - at < 2) return "файл обрезан";
        const std::uint8_t count = b[at], code = b[at + 1];
        at += 2;
        if (count > 0) {  // `count` pixels of one value, or of two alternating 4-bit values
            put(count, [code](int) { return code; });
        } else if (code == 0) {  // end of row
            x = 0;
            ++y;
        } else if (code == 1) {  // end of picture
            return {};
        } else if (code == 2) {  // jump right and up
            if (b.size() - at < 2) return "файл обрезан";
            x += b[at];
            y += b[at + 1];
            at += 2;
        } else {  // `code` pixels stored one by one, padded to whole 16-bit words
            const std::size_t bytes = eight ? code : (code + 1u) / 2;
            if (b.size() - at < bytes) return "файл обрезан";
            const std::uint8_t* stretch = &b[at];
            put(code, [stretch, eight](int i) { return stretch[eight ? i : i / 2]; });
            at += bytes + (bytes & 1);
        }
    }
    return {};
}

}  // namespace

std::string DecodeBmp(std::span<const std::uint8_t> bytes, Bitmap& out, long long maxPixels) {
    out = Bitmap{};
    Layout layout;
    std::string problem = ReadLayout(bytes, layout, maxPixels);
    Bitmap picture;
    if (problem.empty())
        problem = layout.compression == kRle8 || layout.compression == kRle4 ? DecodeRunLength(bytes, layout, picture)
                                                                             : DecodePlain(bytes, layout, picture);
    if (problem.empty()) out = std::move(picture);
    return problem;
}

}  // namespace tarq
