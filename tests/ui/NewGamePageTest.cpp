// The start-conditions page: generating, the preview, the landing-sector grid.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "WindowFixture.h"
#include "ui/Widgets.h"

namespace tarq::testing {
namespace {

class NewGamePageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        WriteStandardPictures();
        OpenWindow();
    }
};

TEST_F(NewGamePageTest, GenerateDrawsThePreviewAtTheMapSizeAndTheGridOverIt) {
    form->newGamePage()->startConditions()->MapSize->setItemIndex(0);
    form->newGamePage()->startConditions()->Button10->click();
    const Game& g = form->game();
    EXPECT_EQ(g.MapGenerated, 1);
    EXPECT_EQ(g.World.MapWidth, 50);
    EXPECT_EQ(form->newGamePage()->startConditions()->Image3->image().size(), QSize(50, 50));
    EXPECT_EQ(form->newGamePage()->startConditions()->Image2->image().size(), QSize(160, 160));
    // Pixel (x, y) of the preview is the strip colour of cell (x, y)'s terrain code.
    const QImage preview = form->newGamePage()->startConditions()->Image3->image();
    const Bitmap& strip = form->terrainStrip();
    for (int x = 1; x < 50; x += 7)
        for (int y = 1; y < 50; y += 5) {
            const int code = g.World.Terrain(x, y);
            if (code < strip.width) {
                EXPECT_EQ(preview.pixel(x, y), strip.at(code, 0)) << x << "," << y;
            }
        }
}

TEST_F(NewGamePageTest, PressesToggleSectorsEvenBeforeAnyMap) {
    Game& g = form->game();
    form->newGamePage()->startConditions()->Image2MouseDown(Qt::LeftButton, 20, 40);  // sector (1, 2)
    form->newGamePage()->startConditions()->Image2Click();
    EXPECT_EQ(g.World.LandingSectors[1][2], 1);
    EXPECT_EQ(form->newGamePage()->startConditions()->Image2->image().size(), QSize(160, 160));
    // A claimed sector is filled navy inside its outline.
    EXPECT_EQ(form->newGamePage()->startConditions()->Image2->image().pixel(16 * 1 + 8, 16 * 2 + 8), qRgb(0, 0, 128));
    form->newGamePage()->startConditions()->Image2MouseDown(Qt::RightButton, 31, 47);  // same sector, any button
    EXPECT_EQ(g.World.LandingSectors[1][2], 0);
    EXPECT_NE(form->newGamePage()->startConditions()->Image2->image().pixel(16 * 1 + 8, 16 * 2 + 8),
              qRgb(0, 0, 128));  // the press redraws
    g.World.LandingSectors[4][4] = 2;
    form->newGamePage()->startConditions()->Image2MouseDown(Qt::LeftButton, 70, 70);
    EXPECT_EQ(g.World.LandingSectors[4][4], 2);
    EXPECT_EQ(g.MapGenerated, 0);
}

TEST_F(NewGamePageTest, TickingSectorsGeneratesOnceAndShowsTheHint) {
    Game& g = form->game();
    ASSERT_TRUE(form->newGamePage()->startConditions()->StaticText2->isHidden());
    form->newGamePage()->startConditions()->CheckBox2->click();
    EXPECT_EQ(g.MapGenerated, 1);
    EXPECT_FALSE(form->newGamePage()->startConditions()->StaticText2->isHidden());
    // A second tick does not regenerate: the map stays as it was.
    g.World.Terrain(5, 5) = 77;
    form->newGamePage()->startConditions()->CheckBox2->click();
    form->newGamePage()->startConditions()->CheckBox2->click();
    EXPECT_EQ(g.World.Terrain(5, 5), 77);
    EXPECT_FALSE(form->newGamePage()->startConditions()->StaticText2->isHidden());
}

TEST_F(NewGamePageTest, ClanChoiceLoadsItsEmblemOrSaysWhichFileIsMissing) {
    WriteBitmap("graph/03.bmp", Bitmap(78, 78, 0xFF00FF00u));
    form->newGamePage()->startConditions()->ComboBox1->setCurrentIndex(3);
    EXPECT_EQ(form->newGamePage()->startConditions()->Image4->image().pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_TRUE(messages.isEmpty());
    form->newGamePage()->startConditions()->ComboBox1->setCurrentIndex(5);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("05.bmp")));
    EXPECT_TRUE(form->newGamePage()->startConditions()->Image4->image().isNull());
}

}  // namespace
}  // namespace tarq::testing
