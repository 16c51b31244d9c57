// The written folder holds exactly the drawn pictures, and rewriting it after
// a change clears the game's cache of pictures composed from the old sheets.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QImage>
#include <filesystem>
#include <fstream>

#include "GraphFixture.h"

namespace sheetgen {
namespace {

namespace fs = std::filesystem;
using testing::TheGraph;

class WriteGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tarq_graph_" + std::to_string(::getpid()));
        fs::remove_all(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    void Touch(const fs::path& p) { std::ofstream(p) << "cached"; }
    fs::path dir;
};

TEST_F(WriteGraphTest, FilesReadBackAsDrawn) {
    ASSERT_EQ(WriteGraph(TheGraph(), dir), "");
    for (const OutputFile& f : TheGraph().files) {
        QImage back(QString::fromStdString((dir / f.name).string()));
        ASSERT_FALSE(back.isNull()) << f.name;
        EXPECT_TRUE(back.convertToFormat(QImage::Format_RGB32) == f.image.convertToFormat(QImage::Format_RGB32))
            << f.name;
    }
}

TEST_F(WriteGraphTest, ChangedSheetsClearTheComposedCacheOnly) {
    ASSERT_EQ(WriteGraph(TheGraph(), dir), "");
    fs::create_directories(dir / "tempgraph");
    for (const char* name : {"Gs00.bmp", "GS01.bmp", "gs02.bmp", "minim0.bmp", "constcompl.bmp"})
        Touch(dir / "tempgraph" / name);

    ASSERT_EQ(WriteGraph(TheGraph(), dir), "");  // nothing changed: the cache stays
    EXPECT_TRUE(fs::exists(dir / "tempgraph" / "Gs00.bmp"));

    Graph changed = TheGraph();
    changed.files.front().image.setPixel(5, 5, qRgb(1, 2, 3));
    ASSERT_EQ(WriteGraph(changed, dir), "");
    for (const char* name : {"Gs00.bmp", "GS01.bmp", "gs02.bmp", "minim0.bmp"})
        EXPECT_FALSE(fs::exists(dir / "tempgraph" / name)) << name;
    EXPECT_TRUE(fs::exists(dir / "tempgraph" / "constcompl.bmp"));
}

TEST_F(WriteGraphTest, AnUnwritableFolderIsReported) {
    Touch(dir);  // a file where the folder should be
    EXPECT_NE(WriteGraph(TheGraph(), dir), "");
}

}  // namespace
}  // namespace sheetgen
