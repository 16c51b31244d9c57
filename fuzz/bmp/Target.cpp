// Fuzz target: a picture sheet as the game loads it. The input is a BMP file;
// it goes through the decoder's header checks and pixel reading, becomes an
// image-list item the way a launch makes one (pattern size, colour key, the
// geology recolouring), and every pattern is cut out and scaled as the map
// drawing does. Which of the launch's sheets the file stands for follows from
// its length, so every kind is tried without spending a byte of the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/BmpDecode.h"
#include "view/Blitter.h"
#include "view/GraphicsCache.h"
#include "view/ImageList.h"

namespace {

// Far below the game's cap, so that a tiny run-length file cannot make a
// 64 M-pixel picture: one input stays well under a millisecond. The check
// that refuses a larger picture is the game's own.
constexpr long long kFuzzMaxPixels = 256 * 256;
constexpr int kCellSize = 13;  // odd, so patterns are both shrunk and stretched

// The sheets of a launch, with either geology sheet.
const std::vector<tarq::SheetEntry>& Sheets() {
    static const std::vector<tarq::SheetEntry> sheets = [] {
        std::vector<tarq::SheetEntry> all = tarq::ImageListOrder(0, false);
        for (const tarq::SheetEntry& entry : tarq::ImageListOrder(0, true)) all.push_back(entry);
        return all;
    }();
    return sheets;
}

// What the decoder promises of a picture it accepts. Left out of the coverage
// the fuzzer steers by: it checks, it is not under test.
#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
void CheckPicture(const tarq::Bitmap& picture) {
    const bool sized = picture.width > 0 && picture.height > 0 &&
                       static_cast<long long>(picture.width) * picture.height <= kFuzzMaxPixels &&
                       picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height;
    if (!sized) std::abort();
    for (tarq::Pixel p : picture.pixels)
        if (p >> 24 != 0xFF) std::abort();  // opaque
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Sheets();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarq::Bitmap picture;
    if (!tarq::DecodeBmp(std::span(data, size), picture, kFuzzMaxPixels).empty()) {
        if (!picture.empty()) std::abort();  // a refused file leaves no picture
        return 0;
    }
    CheckPicture(picture);
    const tarq::SheetEntry& sheet = Sheets()[size % Sheets().size()];
    tarq::ImageItem item;
    tarq::SetSheet(item, std::move(picture), sheet.pattern, sheet.pattern, sheet.transparent);
    if (sheet.recolour) tarq::RecolourSheet(item, tarq::FromBgr(0x000000), sheet.recolourTo);
    for (int k = 0; k < item.patternCount(); ++k)
        if (tarq::ScalePattern(item, k, kCellSize).size != kCellSize) std::abort();
    return 0;
}
