#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "CacheTestSupport.h"
#include "core/World.h"
#include "platform/GraphicsCacheFiles.h"
#include "platform/SheetFiles.h"

namespace tarq {
namespace {

namespace fs = std::filesystem;
using namespace tarq::testing;

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApp();
        root = fs::temp_directory_path() /
               ("tarq-sheet-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(SheetTest, PatternsAreWholeBlocksCountedRowByRow) {
    struct Case {
        int w, h, pattern, perRow, rows, k, x, y;
    };
    const Case cases[] = {
        {100, 70, 32, 3, 2, 4, 32, 32},  // the 4-pixel strip right and 6 below are ignored
        {256, 96, 32, 8, 3, 9, 32, 32},   {504, 189, 63, 8, 3, 23, 441, 126},
        {62, 62, 63, 0, 0, -1, 0, 0},  // smaller than one pattern: none
        {90, 40, 0, 1, 1, 0, 0, 0},    // 0: the whole picture is one pattern
        {448, 28, 28, 16, 1, 15, 420, 0},
    };
    for (const Case& c : cases) {
        const fs::path file = root / "sheet.bmp";
        ASSERT_TRUE(SaveBitmapFile(file, Bitmap(c.w, c.h, kBlue)));
        ImageList list;
        ASSERT_TRUE(LoadSheet(list, 0, file, c.pattern, c.pattern, false, true).ok);
        const ImageItem& item = list[0];
        EXPECT_EQ(item.perRow(), c.perRow) << c.w << "x" << c.h << "/" << c.pattern;
        EXPECT_EQ(item.patternCount(), c.perRow * c.rows) << c.w << "x" << c.h << "/" << c.pattern;
        if (c.k < 0) continue;
        EXPECT_TRUE(item.hasPattern(c.k));
        EXPECT_FALSE(item.hasPattern(item.patternCount()));
        EXPECT_EQ(item.patternX(c.k), c.x);
        EXPECT_EQ(item.patternY(c.k), c.y);
    }
}

TEST_F(SheetTest, TransparentColourIsPixelOneOneAndAppendOrReplace) {
    Bitmap picture(64, 64, kRed);
    picture.at(1, 1) = kMagenta;  // (0, 0) stays red
    ASSERT_TRUE(SaveBitmapFile(root / "a.bmp", picture));
    ASSERT_TRUE(SaveBitmapFile(root / "b.bmp", Bitmap(32, 32, kBlue)));
    ImageList list;
    ASSERT_TRUE(LoadSheet(list, 7, root / "a.bmp", 32, 16, true, true).ok);
    ASSERT_TRUE(LoadSheet(list, 7, root / "b.bmp", 0, 0, false, true).ok);
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list[0].transparent);
    EXPECT_EQ(list[0].transparentColour, kMagenta);
    EXPECT_EQ(list[0].patternHeight, 16);
    EXPECT_EQ(list[1].patternWidth, 32);
    // Without append the named item is replaced; a missing item or file changes nothing.
    ASSERT_TRUE(LoadSheet(list, 0, root / "b.bmp", 0, 0, false, false).ok);
    EXPECT_EQ(list[0].picture.width, 32);
    EXPECT_FALSE(list[0].transparent);
    EXPECT_FALSE(LoadSheet(list, 5, root / "a.bmp", 0, 0, false, false).ok);
    EXPECT_FALSE(LoadSheet(list, 0, root / "none.bmp", 0, 0, false, true).ok);
    EXPECT_EQ(list.count(), 2);
}

TEST_F(SheetTest, LaunchLoadsFifteenItemsInOrderWithTheGeologyRecoloured) {
    ASSERT_TRUE(WriteSyntheticGraph(root));
    auto game = NewGame();
    InitData(*game);
    ASSERT_TRUE(EnsureGraphicsCache(*game, root, root / "user", {}).ok);
    struct Case {
        bool highRes;
        int terrainSet;
        int geologyPattern;
        int geologyWidth;
    };
    for (const Case& c : {Case{false, 0, 32, 100}, Case{true, 2, 63, 130}}) {
        ImageList list;
        const BitmapLoad loaded = LoadImageList(list, root, GameCacheDir(root), c.terrainSet, c.highRes);
        ASSERT_TRUE(loaded.ok) << loaded.error;
        ASSERT_EQ(list.count(), kImageListItems);
        const int patterns[kImageListItems] = {
            64, 64, 64, 64, 64, c.geologyPattern, c.geologyPattern, c.geologyPattern, 28, 63, 63, 93, 63, 93, 64};
        const bool transparent[kImageListItems] = {false, false, false, true, false, true, true, true,
                                                   true,  true,  true,  true, true,  true, true};
        for (int i = 0; i < kImageListItems; ++i) {
            EXPECT_EQ(list[i].patternWidth, patterns[i]) << "item " << i;
            EXPECT_EQ(list[i].patternHeight, patterns[i]) << "item " << i;
            EXPECT_EQ(list[i].transparent, transparent[i]) << "item " << i;
        }
        EXPECT_EQ(list[4].picture.at(32, 32), TerrainCentre(c.terrainSet, 0));
        EXPECT_EQ(list[14].picture.width, 4352);
        EXPECT_EQ(list[11].picture.width, 186);  // Units3, after Units2 and before Units1
        // Items 5, 6, 7: black became white, green, yellow; the key and blue stayed.
        const Pixel colours[3] = {0xFFFFFFFFu, 0xFF00FF00u, 0xFFFFFF00u};
        for (int k = 0; k < 3; ++k) {
            const ImageItem& geology = list[5 + k];
            EXPECT_EQ(geology.picture.width, c.geologyWidth);
            EXPECT_EQ(geology.transparentColour, kMagenta);
            EXPECT_EQ(geology.picture.at(5, 0), colours[k]) << "item " << 5 + k;  // (5 + 0) % 5 == 0: was black
            EXPECT_EQ(geology.picture.at(7, 0), kBlue);                           // 21 % 7 == 0
            EXPECT_EQ(std::count(geology.picture.pixels.begin(), geology.picture.pixels.end(), kBlack), 0);
        }
    }
}

// Bytes of a BMP file header and BITMAPINFOHEADER for a 24-bit picture.
std::string BmpHeader(int width, int height, std::uint32_t dataBytes) {
    std::string h(54, '\0');
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) h[static_cast<std::size_t>(at + i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    h[0] = 'B';
    h[1] = 'M';
    put32(2, 54 + dataBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    h[26] = 1;
    h[28] = 24;
    put32(34, dataBytes);
    return h;
}

// A 4 x 2 picture, 8-bit run-length coded with a grey palette: each row one
// run of 4 pixels; `complete` ends it properly, otherwise it stops after row 1.
std::string RleFile(bool complete) {
    std::string palette;
    for (int i = 0; i < 256; ++i) palette += {static_cast<char>(i), static_cast<char>(i), static_cast<char>(i), 0};
    const std::string rows = complete ? std::string("\x04\x10\x00\x00\x04\x20\x00\x01", 8) : std::string("\x04\x10", 2);
    std::string data = BmpHeader(4, 2, static_cast<std::uint32_t>(rows.size()));
    data[10] = static_cast<char>((54 + 1024) & 0xFF);
    data[11] = static_cast<char>((54 + 1024) >> 8);
    data[28] = 8;
    data[30] = 1;
    return data + palette + rows;
}

// A 2 x 2 picture stored top-down: red, blue on the first row; black, white below.
std::string TopDownFile() {
    std::string data = BmpHeader(2, -2, 16);
    const unsigned char rows[16] = {0, 0, 255, 255, 0,   0,   0, 0,  // BGR red, BGR blue, padding
                                    0, 0, 0,   255, 255, 255, 0, 0};
    data.append(reinterpret_cast<const char*>(rows), sizeof rows);
    return data;
}

TEST_F(SheetTest, BadPictureFilesGiveAMessageNamingTheFile) {
    std::string valid;
    {
        ASSERT_TRUE(SaveBitmapFile(root / "valid.bmp", Bitmap(64, 64, kRed)));
        std::ifstream in(root / "valid.bmp", std::ios::binary);
        valid.assign(std::istreambuf_iterator<char>(in), {});
    }
    struct Case {
        const char* what;
        std::string bytes;
        bool write;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", "", false, "не найден"},
        {"empty", "", true, "пуст"},
        {"truncated", valid.substr(0, valid.size() / 2), true, "обрезан"},
        {"header only", valid.substr(0, 40), true, "обрезан"},
        {"not a BMP", "GIF89a this is not a picture at all, just some text in place", true, "не BMP"},
        {"65536 x 65536 header", BmpHeader(65536, 65536, 0), true, "слишком большая"},
        {"negative height, 65536 rows", BmpHeader(16, -65536, 0), true, "слишком большая"},
        {"negative height, rows missing", BmpHeader(16, -16, 0), true, "обрезан"},
        {"lowest negative height", BmpHeader(16, INT32_MIN, 0), true, "слишком большая"},
        {"negative width", BmpHeader(-16, 16, 0), true, "неверный размер"},
        {"zero size", BmpHeader(0, 0, 0), true, "неверный размер"},
        {"run-length data cut off", RleFile(false), true, "обрезан"},
    };
    for (const Case& c : cases) {
        const fs::path file = root / "graph" / "Units0.bmp";
        fs::create_directories(file.parent_path());
        fs::remove(file);
        if (c.write) std::ofstream(file, std::ios::binary) << c.bytes;
        ImageList list;
        list.append();
        const BitmapLoad loaded = LoadSheet(list, 0, file, 63, 63, true, true);
        EXPECT_FALSE(loaded.ok) << c.what;
        EXPECT_NE(loaded.error.find("Units0.bmp"), std::string::npos) << c.what << ": " << loaded.error;
        EXPECT_NE(loaded.error.find(c.reason), std::string::npos) << c.what << ": " << loaded.error;
        EXPECT_EQ(list.count(), 1) << c.what;
    }
}

TEST_F(SheetTest, ACompleteRunLengthFileLoads) {
    std::ofstream(root / "rle.bmp", std::ios::binary) << RleFile(true);
    Bitmap picture;
    const BitmapLoad loaded = LoadBitmapFile(root / "rle.bmp", picture);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    ASSERT_EQ(picture.width, 4);
    EXPECT_EQ(picture.at(3, 1), 0xFF101010u);  // bottom row first
    EXPECT_EQ(picture.at(0, 0), 0xFF202020u);
}

TEST_F(SheetTest, ACompleteTopDownFileLoadsTheRightWayUp) {
    std::ofstream(root / "top.bmp", std::ios::binary) << TopDownFile();
    Bitmap picture;
    const BitmapLoad loaded = LoadBitmapFile(root / "top.bmp", picture);
    ASSERT_TRUE(loaded.ok) << loaded.error;
    ASSERT_EQ(picture.width, 2);
    ASSERT_EQ(picture.height, 2);
    EXPECT_EQ(picture.at(0, 0), kRed);
    EXPECT_EQ(picture.at(1, 0), kBlue);
    EXPECT_EQ(picture.at(0, 1), kBlack);
    EXPECT_EQ(picture.at(1, 1), 0xFFFFFFFFu);
}

TEST_F(SheetTest, ABadSheetStopsTheLaunchGraphicsAndLeavesNothingLoaded) {
    ASSERT_TRUE(WriteSyntheticGraph(root));
    auto game = NewGame();
    InitData(*game);
    struct Case {
        const char* file;
        bool highRes;
    };
    const Case cases[] = {{"struct2.bmp", false}, {"GEO1.bmp", true}, {"Terrain0.bmp", false}};
    for (const Case& c : cases) {
        const fs::path file = root / "graph" / c.file;
        const fs::path saved = root / "saved.bmp";
        fs::copy_file(file, saved, fs::copy_options::overwrite_existing);
        std::ofstream(file, std::ios::binary | std::ios::trunc) << "BM";
        ImageList list;
        Bitmap palette;
        const GraphicsLoad load = LoadGameGraphics(*game, root, root / "user", c.highRes, list, palette, {});
        EXPECT_FALSE(load.ok) << c.file;
        EXPECT_NE(load.error.find(c.file), std::string::npos) << load.error;
        EXPECT_EQ(list.count(), 0) << c.file;
        fs::copy_file(saved, file, fs::copy_options::overwrite_existing);
    }
    // With the files repaired the same folders load.
    ImageList list;
    Bitmap palette;
    EXPECT_TRUE(LoadGameGraphics(*game, root, root / "user", false, list, palette, {}).ok);
    EXPECT_TRUE(HighResGeologyAvailable(root));
    fs::remove(root / "graph" / "GEO1.bmp");
    EXPECT_FALSE(HighResGeologyAvailable(root));
    // Without GEO1.bmp the ordinary geology still loads; asking for GEO1 names it.
    EXPECT_TRUE(LoadGameGraphics(*game, root, root / "user", false, list, palette, {}).ok);
    const GraphicsLoad highRes = LoadGameGraphics(*game, root, root / "user", true, list, palette, {});
    EXPECT_FALSE(highRes.ok);
    EXPECT_NE(highRes.error.find("GEO1.bmp"), std::string::npos);
}

}  // namespace
}  // namespace tarq
