// Byte planes: records of every width and count come back as they were,
// whichever form each plane took, and malformed planes are refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Random.h"
#include "gamefile/BytePlanes.h"

namespace tarq::gamefile {
namespace {

TEST(BytePlanesTest, RecordsComeBackWhateverFormTheirPlanesTake) {
    RandomSource rng([] { return 99u; });
    rng.Reseed();
    for (std::size_t width : {1u, 2u, 7u, 64u})
        for (std::size_t n : {0u, 1u, 8u, 13u, 1000u})
            for (int every : {0, 1, 3, 50}) {  // one record in `every` differs from the background (0: none)
                std::vector<char> records(n * width, '\x5A');
                for (std::size_t i = 0; i < n * width; ++i)
                    if (every != 0 && rng.Random(every) == 0) records[i] = static_cast<char>(rng.Random(256));
                QByteArray planes;
                AppendPlanes(planes, records.data(), n, width);
                std::vector<char> back(n * width, 0);
                const char* in = planes.constData();
                ASSERT_TRUE(ReadPlanes(in, planes.constData() + planes.size(), back.data(), n, width));
                EXPECT_EQ(in, planes.constData() + planes.size());
                EXPECT_EQ(back, records) << width << " x " << n << ", every " << every;
            }
}

TEST(BytePlanesTest, MalformedPlanesAreRefused) {
    const std::string cases[] = {
        std::string("", 0),                  // nothing
        std::string("\x03\x00", 2),          // unknown form
        std::string("\x00\x01\x02", 3),      // four bytes promised, three there
        std::string("\x01", 1),              // constant without its byte
        std::string("\x02\x00\x01", 3),      // sparse: bit 0 set, its byte missing
        std::string("\x02\x00\x10\x07", 4),  // sparse: bit 4 names a record past the fourth
        std::string("\x02\x00", 2),          // sparse: no bitmap
    };
    for (const std::string& bytes : cases) {
        std::vector<char> records(4);
        const char* in = bytes.data();
        EXPECT_FALSE(ReadPlanes(in, bytes.data() + bytes.size(), records.data(), 4, 1)) << bytes.size();
    }
}

}  // namespace
}  // namespace tarq::gamefile
