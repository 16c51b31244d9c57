#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "CacheTestSupport.h"
#include "core/World.h"
#include "platform/GraphicsCacheFiles.h"
#include "platform/Notices.h"
#include "support/Utf8.h"

namespace tarq {
namespace {

namespace fs = std::filesystem;
using namespace tarq::testing;

class CacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureGuiApp();
        root = fs::temp_directory_path() /
               ("tarq-cache-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                std::to_string(getpid()));
        fs::remove_all(root);
        ASSERT_TRUE(WriteSyntheticGraph(root / "game"));
        game = NewGame();
        InitData(*game);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path base() const { return root / "game"; }
    fs::path cacheDir() const { return base() / "graph" / "tempgraph"; }
    fs::path userCache() const { return root / "user" / "tarq" / "tempgraph"; }
    Bitmap Load(const fs::path& file) {
        Bitmap b;
        const BitmapLoad loaded = LoadBitmapFile(file, b);
        EXPECT_TRUE(loaded.ok) << loaded.error;
        return b;
    }

    fs::path root;
    std::unique_ptr<Game> game;
};

// The base sheet as the cache builds it: s00's own pixels, under 576 the
// terrain tile 2 repeated, under 640 the keyed 128 x 128 corner of s03 repeated.
Pixel ExpectedBase(const Bitmap& s00, const Bitmap& terrain, const Bitmap& s03, int x, int y) {
    Pixel p = s00.at(x, y);
    if (x < 576 && y < 576) p = terrain.at(128 + x % 64, y % 64);
    if (x < 640 && y < 640 && s03.at(x % 128, y % 128) != kMagenta) p = s03.at(x % 128, y % 128);
    return p;
}

TEST_F(CacheTest, BuildsTheFiveFilesWithTheirSizesAndRemovesTheBaseSheet) {
    int begins = 0, ends = 0, notices = 0, last = 0;
    bool monotone = true;
    CacheProgress progress;
    progress.begin = [&] { ++begins; };
    progress.end = [&] { ++ends; };
    progress.noticeDone = [&] { ++notices; };
    progress.advance = [&](int position) {
        monotone = monotone && position >= last && position <= kCacheGaugeMax;
        last = position;
    };
    const CacheOutcome outcome = PrepareGraphicsCache(*game, base(), cacheDir(), progress);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(outcome.rebuilt);
    EXPECT_EQ(outcome.dir, cacheDir());
    EXPECT_TRUE(CacheComplete(cacheDir()));
    EXPECT_FALSE(fs::exists(cacheDir() / "t.bmp"));
    EXPECT_EQ(begins, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(notices, kTypeCount);
    EXPECT_TRUE(monotone);
    EXPECT_EQ(last, kCacheGaugeMax);
    EXPECT_EQ(kCacheGaugeTotal, 1785);

    const Bitmap minim = Load(cacheDir() / "minim0.bmp");
    EXPECT_EQ(minim.width, 4 * (3 + 2) + 1);
    EXPECT_EQ(minim.height, 1);
    for (int t = 0; t < 12; ++t) EXPECT_EQ(minim.at(t, 0), TerrainCentre(0, t)) << "tile " << t;
    for (const char* name : {"GS00.bmp", "GS01.bmp", "GS02.bmp"}) {
        const Bitmap sheet = Load(cacheDir() / name);
        EXPECT_EQ(sheet.width, 640) << name;
        EXPECT_EQ(sheet.height, 600) << name;
    }
    const Bitmap notice = Load(cacheDir() / "constcompl.bmp");
    EXPECT_EQ(notice.width, 4352);
    EXPECT_EQ(notice.height, 64);
}

TEST_F(CacheTest, StructureSheetsLieOverTheBaseWithTheirKeys) {
    ASSERT_TRUE(PrepareGraphicsCache(*game, base(), cacheDir(), {}).ok);
    const Bitmap s00 = Load(base() / "graph" / "s00.bmp");
    const Bitmap s03 = Load(base() / "graph" / "S03.bmp");
    const Bitmap terrain = Load(base() / "graph" / "Terrain0.bmp");
    EXPECT_EQ(terrain.at(128 + 5, 9), Tile2Pixel(5, 9));
    struct Case {
        const char* cached;
        const char* source;
        Pixel key;
    };
    // GS01 is keyed with s00's key (magenta): its own key colour (cyan) is drawn.
    const Case cases[] = {{"GS00.bmp", "s00.bmp", kMagenta},
                          {"GS01.bmp", "s01.bmp", kMagenta},
                          {"GS02.bmp", "s02.bmp", kYellow}};
    for (const Case& c : cases) {
        const Bitmap sheet = Load(base() / "graph" / c.source);
        const Bitmap cached = Load(cacheDir() / c.cached);
        int mismatches = 0;
        for (int y = 0; y < cached.height; ++y)
            for (int x = 0; x < cached.width; ++x) {
                const bool drawn = x < 512 && y < 512 && sheet.at(x, y) != c.key;
                const Pixel expected = drawn ? sheet.at(x, y) : ExpectedBase(s00, terrain, s03, x, y);
                if (cached.at(x, y) != expected && ++mismatches < 5)
                    ADD_FAILURE() << c.cached << " at " << x << "," << y;
            }
        EXPECT_EQ(mismatches, 0) << c.cached;
    }
    // The cyan of s01 shows in GS01, its magenta lets the base through.
    const Bitmap gs01 = Load(cacheDir() / "GS01.bmp");
    const Bitmap s01 = Load(base() / "graph" / "s01.bmp");
    ASSERT_EQ(s01.at(0, 0), kMagenta);
    EXPECT_EQ(gs01.at(0, 0), ExpectedBase(s00, terrain, s03, 0, 0));
    EXPECT_EQ(gs01.at(1, 1), kCyan);
}

TEST_F(CacheTest, AnyOneMissingFileRebuildsAllAndACompleteCacheIsReused) {
    ASSERT_TRUE(EnsureGraphicsCache(*game, base(), userCache(), {}).ok);
    const Bitmap marker(3, 3, kBlue);
    for (const char* missing : kCacheFiles) {
        // Mark every file, then remove one: all of them must come back rebuilt.
        for (const char* name : kCacheFiles) ASSERT_TRUE(SaveBitmapFile(cacheDir() / name, marker));
        fs::remove(cacheDir() / missing);
        const CacheOutcome outcome = EnsureGraphicsCache(*game, base(), userCache(), {});
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_TRUE(outcome.rebuilt) << missing;
        for (const char* name : kCacheFiles)
            EXPECT_NE(Load(cacheDir() / name).width, 3) << name << " after " << missing;
    }
    for (const char* name : kCacheFiles) ASSERT_TRUE(SaveBitmapFile(cacheDir() / name, marker));
    const CacheOutcome reused = EnsureGraphicsCache(*game, base(), userCache(), {});
    EXPECT_TRUE(reused.ok);
    EXPECT_FALSE(reused.rebuilt);
    EXPECT_EQ(Load(cacheDir() / "GS00.bmp").width, 3);
    EXPECT_FALSE(fs::exists(userCache()));
}

TEST_F(CacheTest, ACacheFromOtherSheetsOrAnotherVersionIsBuiltAgain) {
    const fs::path keyFile = cacheDir() / kCacheKeyFile;
    const auto rewriteVersion = [&] {
        std::stringstream key;
        key << std::ifstream(keyFile).rdbuf();
        std::string text = key.str();
        ASSERT_EQ(text.rfind("tarq ", 0), 0u) << text;
        std::ofstream(keyFile, std::ios::trunc) << "tarq 0.0.1" << text.substr(text.find('\n'));
    };
    const auto redrawSheet = [&] {  // an upgrade, or another install sharing the user's cache
        Bitmap s01 = Load(base() / "graph" / "s01.bmp");
        s01.at(2, 2) = kBlue;
        ASSERT_TRUE(SaveBitmapFile(base() / "graph" / "s01.bmp", s01));
    };
    const struct {
        const char* what;
        std::function<void()> change;
    } cases[] = {{"a sheet redrawn", redrawSheet},
                 {"made by another version", rewriteVersion},
                 {"made before caches had keys", [&] { fs::remove(keyFile); }}};
    const Bitmap marker(3, 3, kBlack);
    for (const auto& c : cases) {
        ASSERT_TRUE(EnsureGraphicsCache(*game, base(), userCache(), {}).ok);
        for (const char* name : kCacheFiles) ASSERT_TRUE(SaveBitmapFile(cacheDir() / name, marker));
        c.change();
        const CacheOutcome outcome = EnsureGraphicsCache(*game, base(), userCache(), {});
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_TRUE(outcome.rebuilt) << c.what;
        EXPECT_EQ(Load(cacheDir() / "GS01.bmp").at(2, 2), Load(base() / "graph" / "s01.bmp").at(2, 2)) << c.what;
        EXPECT_FALSE(EnsureGraphicsCache(*game, base(), userCache(), {}).rebuilt) << c.what;
    }
}

TEST_F(CacheTest, CacheNamesAreFoundWhateverTheirCase) {
    ASSERT_TRUE(PrepareGraphicsCache(*game, base(), cacheDir(), {}).ok);
    fs::rename(cacheDir() / "GS00.bmp", cacheDir() / "Gs00.bmp");
    fs::rename(cacheDir() / "minim0.bmp", cacheDir() / "MINIM0.BMP");
    EXPECT_TRUE(CacheComplete(cacheDir()));
    // A rebuild writes over the existing spelling instead of adding a second file.
    fs::remove(cacheDir() / "GS01.bmp");
    ASSERT_TRUE(EnsureGraphicsCache(*game, base(), userCache(), {}).ok);
    EXPECT_FALSE(fs::exists(cacheDir() / "GS00.bmp") && fs::exists(cacheDir() / "Gs00.bmp"));
}

TEST_F(CacheTest, AnUnwritableCacheFolderMovesTheCacheToTheUserFolder) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> block;
    };
    const Case cases[] = {
        {"tempgraph is a file", [](const fs::path& dir) { std::ofstream(dir) << "x"; }},
        {"a cache file cannot be written", [](const fs::path& dir) { fs::create_directories(dir / "GS00.bmp"); }},
        {"constcompl cannot be written", [](const fs::path& dir) { fs::create_directories(dir / "constcompl.bmp"); }},
    };
    for (const Case& c : cases) {
        fs::remove_all(cacheDir());
        fs::remove_all(root / "user");
        c.block(cacheDir());
        ImageList list;
        Bitmap palette;
        const GraphicsLoad load = LoadGameGraphics(*game, base(), userCache(), false, list, palette, {});
        ASSERT_TRUE(load.ok) << c.what << ": " << load.error;
        EXPECT_EQ(load.cacheDir, userCache()) << c.what;
        EXPECT_TRUE(CacheComplete(userCache())) << c.what;
        EXPECT_EQ(list.count(), kImageListItems);
        EXPECT_EQ(palette.width, 21);
        // The next launch reuses the user folder's cache.
        const CacheOutcome again = EnsureGraphicsCache(*game, base(), userCache(), {});
        EXPECT_TRUE(again.ok);
        EXPECT_FALSE(again.rebuilt) << c.what;
        EXPECT_EQ(again.dir, userCache());
    }
}

TEST_F(CacheTest, ADamagedCacheFileIsBuiltAgainOnce) {
    ASSERT_TRUE(EnsureGraphicsCache(*game, base(), userCache(), {}).ok);
    const fs::path gs02 = cacheDir() / "GS02.bmp";
    fs::resize_file(gs02, fs::file_size(gs02) / 2);  // cut off while being written
    ImageList list;
    Bitmap palette;
    const GraphicsLoad load = LoadGameGraphics(*game, base(), userCache(), false, list, palette, {});
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_TRUE(load.cacheRebuilt);
    EXPECT_EQ(list[2].picture.width, 640);
    // A bad source sheet is not the cache's fault: no rebuild loop, the sheet is named.
    std::ofstream(base() / "graph" / "Conn0.bmp", std::ios::trunc) << "BM";
    int begins = 0;
    CacheProgress progress;
    progress.begin = [&] { ++begins; };
    const GraphicsLoad bad = LoadGameGraphics(*game, base(), userCache(), false, list, palette, progress);
    EXPECT_FALSE(bad.ok);
    EXPECT_NE(bad.error.find("Conn0.bmp"), std::string::npos) << bad.error;
    EXPECT_EQ(begins, 0);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(CacheTest, AMissingSheetStopsTheCacheWithItsName) {
    fs::remove(base() / "graph" / "s02.bmp");
    const CacheOutcome outcome = EnsureGraphicsCache(*game, base(), userCache(), {});
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.writeFailed);
    EXPECT_NE(outcome.error.find("s02.bmp"), std::string::npos) << outcome.error;
    EXPECT_FALSE(fs::exists(userCache()));  // not a write problem: no fallback
}

TEST(NoticeTextTest, HyphenatesAfterTheNinthCharacterWhenNoSpaceComesFirst) {
    const std::pair<const char*, const char*> cases[] = {
        {"Конструктор", "Конструкт- ор завершен"},
        {"Инфильтратор", "Инфильтра- тор завершен"},
        {"Ракетный краулер", "Ракетный краулер завершен"},  // 9th character is a space
        {"САУ", "САУ завершен"},
        {"Мобильная зенитка", "Мобильная-  зенитка завершен"},  // the space is the 10th: kept after "- "
        {"", " завершен"},
        {"ABCDEFGHIJ", "ABCDEFGHI- J завершен"},
    };
    for (auto [name, expected] : cases) EXPECT_EQ(NoticeText(name), expected) << name;
}

TEST_F(CacheTest, EveryNoticeIsLimeOnOneBackgroundThatPixelOneOneKeeps) {
    const CacheProgress none;
    GaugeCounter gauge;
    const Bitmap strip = RenderNoticeStrip(*game, gauge, none);
    ASSERT_EQ(strip.width, kNoticeStripWidth);
    EXPECT_EQ(gauge.total(), kTypeCount);
    for (int type = 1; type <= kTypeCount; ++type) {
        const int ox = (type - 1) * kNoticeCell;
        int lime = 0, other = 0, minX = 64, maxX = -1;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const Pixel p = strip.at(ox + x, y);
                if (p == kNoticeText) {
                    ++lime;
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                } else if (p != kNoticeBackground) {
                    ++other;
                }
            }
        EXPECT_EQ(strip.at(ox + 1, 1), kNoticeBackground) << "type " << type;
        EXPECT_EQ(other, 0) << "type " << type;
        EXPECT_GT(lime, 20) << "type " << type;
        // Centred: the margins left and right of the text differ by a few pixels at most.
        EXPECT_LE(std::abs(minX - (63 - maxX)), 4) << "type " << type;
    }
}

}  // namespace
}  // namespace tarq
