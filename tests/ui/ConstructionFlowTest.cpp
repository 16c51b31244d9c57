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

#include "MapWindowFixture.h"
#include "control/MapClick.h"
#include "core/Factory.h"
#include "ui/MapSurface.h"
#include "view/CacheTestSupport.h"

namespace tarq::testing {
namespace {

constexpr int kConstructor = 1;
constexpr int kMiningComplex = 39;

class ConstructionFlowTest : public MapWindowTest {
protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        LandBase(true);
        // Zoomed out, so that free land beside the base is on the surface.
        form->mapPage()->SScale->setValue(form->mapPage()->SScale->minimum());
    }
    void OpenMenuAt(int col, int row) {
        form->mapPage()->PMenu->hide();
        ClickCell(col, row);
        if (!form->mapPage()->PMenu->isVisible()) ClickCell(col, row);
        ASSERT_TRUE(form->mapPage()->PMenu->isVisible());
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
        QAction* type = Find(form->mapPage()->PMenu, QString::fromStdString(game().UnitTypes[kMiningComplex].Name));
        ASSERT_NE(type, nullptr);
        ASSERT_NE(type->menu(), nullptr);
        ASSERT_FALSE(type->menu()->actions().isEmpty());
        type->menu()->actions().first()->trigger();
    }
};

TEST_F(ConstructionFlowTest, AFourCellSiteFromTheMenuToTheFinishedStructure) {
    Game& g = game();
    int col = 0, row = 0;
    ASSERT_TRUE(FindLand(col, row, true));
    ASSERT_EQ(CreateObject(g, col, row, kConstructor, 0), 1);
    const int constructor = g.LastCreatedObject;
    g.Object(constructor).Cargo = 60;

    ChooseMiningComplex(col, row);
    EXPECT_EQ(g.ClickMode, kClickPlaceSite);
    EXPECT_FALSE(form->mapPage()->ENDTURN->isEnabled());
    const int firstSite = g.LastCreatedObject;
    // A right press gives the builder back and removes the site.
    QTest::mouseClick(form->mapPage()->DXDraw, Qt::RightButton, {}, Logical(PointOf(col + 2, row)));
    EXPECT_EQ(g.ClickMode, kClickNormal);
    EXPECT_TRUE(form->mapPage()->ENDTURN->isEnabled());
    EXPECT_EQ(g.SelectedObject, constructor);
    EXPECT_EQ(g.Object(firstSite).Owner, 0);
    EXPECT_EQ(g.Object(constructor).Cells, SingleCellFootprint(col, row));

    ChooseMiningComplex(col, row);
    ASSERT_EQ(g.ClickMode, kClickPlaceSite);
    const int site = g.LastCreatedObject;
    ClickCell(col + 2, row + 2);  // any cell confirms
    EXPECT_EQ(g.ClickMode, kClickNormal);
    EXPECT_TRUE(form->mapPage()->ENDTURN->isEnabled());
    EXPECT_EQ(g.Object(constructor).Cells, SingleCellFootprint(col, row));
    EXPECT_EQ(g.Object(site).OrderState, 2);

    const int turns = g.Object(constructor).TurnsTotal;
    ASSERT_GT(turns, 0);
    for (int t = 0; t < turns; ++t) form->mapPage()->ENDTURN->click();
    EXPECT_EQ(g.Object(constructor).TurnsLeft, 0);
    EXPECT_EQ(g.ReadyLayerOn, 1);

    // The ready marker opens the site's menu at once.
    const TCellPos first = g.Object(site).Cells[1];
    form->mapPage()->PMenu->hide();
    ClickCell(first.col, first.row);
    ASSERT_TRUE(form->mapPage()->PMenu->isVisible());
    QAction* out = Find(form->mapPage()->PMenu, QStringLiteral("Вывести в любое свободное место"));
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
