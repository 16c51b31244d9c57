// Every picture the engine's tables name exists as a whole pattern of the
// right sheet and shows something; sheet sizes, keys and the fixed pictures
// (pad, geology, connectors, emblems, cards) are what the game reads.
#include <gtest/gtest.h>

#include <set>

#include "GraphFixture.h"
#include "Placement.h"
#include "Terrain.h"
#include "core/ConnectorCodes.h"
#include "core/TypeSetup.h"
#include "core/World.h"
#include "world/TerrainTables.h"

namespace sheetgen {
namespace {

using testing::PatternOf;
using testing::TheGraph;
using testing::VisiblePixels;

class SheetContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = tarq::NewGame();
        tarq::InitData(*game);
    }
    const OutputFile& File(const std::string& name) {
        const OutputFile* f = FindFile(TheGraph(), name);
        EXPECT_NE(f, nullptr) << name;
        return *f;
    }
    std::unique_ptr<tarq::Game> game;
};

TEST_F(SheetContentTest, GeneratorReportsNoProblems) {
    for (const std::string& p : TheGraph().problems) ADD_FAILURE() << p;
    EXPECT_TRUE(PlanPictures(*game).unplaced.empty());
}

TEST_F(SheetContentTest, EverySpriteTablePictureIsAVisibleWholePattern) {
    for (std::size_t e = 1; e <= tarq::kFilledSprites; ++e) {
        const tarq::TSpriteRef& s = game->SpriteTable[e];
        const std::vector<const SheetLayout*> sheets = SheetsForItem(s.idU);
        ASSERT_FALSE(sheets.empty()) << "entry " << e;
        for (const SheetLayout* layout : sheets) {
            const OutputFile& f = File(layout->file);
            const int perRow = f.image.width() / f.patternW, count = perRow * (f.image.height() / f.patternH);
            ASSERT_LT(s.Spr, count) << "entry " << e << " in " << layout->file;
            const QImage pattern = PatternOf(f, s.Spr);
            const int visible = VisiblePixels(pattern, kKeyColour);
            EXPECT_GT(visible, pattern.width() * pattern.height() / 40)
                << "entry " << e << " " << layout->file << ":" << s.Spr;
        }
    }
}

TEST_F(SheetContentTest, UnitPicturesStayInsideTheirPattern) {
    // A unit cut off at the pattern's edge shows a straight seam on the map.
    for (const PictureJob& job : PlanPictures(*game).jobs) {
        if (job.art == Art::Building || job.art == Art::SmallStructure || job.art == Art::ConstructionSite) continue;
        for (const SheetLayout* layout : SheetsForItem(job.item)) {
            const QImage p = PatternOf(File(layout->file), job.spr);
            int edge = 0;
            QPoint where;
            for (int i = 0; i < p.width(); ++i)
                for (QPoint q : {QPoint(i, 0), QPoint(i, p.height() - 1), QPoint(0, i), QPoint(p.width() - 1, i)})
                    if (p.pixel(q) != kKeyColour) ++edge, where = q;
            EXPECT_EQ(edge, 0) << "type " << job.type << " " << layout->file << ":" << job.spr << " at " << where.x()
                               << "," << where.y();
        }
    }
}

TEST_F(SheetContentTest, SheetSizesAndKeys) {
    struct Expect {
        const char* file;
        int width, height;
    };
    for (const Expect& e : {Expect{"s00.bmp", 512, 512}, Expect{"s01.bmp", 512, 512}, Expect{"s02.bmp", 512, 512},
                            Expect{"S03.bmp", 512, 512}}) {
        EXPECT_EQ(File(e.file).image.width(), e.width) << e.file;
        EXPECT_EQ(File(e.file).image.height(), e.height) << e.file;
    }
    for (const SheetLayout& layout : PatternSheets()) {
        const OutputFile& f = File(layout.file);
        ASSERT_TRUE(layout.transparent) << layout.file;
        EXPECT_EQ(f.image.pixel(1, 1), kKeyColour) << layout.file;
        EXPECT_EQ(f.image.width() % layout.patternW, 0) << layout.file;
        EXPECT_EQ(f.image.height() % layout.patternH, 0) << layout.file;
    }
    // The cache takes the key of s01 from s00.
    EXPECT_EQ(File("s00.bmp").image.pixel(1, 1), File("s01.bmp").image.pixel(1, 1));
    for (int kind = 0; kind < kTerrainKinds; ++kind) {
        const QImage& t = File(TerrainFile(kind)).image;
        EXPECT_GE(t.width() / 64, 3);
        EXPECT_GE((t.width() / 64) * (t.height() / 64), tarq::kTerrainObstacleLast + 1);
    }
}

TEST_F(SheetContentTest, FlattenNeverLeavesAVisiblePixelInTheKeyColour) {
    QImage argb(4, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, kKeyColour);              // drawn in the key's colour
    argb.setPixel(1, 0, qRgba(10, 20, 30, 100));  // mostly transparent
    argb.setPixel(2, 0, qRgba(10, 20, 30, 200));  // mostly covered
    argb.setPixel(3, 0, qRgba(0, 0, 0, 0));
    const QImage flat = Flatten(argb, true);
    EXPECT_NE(flat.pixel(0, 0), kKeyColour);
    EXPECT_EQ(flat.pixel(1, 0), kKeyColour);
    EXPECT_EQ(flat.pixel(2, 0), qRgb(10, 20, 30));
    EXPECT_EQ(flat.pixel(3, 0), kKeyColour);
}

