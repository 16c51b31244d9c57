#include <gtest/gtest.h>

#include <string>

#include "view/Blitter.h"
#include "view/RenderReference.h"

namespace tarq {
namespace {

using testref::MakeSheet;
using testref::RefDraw;

Bitmap Background(int w, int h, std::uint32_t seed) {
    RandomSource rng([seed] { return seed; });
    rng.Reseed();
    Bitmap b(w, h);
    for (Pixel& p : b.pixels) p = 0xFF000000u | static_cast<Pixel>(rng.Random(0x1000000));
    return b;
}

// First differing pixel, or "" when equal.
std::string Difference(const Bitmap& a, const Bitmap& b) {
    if (a.width != b.width || a.height != b.height) return "sizes differ";
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y))
                return "pixel (" + std::to_string(x) + "," + std::to_string(y) + ") " + std::to_string(a.at(x, y)) +
                       " vs " + std::to_string(b.at(x, y));
    return "";
}

constexpr int kPatternSizes[] = {28, 32, 63, 64, 93};
constexpr int kCellSizes[] = {1, 3, 9, 64, 76};
constexpr int kAlphas[] = {-1, 0, 128, 255};  // -1: the keyed copy

// Destination corners for a square of side s on a 100 x 90 surface: inside,
// cut by each of the four edges, cut at two corners, and wholly outside.
std::vector<std::pair<int, int>> Placements(int s) {
    return {{10, 12},
            {-s / 2, 20},
            {20, -s / 2},
            {100 - s / 2, 30},
            {30, 90 - s / 2},
            {-s / 3, -s / 3},
            {100 - s / 3, 90 - s / 3},
            {-s, 5},
            {5, 90},
            {99, 89}};
}

// Every combination of pattern size, cell size, placement, opacity and
// transparency, through both the direct primitive and the pre-scaled path.
TEST(BlitTest, FastPathsMatchThePerPixelReference) {
    for (int ps : kPatternSizes)
        for (bool transparent : {true, false}) {
            const ImageItem item = MakeSheet(ps, 3, 2, transparent, static_cast<std::uint32_t>(ps));
            for (int s : kCellSizes)
                for (int k : {0, 4}) {
                    const ScaledPattern scaled = ScalePattern(item, k, s);
                    for (auto [x, y] : Placements(s))
                        for (int alpha : kAlphas) {
                            SCOPED_TRACE("pattern " + std::to_string(ps) + " cell " + std::to_string(s) + " k " +
                                         std::to_string(k) + " at " + std::to_string(x) + "," + std::to_string(y) +
                                         " alpha " + std::to_string(alpha) + (transparent ? " keyed" : " opaque"));
                            const Bitmap bg = Background(100, 90, static_cast<std::uint32_t>(x * 7 + y));
                            Bitmap expected = bg;
                            RefDraw(expected, item, k, x, y, s, alpha);
                            Bitmap direct = bg;
                            Bitmap fast = bg;
                            if (alpha < 0) {
                                DrawPattern(direct, item, k, x, y, s);
                                BlitScaled(fast, scaled, x, y, WholeBitmap(fast));
                            } else {
                                DrawPatternBlended(direct, item, k, x, y, s, alpha);
                                BlitScaledBlended(fast, scaled, x, y, alpha, WholeBitmap(fast));
                            }
                            ASSERT_EQ(Difference(direct, expected), "") << "direct";
                            ASSERT_EQ(Difference(fast, expected), "") << "pre-scaled";
                        }
                }
        }
}

// The renderer draws into cache blocks through a clip rectangle smaller than
// the bitmap: nothing may leak past any of its four edges.
TEST(BlitTest, ClipRectangleHoldsOnAllFourEdges) {
    const ImageItem item = MakeSheet(64, 2, 2, true, 5);
    const ClipRect clip{20, 15, 60, 50};
    for (int s : {9, 64, 76})
        for (auto [x, y] : std::vector<std::pair<int, int>>{{10, 10}, {40, 30}, {5, 40}, {50, 5}, {-20, -20}})
            for (int alpha : {-1, 128}) {
                SCOPED_TRACE(std::to_string(s) + " at " + std::to_string(x) + "," + std::to_string(y));
                const Bitmap bg = Background(80, 70, 3);
                Bitmap whole = bg;
                RefDraw(whole, item, 1, x, y, s, alpha);
                Bitmap expected = bg;
                for (int yy = clip.y0; yy < clip.y1; ++yy)
                    for (int xx = clip.x0; xx < clip.x1; ++xx) expected.at(xx, yy) = whole.at(xx, yy);
                Bitmap fast = bg;
                const ScaledPattern p = ScalePattern(item, 1, s);
                if (alpha < 0)
                    BlitScaled(fast, p, x, y, clip);
                else
                    BlitScaledBlended(fast, p, x, y, alpha, clip);
                ASSERT_EQ(Difference(fast, expected), "");
            }
}

TEST(BlitTest, PatternNumbersOutsideTheItemDrawNothing) {
    const ImageItem item = MakeSheet(32, 3, 2, false, 9);  // patterns 0..5
    for (int k : {-1, -32768, 6, 7, 100}) {
        SCOPED_TRACE(k);
        const Bitmap bg = Background(40, 40, 1);
        Bitmap a = bg;
        DrawPattern(a, item, k, 0, 0, 32);
        DrawPatternBlended(a, item, k, 0, 0, 32, 200);
        const ScaledPattern p = ScalePattern(item, k, 32);
        EXPECT_EQ(p.kind, ScaledPattern::Kind::Empty);
        BlitScaled(a, p, 0, 0, WholeBitmap(a));
        EXPECT_EQ(Difference(a, bg), "");
    }
    // Pattern 5 is the last one and is drawn.
    Bitmap b = Background(40, 40, 1);
    DrawPattern(b, item, 5, 0, 0, 32);
    EXPECT_EQ(b.at(0, 0), item.picture.at(2 * 32, 32));
}

}  // namespace
}  // namespace tarq
