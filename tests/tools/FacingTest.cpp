// Each of a unit's eight facings points where its number says: 1 up, then
// clockwise in steps of 45 degrees. Every unit and turret carries its lamps
// at the front, the brightest part of the picture, so the direction from
// the pattern's centre to the lamps is the picture's heading.
#include <gtest/gtest.h>

#include <cmath>

#include "GraphFixture.h"
#include "Placement.h"
#include "core/World.h"

namespace sheetgen {
namespace {

using testing::Luminance;
using testing::PatternOf;
using testing::TheGraph;

struct Heading {
    int lampPixels = 0;
    double degrees = 0;  // clockwise from up
    double reach = 0;    // distance of the lamps from the centre, in pattern widths
};

Heading MeasureHeading(const QImage& p) {
    double sx = 0, sy = 0;
    Heading h;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (p.pixel(x, y) != kKeyColour && Luminance(p.pixel(x, y)) >= 240) {
                sx += x - (p.width() - 1) / 2.0;
                sy += y - (p.height() - 1) / 2.0;
                ++h.lampPixels;
            }
    if (h.lampPixels == 0) return h;
    sx /= h.lampPixels, sy /= h.lampPixels;
    h.degrees = std::fmod(std::atan2(sx, -sy) * 180 / 3.14159265358979 + 360, 360);
    h.reach = std::hypot(sx, sy) / p.width();
    return h;
}

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360);
    return d > 180 ? 360 - d : d;
}

TEST(FacingTest, EveryFacingPointsTheWayItsNumberSays) {
    auto game = tarq::NewGame();
    tarq::InitData(*game);
    int checked = 0;
    for (const PictureJob& job : PlanPictures(*game).jobs) {
        if (job.art != Art::UnitWhole && job.art != Art::UnitHull && job.art != Art::UnitTop && job.art != Art::Turret)
            continue;
        for (const SheetLayout* layout : SheetsForItem(job.item)) {
            const Heading h = MeasureHeading(PatternOf(*FindFile(TheGraph(), layout->file), job.spr));
            const double expected = (job.index - 1) * 45.0;
            SCOPED_TRACE("type " + std::to_string(job.type) + " " + layout->file + ":" + std::to_string(job.spr) +
                         " facing " + std::to_string(job.index));
            ASSERT_GT(h.lampPixels, 1);
            EXPECT_LT(AngleBetween(h.degrees, expected), 22.5) << "points to " << h.degrees;
            EXPECT_GT(h.reach, 0.15);
            ++checked;
        }
    }
    // 35 units with facings, three with a second set on top, two with a spare set, four turrets.
    EXPECT_EQ(checked, (35 + 3 + 2 + 4) * 8);
}

TEST(FacingTest, MeasureFindsTheLampsOfAHandMadePicture) {
    QImage p(63, 63, QImage::Format_RGB32);
    p.fill(kKeyColour);
    for (int y = 20; y < 44; ++y)
        for (int x = 24; x < 40; ++x) p.setPixel(x, y, qRgb(80, 100, 140));
    p.setPixel(56, 30, qRgb(255, 250, 214));  // one lamp to the right
    p.setPixel(56, 32, qRgb(255, 250, 214));
    const Heading h = MeasureHeading(p);
    EXPECT_EQ(h.lampPixels, 2);
    EXPECT_LT(AngleBetween(h.degrees, 90), 1.0);
}

}  // namespace
}  // namespace sheetgen
