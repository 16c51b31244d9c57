#include "gamefile/BytePlanes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tarq::gamefile {

namespace {

constexpr char kPlaneBytes = 0;
constexpr char kPlaneConstant = 1;
constexpr char kPlaneSparse = 2;

constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

std::size_t BitmapBytes(std::size_t n) { return (n + 7) / 8; }

// The commonest of 64 bytes spread over the plane: the background of a
// sparse plane (any choice is correct; a good one is small).
char Background(const char* plane, std::size_t n) {
    std::array<int, 256> seen{};
    char best = plane[0];
    for (std::size_t s = 0; s < 64; ++s) {
        const char b = plane[s * (n - 1) / 63];
        if (++seen[static_cast<unsigned char>(b)] > seen[static_cast<unsigned char>(best)]) best = b;
    }
    return best;
}

// Bytes that differ from the background, counted eight at a time.
std::size_t CountDiffering(const char* plane, std::size_t n, char background) {
    const std::uint64_t bg = kEveryByte * static_cast<unsigned char>(background);
    std::size_t count = 0, i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x;
        std::memcpy(&x, plane + i, 8);
        x ^= bg;
        if (x == 0) continue;
        x |= x >> 4, x |= x >> 2, x |= x >> 1;  // bit 0 of each byte: the byte differs
        count += static_cast<std::size_t>(std::popcount(x & kEveryByte));
    }
    for (; i < n; ++i) count += plane[i] != background ? 1 : 0;
    return count;
}

// Marker, background, a bitmap of n bits (bit i % 8 of byte i / 8 set: byte
// i differs) and the differing bytes in order.
void AppendSparse(QByteArray& out, const char* plane, std::size_t n, char background, std::size_t differing) {
    const std::size_t bitmapBytes = BitmapBytes(n);
    const qsizetype start = out.size();
    out.resize(start + static_cast<qsizetype>(2 + bitmapBytes + differing));
    char* p = out.data() + start;
    *p++ = kPlaneSparse;
    *p++ = background;
    auto* bitmap = reinterpret_cast<unsigned char*>(p);
    char* extra = p + bitmapBytes;
    const std::uint64_t bg = kEveryByte * static_cast<unsigned char>(background);
    for (std::size_t g = 0; g < bitmapBytes; ++g) {
        const std::size_t first = g * 8, count = std::min<std::size_t>(8, n - first);
        std::uint64_t eight = 0;
        if (count == 8) std::memcpy(&eight, plane + first, 8);
        unsigned bits = 0;
        if (count < 8 || eight != bg)
            for (std::size_t j = 0; j < count; ++j)
                if (plane[first + j] != background) bits |= 1u << j, *extra++ = plane[first + j];
        bitmap[g] = static_cast<unsigned char>(bits);
    }
}

bool ReadSparse(const char*& in, const char* end, char* plane, std::size_t n) {
    const std::size_t bitmapBytes = BitmapBytes(n);
    if (static_cast<std::size_t>(end - in) < 1 + bitmapBytes) return false;
    const char background = *in++;
    const auto* bitmap = reinterpret_cast<const unsigned char*>(in);
    in += bitmapBytes;
    std::size_t differing = 0, at = 0;
    for (std::uint64_t word; at + 8 <= bitmapBytes; at += 8) {
        std::memcpy(&word, bitmap + at, 8);
        differing += static_cast<std::size_t>(std::popcount(word));
    }
    for (; at < bitmapBytes; ++at) differing += static_cast<std::size_t>(std::popcount(bitmap[at]));
    // Bits past the last record would name bytes that are not there.
    if (n % 8 != 0 && (bitmap[bitmapBytes - 1] >> (n % 8)) != 0) return false;
    if (static_cast<std::size_t>(end - in) < differing) return false;
    const std::uint64_t bg = kEveryByte * static_cast<unsigned char>(background);
    for (std::size_t g = 0; g < bitmapBytes; ++g) {
        const std::size_t first = g * 8, count = std::min<std::size_t>(8, n - first);
        if (bitmap[g] == 0 && count == 8) {
            std::memcpy(plane + first, &bg, 8);
            continue;
        }
        for (std::size_t j = 0; j < count; ++j) plane[first + j] = (bitmap[g] >> j) & 1 ? *in++ : background;
    }
    return true;
}

// Moves bytes between records (n x width) and planes (width x n), either
// way, a block of records at a time: the block stays in the cache while each
// plane gets its run of bytes. Its loops follow the sizes alone, so a
// coverage-guided fuzzer of the reader learns nothing from tracing them;
// they are left out of its instrumentation, which would cost half its time.
#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
void Transpose(char* records, char* planes, std::size_t n, std::size_t width, bool toPlanes) {
    constexpr std::size_t kBlock = 512;
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t count = std::min(kBlock, n - first);
        for (std::size_t k = 0; k < width; ++k) {
            char* plane = planes + k * n + first;
            char* rec = records + first * width + k;
            if (toPlanes)
                for (std::size_t i = 0; i < count; ++i) plane[i] = rec[i * width];
            else
                for (std::size_t i = 0; i < count; ++i) rec[i * width] = plane[i];
        }
    }
}

}  // namespace

void AppendPlanes(QByteArray& out, const char* records, std::size_t n, std::size_t width) {
    std::vector<char> planes(n * width);
    Transpose(const_cast<char*>(records), planes.data(), n, width, true);
    for (std::size_t k = 0; k < width; ++k) {
        const char* plane = planes.data() + k * n;
        const char background = n > 0 ? Background(plane, n) : 0;
        const std::size_t differing = n > 0 ? CountDiffering(plane, n, background) : n;
        if (n > 0 && differing == 0) {
            out.append(kPlaneConstant).append(background);
        } else if (2 + BitmapBytes(n) + differing < n) {
            AppendSparse(out, plane, n, background, differing);
        } else {
            out.append(kPlaneBytes).append(plane, static_cast<qsizetype>(n));
        }
    }
}

bool ReadPlanes(const char*& in, const char* end, char* records, std::size_t n, std::size_t width) {
    std::vector<char> planes(n * width);
    for (std::size_t k = 0; k < width; ++k) {
        char* plane = planes.data() + k * n;
        if (in == end) return false;
        const char marker = *in++;
        if (marker == kPlaneConstant && in != end) {
            std::fill_n(plane, n, *in++);
        } else if (marker == kPlaneBytes && static_cast<std::size_t>(end - in) >= n) {
            if (n > 0) std::memcpy(plane, in, n);
            in += n;
        } else if (marker != kPlaneSparse || !ReadSparse(in, end, plane, n)) {
            return false;
        }
    }
    Transpose(records, planes.data(), n, width, false);
    return true;
}

}  // namespace tarq::gamefile
