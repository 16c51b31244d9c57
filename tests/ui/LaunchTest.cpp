// The start button through the window: refusals, the launch's page and panel
// state, bad pictures, the cache's fallback folder, and the first frames.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <fstream>

#include "WindowFixture.h"
#include "ui/MapSurface.h"
#include "ui/Widgets.h"
#include "view/CacheTestSupport.h"

namespace tarq::testing {
namespace {

class LaunchTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(WriteSyntheticGraph(dir));
        WriteBitmap("graph/00.bmp", Bitmap(78, 78, 0xFF336699u));
        // The fallback cache folder must not be the developer's own.
        cacheHome = dir / "xdg-cache";
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cacheHome.string()));
        OpenWindow();
        form->show();
        form->newGamePage()->startConditions()->MapSize->setItemIndex(0);  // 50 x 50
    }
    bool Launched() const {
        return form->PageControl1->currentIndex() == 1 && form->PageControl1->isTabVisible(1) &&
               !form->PageControl1->isTabVisible(0) && !form->PageControl1->isTabVisible(2);
    }
    int ShownTerrainCells() const {
        const Game& g = form->game();
        int shown = 0;
        for (int c = 1; c <= g.World.MapWidth; ++c)
            for (int r = 1; r <= g.World.MapHeight; ++r) shown += g.Map(c, r).Layers[1].show != 0;
        return shown;
    }
    std::filesystem::path cacheHome;
};

TEST_F(LaunchTest, WithoutAMapItGeneratesSilentlyAndOpensTheMapPage) {
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    const Game& g = form->game();
    EXPECT_TRUE(Launched());
    EXPECT_EQ(g.World.MapWidth, 50);
    EXPECT_EQ(g.MapGenerated, 0);  // that generation does not count as the page's
    EXPECT_TRUE(form->newGamePage()->startConditions()->Image3->image().width() !=
                50);  // and draws no preview (the palette replaced it)
    EXPECT_EQ(form->mapPage()->Panel1->width(), 200);
    EXPECT_EQ(form->mapPage()->Panel5->height(), 18);
    EXPECT_TRUE(form->mapPage()->DXTimer->isActive());
    EXPECT_TRUE(form->mapPage()->DXDraw->initialized());
    EXPECT_EQ(form->mapPage()->images().count(), 15);
    EXPECT_EQ(g.SlowAnimPeriod, 10);
    EXPECT_EQ(g.TwoFrameAnimPeriod, 18);
    EXPECT_EQ(g.ViewSettings.ViewCenterCol, 25);
    EXPECT_EQ(g.ViewSettings.FirstCol, 1);
    EXPECT_EQ(g.MinimapDirty, 1);
    EXPECT_EQ(ShownTerrainCells(), 50 * 50);
    EXPECT_TRUE(std::filesystem::exists(dir / "graph" / "tempgraph" / "GS00.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "graph" / "tempgraph" / "t.bmp"));
    EXPECT_FALSE(form->PageControl1->isTabVisible(5));
}

TEST_F(LaunchTest, AGeneratedMapKeepsItsSizeWhenTheSizeListChangesAfterwards) {
    form->newGamePage()->startConditions()->Button10->click();  // 50 x 50
    const int water = form->game().World.Terrain(25, 25);
    form->newGamePage()->startConditions()->MapSize->setItemIndex(5);
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_TRUE(Launched());
    EXPECT_EQ(form->game().World.MapWidth, 50);
    EXPECT_EQ(form->game().World.MapHeight, 50);
    EXPECT_EQ(form->game().World.Terrain(25, 25), water);
    EXPECT_EQ(form->game().MapGenerated, 1);
}

TEST_F(LaunchTest, SectorsRequiredButNoneMarkedRefusesAndASecondPressWorks) {
    form->newGamePage()->startConditions()->CheckBox2->click();  // generates the map and shows the hint
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(messages, QStringList({QStringLiteral("Как насчет задать сектора для высадки?")}));
    EXPECT_EQ(weights, QList({MessageWeight::Warning}));
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
    EXPECT_EQ(ShownTerrainCells(), 50 * 50);  // a refused start changes nothing
    EXPECT_FALSE(form->mapPage()->DXTimer->isActive());
    // Marking a sector and pressing again launches with that sector's cells
    // shown (land there, which the random map may not have given it).
    form->game().World.Passability(2, 2) = kPassLand;
    form->newGamePage()->startConditions()->Image2MouseDown(Qt::LeftButton, 5, 5);
    form->newGamePage()->LaunchTARQ->click();
    EXPECT_EQ(messages.size(), 1) << messages.join(" | ").toStdString();
    EXPECT_TRUE(Launched());
    EXPECT_EQ(ShownTerrainCells(), 4 * 4);  // sector (0, 0) of a 50 x 50 map: columns and rows 1..4
    EXPECT_EQ(form->game().UseLandingSectors, 1);
}

TEST_F(LaunchTest, ANonIntegerSettingStopsTheLaunchNamingTheField) {
    form->settingsPage()->SFPS3->setText(QStringLiteral("быстро"));
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("SFPS3")) || messages[0].contains(QStringLiteral("двухкадровой")))
        << messages[0].toStdString();
    EXPECT_EQ(weights, QList({MessageWeight::Warning}));
    EXPECT_FALSE(Launched());
    EXPECT_EQ(form->game().World.MapWidth, 0);  // stopped before the map was read
}

