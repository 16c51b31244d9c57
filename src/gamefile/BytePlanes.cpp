#include "gamefile/BytePlanes.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tarq::gamefile {

namespace {

constexpr char kPlaneBytes = 0;
constexpr char kPlaneConstant = 1;

// Moves bytes between records (n x width) and planes (width x n), either
// way, a block of records at a time: the block stays in the cache while each
// plane gets its run of bytes.
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
        const bool constant = n > 0 && std::all_of(plane, plane + n, [&](char b) { return b == plane[0]; });
        out.append(constant ? kPlaneConstant : kPlaneBytes);
        out.append(plane, static_cast<qsizetype>(constant ? 1 : n));
    }
}

bool ReadPlanes(const char*& in, const char* end, char* records, std::size_t n, std::size_t width) {
    std::vector<char> planes(n * width);
    for (std::size_t k = 0; k < width; ++k) {
        if (in == end) return false;
        const char marker = *in++;
        const std::size_t size = marker == kPlaneConstant ? 1 : n;
        if ((marker != kPlaneConstant && marker != kPlaneBytes) || static_cast<std::size_t>(end - in) < size)
            return false;
        if (marker == kPlaneConstant)
            std::fill_n(planes.data() + k * n, n, *in);
        else
            std::memcpy(planes.data() + k * n, in, n);
        in += size;
    }
    Transpose(records, planes.data(), n, width, false);
    return true;
}

}  // namespace tarq::gamefile
