#include <gtest/gtest.h>

#include "core/Random.h"

namespace tarq {
namespace {

TEST(RandomSource, ValuesWorkedOutFromTheFormula) {
    RandomSource rng;
    rng.SetSeed(0);
    // seed 0 -> 1; 1 x 10 = 10, high half 0.
    EXPECT_EQ(rng.Random(10), 0);
    // seed 1 -> 134775814; 134775814 x 1000 = 134775814000 = 31 x 2^32 + ...
    EXPECT_EQ(rng.Random(1000), 31);
    // seed -> 134775814 x 134775813 + 1 mod 2^32 = 3698175007; x 100 >> 32 = 86.
    EXPECT_EQ(rng.Random(100), 86);
    EXPECT_EQ(rng.Seed(), 3698175007u);

    // The multiplication wraps: (2^32 - 1) x 134775813 + 1 = 2^32 - 134775812.
    rng.SetSeed(0xFFFFFFFFu);
    EXPECT_EQ(rng.Random(8), 7);
    EXPECT_EQ(rng.Seed(), 4160191484u);

    // seed 12345 -> 1655067934; x 6 >> 32 = 2.
    rng.SetSeed(12345);
    EXPECT_EQ(rng.Random(6), 2);
}

TEST(RandomSource, RandomOfZeroIsZeroAndStillAdvances) {
    RandomSource rng;
    rng.SetSeed(77);
    EXPECT_EQ(rng.Random(0), 0);
    EXPECT_EQ(rng.Seed(), 77u * 134775813u + 1u);
}

TEST(RandomSource, RangesStayWithinTheirBoundsAndReachThem) {
    RandomSource rng;
    rng.SetSeed(2024);
    struct Range {
        int lo, hi;
    };
    for (Range range : {Range{1, 8}, Range{-3, 3}, Range{0, 0}, Range{8, 16}, Range{2, 398}}) {
        bool sawLo = false, sawHi = false;
        for (int i = 0; i < 20000; ++i) {
            const int v = rng.RandomRange(range.lo, range.hi);
            ASSERT_GE(v, range.lo);
            ASSERT_LE(v, range.hi);
            sawLo |= v == range.lo;
            sawHi |= v == range.hi;
        }
        EXPECT_TRUE(sawLo && sawHi) << range.lo << ".." << range.hi;
    }
}

}  // namespace
}  // namespace tarq
