#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Paths.h"

namespace tarq {
namespace {

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("tarq-paths-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "graph" / "tempgraph");
        std::ofstream(root / "graph" / "s00.bmp") << "x";
        std::ofstream(root / "graph" / "tempgraph" / "GS00.bmp") << "x";
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(PathsTest, WindowsNamesResolveWhateverTheirCase) {
    EXPECT_EQ(ResolveGamePath("graph\\s00.bmp", root), root / "graph" / "s00.bmp");
    EXPECT_EQ(ResolveGamePath("Graph\\S00.BMP", root), root / "graph" / "s00.bmp");
    EXPECT_EQ(ResolveGamePath("Graph\\tempgraph\\Gs00.bmp", root), root / "graph" / "tempgraph" / "GS00.bmp");
    EXPECT_EQ(ResolveGamePath("graph/tempgraph/gs00.bmp", root), root / "graph" / "tempgraph" / "GS00.bmp");
    EXPECT_TRUE(GameFileExists("GRAPH\\TEMPGRAPH\\gs00.bmp", root));
}

TEST_F(PathsTest, MissingNamesKeepTheirSpellingSoTheyCanBeCreated) {
    EXPECT_EQ(ResolveGamePath("Graph\\tempgraph\\t.bmp", root), root / "graph" / "tempgraph" / "t.bmp");
    EXPECT_EQ(ResolveGamePath("graph\\nowhere\\x.bmp", root), root / "graph" / "nowhere" / "x.bmp");
    EXPECT_FALSE(GameFileExists("graph\\GEO1.bmp", root));
    // A folder is not a file.
    EXPECT_FALSE(GameFileExists("graph\\tempgraph", root));
}

}  // namespace
}  // namespace tarq
