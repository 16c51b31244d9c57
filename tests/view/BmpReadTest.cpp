#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "CacheTestSupport.h"
#include "platform/BmpFile.h"

namespace tarq {
namespace {

namespace fs = std::filesystem;

// Little-endian 32-bit words as bytes.
std::string Words(std::initializer_list<std::uint32_t> words) {
    std::string out;
    for (std::uint32_t w : words)
        for (int i = 0; i < 4; ++i) out += static_cast<char>((w >> (8 * i)) & 0xFF);
    return out;
}

// A BMP file from its fields: `tail` is everything between the first 40 bytes
// of the info header and the pixel data (masks, the rest of a longer header,
// the palette). The info header says `infoSize` whatever the tail holds.
std::string Bmp(std::uint32_t infoSize, int width, int height, int bits, std::uint32_t compression,
                const std::string& tail, const std::string& data) {
    const auto offset = static_cast<std::uint32_t>(54 + tail.size());
    std::string file = "BM" + Words({offset + static_cast<std::uint32_t>(data.size()), 0, offset, infoSize,
                                     static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});
    file += Words({static_cast<std::uint32_t>(bits) << 16 | 1, compression, static_cast<std::uint32_t>(data.size()),
                   2835, 2835, 0, 0});
    return file + tail + data;
}

class BmpReadTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureGuiApp(); }
    void TearDown() override { fs::remove(file); }
    BitmapLoad Load(const std::string& bytes, Bitmap& out) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return LoadBitmapFile(file, out);
    }
    fs::path file = fs::temp_directory_path() /
                    ("tarq-bmpread-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     "-" + std::to_string(getpid()));
};

// Run-length streams that stop early, end rows early or jump: the pixels they
// never write are palette entry 0 (grey here, so neither zeroed nor perturbed
// heap memory passes). The ctest entry runs with MALLOC_PERTURB_ set.
TEST_F(BmpReadTest, RunLengthPixelsNeverWrittenArePaletteEntryZero) {
    const std::string palette = Words({0x404040, 0xFF0000, 0x0000FF}) + std::string(253 * 4, '\0');
    const Pixel colours[3] = {0xFF404040u, 0xFFFF0000u, 0xFF0000FFu};
    struct Case {
        const char* what;
        int bits;
        std::string stream;
        const char* top;
        const char* bottom;
    };
    const Case cases[] = {
        {"8-bit, end of picture after two pixels", 8, std::string("\x02\x01\x00\x01", 4), "0000", "1100"},
        {"8-bit, both rows ended early", 8, std::string("\x01\x01\x00\x00\x02\x01\x00\x00", 8), "1100", "1000"},
        {"8-bit, delta into the top row", 8, std::string("\x00\x02\x02\x01\x01\x01\x00\x01", 8), "0010", "0000"},
        {"4-bit, delta then a run of two colours", 4, std::string("\x00\x02\x01\x00\x03\x12\x00\x01", 8), "0000",
         "0121"},
    };
    for (const Case& c : cases) {
        Bitmap picture;
        const BitmapLoad loaded =
            Load(Bmp(40, 4, 2, c.bits, c.bits == 8 ? 1 : 2, palette.substr(0, 4u << c.bits), c.stream), picture);
        ASSERT_TRUE(loaded.ok) << c.what << ": " << loaded.error;
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(picture.at(x, 0), colours[c.top[x] - '0']) << c.what << ", top row, x " << x;
            EXPECT_EQ(picture.at(x, 1), colours[c.bottom[x] - '0']) << c.what << ", bottom row, x " << x;
        }
    }
}

// The variants editors write with bit-field masks load with their masks
// honoured; anything else is refused with its real cause.
TEST_F(BmpReadTest, EditorVariantsLoadAndOthersSayWhy) {
    const std::string argb = Words({0xFF0000, 0xFF00, 0xFF, 0xFF000000});
    const std::string pixels32 = Words({0x80123456, 0x00ABCDEF});
    struct Valid {
        const char* what;
        std::string bytes;
        Pixel left, right;
    };
    const Valid valid[] = {
        {"56-byte header, 16-bit 5-6-5", Bmp(56, 2, 1, 16, 3, Words({0xF800, 0x7E0, 0x1F, 0}), Words({0x07E0F800})),
         0xFFFF0000u, 0xFF00FF00u},
        {"56-byte header, 32-bit", Bmp(56, 2, 1, 32, 3, argb, pixels32), 0xFF123456u, 0xFFABCDEFu},
        {"24-bit bit fields", Bmp(40, 2, 1, 24, 3, argb.substr(0, 12), std::string("\x56\x34\x12\xEF\xCD\xAB\0\0", 8)),
         0xFF123456u, 0xFFABCDEFu},
        {"alpha bit fields, red in the low byte",
         Bmp(40, 2, 1, 32, 6, Words({0xFF, 0xFF00, 0xFF0000, 0xFF000000}), pixels32), 0xFF563412u, 0xFFEFCDABu},
    };
    for (const Valid& c : valid) {
        Bitmap picture;
        const BitmapLoad loaded = Load(c.bytes, picture);
        ASSERT_TRUE(loaded.ok) << c.what << ": " << loaded.error;
        ASSERT_EQ(picture.width, 2) << c.what;
        EXPECT_EQ(picture.at(0, 0), c.left) << c.what;
        EXPECT_EQ(picture.at(1, 0), c.right) << c.what;
    }
    struct Refused {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    const Refused refused[] = {
        {"JPEG inside", Bmp(40, 2, 1, 24, 4, "", std::string(8, 'j')), "неподдерживаемый вариант BMP"},
        {"2 bits per pixel", Bmp(40, 2, 1, 2, 0, std::string(16, '\0'), std::string(4, '\0')),
         "неподдерживаемый вариант BMP"},
        {"run-length 8 on 24 bits", Bmp(40, 2, 1, 24, 1, "", std::string("\0\1", 2)), "неподдерживаемый вариант BMP"},
        {"20-byte info header", Bmp(20, 2, 1, 24, 0, "", std::string(8, '\0')), "неподдерживаемый вариант BMP"},
        {"run-length stored top-down", Bmp(40, 4, -2, 8, 1, std::string(1024, '\0'), std::string("\0\1", 2)),
         "неподдерживаемый вариант BMP"},
    };
    for (const Refused& c : refused) {
        Bitmap picture;
        const BitmapLoad loaded = Load(c.bytes, picture);
        EXPECT_FALSE(loaded.ok) << c.what;
        EXPECT_NE(loaded.error.find(c.reason), std::string::npos) << c.what << ": " << loaded.error;
        EXPECT_NE(loaded.error.find(file.filename().string()), std::string::npos) << c.what << ": " << loaded.error;
        EXPECT_TRUE(picture.empty()) << c.what;
    }
}

}  // namespace
}  // namespace tarq
