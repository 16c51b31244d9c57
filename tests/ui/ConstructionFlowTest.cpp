// A construction through the window: a build option chosen in the menu puts a
// site next to the builder, a right press cancels it, a left click confirms
// it, END TURN is off while the site waits and counts the turns down, and the
// ready site's menu takes the builder out, leaving the finished structure.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "WindowFixture.h"
#include "control/MapClick.h"
#include "core/Factory.h"
#include "ui/MapSurface.h"
#include "view/CacheTestSupport.h"

namespace tarq::testing {
namespace {

constexpr int kConstructor = 1;
constexpr int kMiningComplex = 39;

class ConstructionFlowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(WriteSyntheticGraph(dir));
        WriteBitmap("graph/00.bmp", Bitmap(78, 78, 0xFF336699u));
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((dir / "xdg-cache").string()));
        OpenWindow();
        form->show();
        form->MapSize->setItemIndex(0);  // 50 x 50
        form->LaunchTARQ->click();
        ASSERT_EQ(form->PageControl1->currentIndex(), 1);
        int col = 0, row = 0;
        ASSERT_TRUE(FindFreeLand(col, row));
        ClickCell(col, row);
        ASSERT_EQ(game().ViewSettings.BasePlaced, 1);
        // Zoomed out, so that free land beside the base is on the surface.
        form->SScale->setValue(form->SScale->minimum());
    }
    void TearDown() override {
        if (form) form->PMenu->hide();
        WindowTest::TearDown();
    }
    Game& game() { return form->game(); }
    QPoint PointOf(int col, int row) {
        const Game& g = game();
        const TViewSettings& v = g.ViewSettings;
        return {(col - v.FirstCol) * g.CellPixels + v.ViewOffsetX + g.CellPixels / 2,
                (row - v.FirstRow) * g.CellPixels + v.ViewOffsetY + g.CellPixels / 2};
    }
    bool OnSurface(QPoint p) { return form->DXDraw->rect().contains(p); }
    void ClickCell(int col, int row) {
        const QPoint p = PointOf(col, row);
        ASSERT_TRUE(OnSurface(p)) << col << "," << row;
        form->DXDrawMouseMove(p.x(), p.y());
        QTest::mouseClick(form->DXDraw, Qt::LeftButton, {}, p);
    }
    // A land cell on the surface with free land in the 5 x 5 cells around it.
    bool FindFreeLand(int& col, int& row) {
        const Game& g = game();
        for (int c = 3; c <= g.World.MapWidth - 2; ++c)
            for (int r = 3; r <= g.World.MapHeight - 2; ++r) {
                bool free = true;
                for (int dc = -2; dc <= 2 && free; ++dc)
                    for (int dr = -2; dr <= 2 && free; ++dr)
                        free = OnSurface(PointOf(c + dc, r + dr)) && g.World.Passability(c + dc, r + dr) == kPassLand &&
                               CanPlace(g, SingleCellFootprint(c + dc, r + dr), kMoveLand) != 0;
                if (free) {
                    col = c, row = r;
                    return true;
                }
            }
        return false;
    }
    void OpenMenuAt(int col, int row) {
        form->PMenu->hide();
        ClickCell(col, row);
        if (!form->PMenu->isVisible()) ClickCell(col, row);
        ASSERT_TRUE(form->PMenu->isVisible());
    }
    static QAction* Find(const QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text) return action;
            if (action->menu())
                if (QAction* inner = Find(action->menu(), text)) return inner;
        }
        return nullptr;
    }
    // The first build option of the mining complex in the builder's menu.
    void ChooseMiningComplex(int col, int row) {
        OpenMenuAt(col, row);
        QAction* type = Find(form->PMenu, QString::fromStdString(game().UnitTypes[kMiningComplex].Name));
        ASSERT_NE(type, nullptr);
        ASSERT_NE(type->menu(), nullptr);
        ASSERT_FALSE(type->menu()->actions().isEmpty());
        type->menu()->actions().first()->trigger();
    }
};

TEST_F(ConstructionFlowTest, AFourCellSiteFromTheMenuToTheFinishedStructure) {
    Game& g = game();
    int col = 0, row = 0;
    ASSERT_TRUE(FindFreeLand(col, row));
    ASSERT_EQ(CreateObject(g, col, row, kConstructor, 0), 1);
    const int constructor = g.LastCreatedObject;
    g.Object(constructor).Cargo = 60;

    ChooseMiningComplex(col, row);
    EXPECT_EQ(g.ClickMode, kClickPlaceSite);
    EXPECT_FALSE(form->ENDTURN->isEnabled());
    const int firstSite = g.LastCreatedObject;
    // A right press gives the builder back and removes the site.
    QTest::mouseClick(form->DXDraw, Qt::RightButton, {}, PointOf(col + 2, row));
    EXPECT_EQ(g.ClickMode, kClickNormal);
    EXPECT_TRUE(form->ENDTURN->isEnabled());
    EXPECT_EQ(g.SelectedObject, constructor);
    EXPECT_EQ(g.Object(firstSite).Owner, 0);
    EXPECT_EQ(g.Object(constructor).Cells, SingleCellFootprint(col, row));

    ChooseMiningComplex(col, row);
    ASSERT_EQ(g.ClickMode, kClickPlaceSite);
    const int site = g.LastCreatedObject;
    ClickCell(col + 2, row + 2);  // any cell confirms
    EXPECT_EQ(g.ClickMode, kClickNormal);
    EXPECT_TRUE(form->ENDTURN->isEnabled());
    EXPECT_EQ(g.Object(constructor).Cells, SingleCellFootprint(col, row));
    EXPECT_EQ(g.Object(site).OrderState, 2);

    const int turns = g.Object(constructor).TurnsTotal;
    ASSERT_GT(turns, 0);
    for (int t = 0; t < turns; ++t) form->ENDTURN->click();
    EXPECT_EQ(g.Object(constructor).TurnsLeft, 0);
    EXPECT_EQ(g.ReadyLayerOn, 1);

    // The ready marker opens the site's menu at once.
    const TCellPos first = g.Object(site).Cells[1];
    form->PMenu->hide();
    ClickCell(first.col, first.row);
    ASSERT_TRUE(form->PMenu->isVisible());
    QAction* out = Find(form->PMenu, QStringLiteral("Вывести в любое свободное место"));
    ASSERT_NE(out, nullptr);
    out->trigger();
    EXPECT_EQ(g.Object(constructor).OrderState, 0);
    const int built = ObjectAt(g, first.col, first.row).object;
    ASSERT_NE(built, 0);
    EXPECT_EQ(g.Object(built).TypeId, kMiningComplex);
    EXPECT_EQ(g.Object(built).Cells[1], first);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
}  // namespace tarq::testing
