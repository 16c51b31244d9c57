// Animated structures change visibly from one frame to the next: blinking
// lights, turning fans and antennas, rising steam.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "GraphFixture.h"
#include "Placement.h"
#include "core/World.h"

namespace sheetgen {
namespace {

using testing::PatternOf;
using testing::TheGraph;

int DifferentPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(AnimationTest, ConsecutiveFramesOfEveryStructureDiffer) {
    auto game = tarq::NewGame();
    tarq::InitData(*game);
    // (type, variant, frame) -> the frame's quadrants
    std::map<std::tuple<int, int, int>, std::vector<QImage>> frames;
    std::map<std::pair<int, int>, int> frameCount;
    for (const PictureJob& job : PlanPictures(*game).jobs) {
        if ((job.art != Art::Building && job.art != Art::SmallStructure) || job.frames < 2) continue;
        const SheetLayout* layout = SheetsForItem(job.item).front();
        frames[{job.type, job.variant, job.index}].push_back(PatternOf(*FindFile(TheGraph(), layout->file), job.spr));
        frameCount[{job.type, job.variant}] = job.frames;
    }
    ASSERT_GE(frameCount.size(), 8u);  // generator, radar, power station, mines, ecosphere, research, hangar
    for (const auto& [key, count] : frameCount)
        for (int f = 0; f < count; ++f) {
            const auto& a = frames[{key.first, key.second, f}];
            const auto& b = frames[{key.first, key.second, (f + 1) % count}];
            ASSERT_EQ(a.size(), b.size());
            int changed = 0;
            for (std::size_t q = 0; q < a.size(); ++q) changed += DifferentPixels(a[q], b[q]);
            EXPECT_GE(changed, 20) << "type " << key.first << " variant " << key.second << " frame " << f;
        }
}

}  // namespace
}  // namespace sheetgen