TEST_F(LaunchTest, BadPicturesStopTheLaunchAndTheWindowStaysUsable) {
    struct Case {
        const char* file;
        std::string content;
    };
    const Case cases[] = {{"graph/Conn0.bmp", ""},
                          {"graph/Units3.bmp", "BM"},
                          {"graph/s02.bmp", "not a picture at all"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        messages.clear();
        weights.clear();
        ASSERT_TRUE(WriteSyntheticGraph(dir));
        std::filesystem::remove_all(dir / "graph" / "tempgraph");
        { std::ofstream(dir / c.file, std::ios::binary) << c.content; }
        form->newGamePage()->LaunchTARQ->click();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QString::fromLatin1(std::filesystem::path(c.file).filename().c_str())))
            << messages[0].toStdString();
        EXPECT_EQ(weights, QList({MessageWeight::Failure}));
        EXPECT_FALSE(Launched());
        EXPECT_FALSE(form->mapPage()->DXTimer->isActive());
        EXPECT_TRUE(form->newGamePage()->LaunchTARQ->isEnabled());
    }
    // Once the picture is good again, the same window launches.
    messages.clear();
    ASSERT_TRUE(WriteSyntheticGraph(dir));
    form->newGamePage()->LaunchTARQ->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_TRUE(Launched());
}

TEST_F(LaunchTest, AnUnwritableCacheFolderFallsBackToTheUsersCache) {
    // A file where the cache folder should be: it can be neither created nor written.
    { std::ofstream(dir / "graph" / "tempgraph") << "in the way"; }
    form->newGamePage()->LaunchTARQ->click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_TRUE(Launched());
    EXPECT_TRUE(std::filesystem::exists(cacheHome / "tarq" / "tempgraph" / "constcompl.bmp"));
}

TEST_F(LaunchTest, TheFirstTickDrawsTheMapAndPromptsForTheBaseOnce) {
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_TRUE(Launched());
    Game& g = form->game();
    g.AppActive = 1;
    form->mapPage()->DXTimerTimer();
    form->mapPage()->DXTimerTimer();
    EXPECT_EQ(messages, QStringList({QStringLiteral("Укажите точку расположения базы")}));
    EXPECT_EQ(weights, QList({MessageWeight::Note}));
    EXPECT_EQ(g.MinimapDirty, 0);
    EXPECT_EQ(g.ViewChanged, 0);
    EXPECT_EQ(form->mapPage()->Minimap->image().size(), QSize(50, 50));
    const Bitmap& frame = form->mapPage()->DXDraw->backBuffer().Pixels();
    int lit = 0;
    for (Pixel p : frame.pixels) lit += (p & 0xFFFFFFu) != 0;
    EXPECT_GT(lit, 1000);  // the synthetic sheet has only tiles 0..11, so variant cells stay black
    EXPECT_TRUE(form->mapPage()->StaticText9->text().startsWith(QStringLiteral("Fps=")));
    // Nothing is drawn while the application is inactive.
    g.AppActive = 0;
    form->mapPage()->DXDraw->clear(0xFF000000u);
    form->mapPage()->DXTimerTimer();
    for (Pixel p : form->mapPage()->DXDraw->backBuffer().Pixels().pixels) ASSERT_EQ(p & 0xFFFFFFu, 0u);
}