TEST_F(SheetContentTest, PadFillsTheFirstBlockOfS03AndNoSpriteUsesIt) {
    const QImage pad = File("S03.bmp").image.copy(0, 0, 128, 128);
    EXPECT_GT(VisiblePixels(pad, kKeyColour), 128 * 128 * 9 / 10);
    for (std::size_t e = 1; e <= tarq::kFilledSprites; ++e) {
        const tarq::TSpriteRef& s = game->SpriteTable[e];
        if (s.idU == 3) {
            EXPECT_FALSE(s.Spr == 0 || s.Spr == 1 || s.Spr == 8 || s.Spr == 9) << "entry " << e;
        }
    }
}

TEST_F(SheetContentTest, GeologyIsPureBlackOnANonBlackKeyAndGrowsWithTheAmount) {
    for (const char* name : {"GEO.bmp", "GEO1.bmp"}) {
        const OutputFile& f = File(name);
        EXPECT_NE(f.image.pixel(1, 1), qRgb(0, 0, 0));
        int previous = -1;
        for (int amount = 0; amount <= kMaxDepositAmount; ++amount) {
            const QImage p = PatternOf(f, amount);
            int black = 0, other = 0;
            for (int y = 0; y < p.height(); ++y)
                for (int x = 0; x < p.width(); ++x) {
                    const QRgb c = p.pixel(x, y);
                    black += c == qRgb(0, 0, 0);
                    other += c != qRgb(0, 0, 0) && c != kKeyColour;
                }
            EXPECT_EQ(other, 0) << name << " amount " << amount;
            if (amount == 0) {
                EXPECT_EQ(black, 0) << name;
            } else {
                EXPECT_GT(black, previous) << name << " amount " << amount;
            }
            previous = black;
        }
        EXPECT_GT(VisiblePixels(PatternOf(f, game->SpriteTable[520].Spr), kKeyColour), 0) << name;
    }
}

TEST_F(SheetContentTest, ConnectorArmsPointExactlyAtTheListedNeighbours) {
    const OutputFile& f = File("Conn0.bmp");
    for (const tarq::ConnectorPicture& c : tarq::kConnectorPictures) {
        const QImage p = PatternOf(f, c.spr);
        const int mid = p.width() / 2, last = p.width() - 1;
        EXPECT_EQ(p.pixel(mid, 0) != kKeyColour, c.up) << "picture " << c.spr;
        EXPECT_EQ(p.pixel(0, mid) != kKeyColour, c.left) << "picture " << c.spr;
        EXPECT_EQ(p.pixel(last, mid) != kKeyColour, c.right) << "picture " << c.spr;
        EXPECT_EQ(p.pixel(mid, last) != kKeyColour, c.down) << "picture " << c.spr;
        EXPECT_NE(p.pixel(mid, mid), kKeyColour) << "picture " << c.spr;
    }
}

TEST_F(SheetContentTest, EmblemsAndCardsForEveryClanAndType) {
    for (int clan = 0; clan < kClans; ++clan) {
        EXPECT_EQ(File(EmblemFile(clan)).image.size(), QSize(78, 78));
    }
    std::set<std::string> names;
    for (int t = 1; t <= tarq::kDefinedTypes; ++t) {
        const QImage& card = File(CardFile(t)).image;
        EXPECT_EQ(card.size(), QSize(kCardW, kCardH));
        names.insert(CardFile(t));
    }
    EXPECT_EQ(*names.begin(), "units/U01.bmp");
    EXPECT_EQ(*names.rbegin(), "units/U67.bmp");
}

TEST_F(SheetContentTest, EveryTerrainCodeHasItsOwnTileShape) {
    const QImage& sheet = File(TerrainFile(0)).image;
    auto tile = [&](int code) { return sheet.copy((code % 16) * 64, (code / 16) * 64, 64, 64); };
    const QImage land = tile(tarq::kTerrainLand), water = tile(tarq::kTerrainWater);
    std::set<int> written;
    for (const tarq::CoastRule& rule : tarq::CoastRules())
        for (const tarq::CoastWrite& w : rule.writes)
            if (w.code >= tarq::kTerrainCoastFirst) written.insert(w.code);
    for (int code : written) {
        if (CoastWaterMasks()[static_cast<std::size_t>(code)] == 0) continue;  // written only where no water touches it
        EXPECT_NE(tile(code), land) << "coast " << code;
    }
    for (const auto* kinds : {&tarq::LargeObstacles(), &tarq::SmallObstacles()})
        for (const tarq::ObstacleKind& k : *kinds)
            for (const tarq::ObstacleTile& t : k.tiles) EXPECT_NE(tile(t.code), land) << "obstacle " << int(t.code);
    EXPECT_NE(land, water);
}

TEST_F(SheetContentTest, TheGeneratorIsDeterministic) {
    const Graph again = DrawGraph();
    ASSERT_EQ(again.files.size(), TheGraph().files.size());
    for (std::size_t i = 0; i < again.files.size(); ++i) {
        EXPECT_EQ(again.files[i].name, TheGraph().files[i].name);
        EXPECT_TRUE(again.files[i].image == TheGraph().files[i].image) << again.files[i].name;
    }
}

}  // namespace
}  // namespace sheetgen
