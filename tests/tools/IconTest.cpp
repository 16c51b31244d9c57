// The small icons are drawn for their size, not shrunk from the large art.
#include <gtest/gtest.h>

#include "ArtKit.h"
#include "Icons.h"

namespace sheetgen {
namespace {

// A transparent margin of a pixel per 16 all round, the badge reaching it on
// every side, and the tank in whole pixels of its team colours, not a blend.
TEST(IconTest, SmallIconsKeepAMarginAndACrispTank) {
    for (int size : {16, 22, 24, 32}) {
        for (const QImage& icon : {DrawAppIcon(size), DrawSavedGameIcon(size)}) {
            ASSERT_EQ(icon.size(), QSize(size, size));
            const int margin = size / 16, last = size - 1 - margin;
            int inMargin = 0, team = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QRgb p = icon.pixel(x, y);
                    if (x < margin || y < margin || x > last || y > last) inMargin += qAlpha(p) != 0;
                    team += p == kit::kTeam.rgb() || p == kit::kTeamLight.rgb();
                }
            EXPECT_EQ(inMargin, 0) << size;
            EXPECT_GE(team, size * size / 40) << size;
            EXPECT_EQ(qAlpha(icon.pixel(size / 2, last)), 255) << size;
        }
        const QImage app = DrawAppIcon(size);
        const int margin = size / 16, last = size - 1 - margin;
        for (QPoint edge : {QPoint(size / 2, margin), QPoint(margin, size / 2), QPoint(last, size / 2)})
            EXPECT_EQ(qAlpha(app.pixel(edge)), 255) << size << " at " << edge.x() << "," << edge.y();
    }
}

}  // namespace
}  // namespace sheetgen