TEST_F(LaunchTest, ZoomScrollAndMinimapMoveTheView) {
    form->newGamePage()->startConditions()->MapSize->setItemIndex(3);  // 200 x 200
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_TRUE(Launched());
    Game& g = form->game();
    // 552-ish pixels for 200 columns is below the bar's bound; twice the
    // pixels on a screen of twice the density.
    const bool dense = form->devicePixelRatioF() > 1.5;
    EXPECT_EQ(form->mapPage()->SScale->value(), dense ? 9 : 5);
    form->mapPage()->FormMouseWheelUp();
    EXPECT_EQ(form->mapPage()->SScale->value(), dense ? 11 : 7);
    EXPECT_EQ(g.ViewSettings.Scale, dense ? 11 : 7);
    EXPECT_EQ(g.CellPixels, dense ? 7 : 4);
    form->mapPage()->SScale->setValue(120);
    form->mapPage()->FormMouseWheelUp();
    EXPECT_EQ(form->mapPage()->SScale->value(), 120);
    // A minimap press near the left edge: FirstCol goes negative, the next frame clamps it.
    form->mapPage()->Image1MouseDown(Qt::LeftButton, 1, 98);
    EXPECT_LE(g.ViewSettings.FirstCol, 1);
    g.AppActive = 1;
    form->mapPage()->DXTimerTimer();
    EXPECT_EQ(g.ViewSettings.FirstCol, 1);
    form->mapPage()->Image1MouseUp();
    EXPECT_EQ(g.MinimapDrag, 0);
}

// A wheel notch may come as several small events: the zoom steps once per
// 120 units, both ways, over the window and over the zoom bar. After the
// launch, no route of the tab strip reaches a hidden page.
TEST_F(LaunchTest, TheWheelStepsPerNotchAndNoRouteReachesAHiddenTab) {
    form->newGamePage()->LaunchTARQ->click();
    ASSERT_TRUE(Launched());
    const auto wheel = [](QWidget* w, int delta, int times) {
        for (int i = 0; i < times; ++i) {
            QWheelEvent e({5, 5}, w->mapToGlobal(QPointF(5, 5)), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w, &e);
        }
    };
    for (QWidget* w : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->mapPage()->SScale)}) {
        form->mapPage()->SScale->setValue(60);
        wheel(w, 15, 7);
        EXPECT_EQ(form->mapPage()->SScale->value(), 60);
        wheel(w, 15, 1);
        EXPECT_EQ(form->mapPage()->SScale->value(), 62);
        wheel(w, -40, 6);
        EXPECT_EQ(form->mapPage()->SScale->value(), 58);
    }
    QTabWidget* pages = form->PageControl1;
    QSet<int> reached;
    for (int i = 0; i < 8; ++i) {
        wheel(pages->tabBar(), i < 4 ? -120 : 120, 1);
        reached << pages->currentIndex();
        QTest::keyClick(pages, Qt::Key_Tab, Qt::ControlModifier);
        reached << pages->currentIndex();
        QTest::keyClick(pages->tabBar(), i < 4 ? Qt::Key_Right : Qt::Key_Left);
        reached << pages->currentIndex();
    }
    EXPECT_EQ(reached, QSet<int>({1, 3}));
}

}  // namespace
}  // namespace tarq::testing
