// Clicks on the map through the window: the first click lands the base, the
// next ones select, fill the side panel, step a unit and open the menu.
#include <algorithm>

#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "MapWindowFixture.h"
#include "control/MapClick.h"
#include "control/TurnPhases.h"
#include "core/Factory.h"
#include "ui/MapSurface.h"
#include "ui/Widgets.h"
#include "view/CacheTestSupport.h"

namespace tarq::testing {
namespace {

class MapClickTest : public MapWindowTest {
protected:
    QTextCharFormat FormatOfLine(int line) {
        QTextBlock block = form->mapPage()->Memo2->document()->findBlockByNumber(line);
        return block.begin().fragment().charFormat();
    }
};

TEST_F(MapClickTest, AWaterClickIsIgnoredAndALandClickLandsTheBase) {
    Game& g = game();
    // A cell that is not plain land (water, coast or an obstacle) is refused.
    TCellPos refused{};
    for (int c = 1; c <= 50 && refused.col == 0; ++c)
        for (int r = 1; r <= 50 && refused.col == 0; ++r)
            if (g.World.Passability(c, r) != kPassLand && OnSurface(PointOf(c, r)))
                refused = {static_cast<i16>(c), static_cast<i16>(r)};
    ASSERT_NE(refused.col, 0);
    ClickCell(refused.col, refused.row);
    EXPECT_EQ(CurrentPlayerEntry(g).BasePlaced, 0);
    EXPECT_EQ(g.Object(1).Owner, 0);
    int col = 0, row = 0;
    ASSERT_TRUE(FindLand(col, row));
    ClickCell(col, row);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(CurrentPlayerEntry(g).BasePlaced, 1);
    EXPECT_EQ(form->mapPage()->SScale->value(), 100);
    EXPECT_EQ(g.ViewSettings.Scale, 100);
    EXPECT_EQ(form->settingsPage()->Label17->text(), QString::number(g.VisibleCols));
    // Centred on the clicked cell, the first drawn frame keeping the view on the map.
    EXPECT_EQ(g.ViewSettings.ViewCenterCol, col);
    EXPECT_EQ(g.ViewSettings.ViewCenterRow, row);
    EXPECT_EQ(g.ViewSettings.FirstCol, std::clamp(col - g.VisibleCols / 2, 1, 50 - g.VisibleCols));
    EXPECT_EQ(g.ViewSettings.FirstRow, std::clamp(row - g.VisibleRows / 2, 1, 50 - g.VisibleRows));
    // The starting kit: the mining complex on the clicked cell, the rest around it.
    EXPECT_EQ(g.Object(1).TypeId, 39);
    EXPECT_EQ(g.Object(1).Cells[1], (TCellPos{static_cast<i16>(col), static_cast<i16>(row)}));
    EXPECT_EQ(g.Object(1).Cargo, 15);
    EXPECT_EQ(g.World.Resources(col, row).Amount, 14);
    for (int slot = 1; slot <= 5; ++slot) EXPECT_NE(g.Object(slot).Owner, 0) << slot;
}

TEST_F(MapClickTest, SelectShowTheUnitStepAndOpenTheMenu) {
    Game& g = game();
    int col = 0, row = 0;
    ASSERT_TRUE(FindLand(col, row));
    ClickCell(col, row);
    ASSERT_EQ(CurrentPlayerEntry(g).BasePlaced, 1);
    // The first unit of the kit that can move.
    int unit = 0;
    for (int slot = 1; slot <= 5 && unit == 0; ++slot)
        if (g.Object(slot).MovesLeft > 0 && g.Object(slot).CellCount == 1) unit = slot;
    ASSERT_NE(unit, 0);
    const TCellPos at = g.Object(unit).Cells[1];
    ClickCell(at.col, at.row);
    EXPECT_EQ(g.SelectedObject, unit);
    EXPECT_EQ(g.MoveArmed, 1);
    EXPECT_GE(form->mapPage()->cursorNumber(), 9);  // the move pointer
    const QStringList lines = form->mapPage()->Memo2->toPlainText().split('\n');
    EXPECT_EQ(lines.value(0), QString::fromStdString(g.UnitTypes[g.Object(unit).TypeId].Name));
    EXPECT_EQ(FormatOfLine(0).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOfLine(0).foreground().color(), QColor(0, 0, 0x80));
    EXPECT_EQ(FormatOfLine(1).fontWeight(), QFont::Normal);
    const int moves = g.Object(unit).MovesLeft;
    EXPECT_TRUE(lines.contains(QStringLiteral("Ходы %1/%2").arg(moves).arg(g.Object(unit).Stats.Speed)))
        << form->mapPage()->Memo2->toPlainText().toStdString();

    // A click a few cells away on a free cell steps one cell toward it.
    TCellPos step{}, clicked{};
    for (int dc = -1; dc <= 1 && clicked.col == 0; ++dc)
        for (int dr = -1; dr <= 1 && clicked.col == 0; ++dr) {
            const TFootprint next = SingleCellFootprint(at.col + dc, at.row + dr);
            if ((dc == 0 && dr == 0) || CanPlace(g, next, g.Object(unit).Stats.Movement) == 0) continue;
            for (int k = 3; k >= 1 && clicked.col == 0; --k) {
                const int c = at.col + k * dc, r = at.row + k * dr;
                if (OnSurface(PointOf(c, r)) && ObjectAt(g, c, r).object == 0) {
                    step = next[1];
                    clicked = {static_cast<i16>(c), static_cast<i16>(r)};
                }
            }
        }
    ASSERT_NE(clicked.col, 0);
    ClickCell(clicked.col, clicked.row);
    EXPECT_EQ(g.Object(unit).Cells[1], step);
    EXPECT_EQ(g.Object(unit).MovesLeft, moves - 1);
    EXPECT_TRUE(form->mapPage()->Memo2->toPlainText().contains(QStringLiteral("Ходы %1/").arg(moves - 1)));

    // A second click on the selected unit opens the menu and disarms the move.
    const TCellPos now = g.Object(unit).Cells[1];
    ClickCell(now.col, now.row);
    EXPECT_EQ(g.MoveArmed, 0);
    EXPECT_TRUE(form->mapPage()->PMenu->isVisible());
    form->mapPage()->PMenu->hide();
}

// The menu takes the mouse moves while it is open; the click after it takes
// its cell from the press, not from the last move the map saw.
TEST_F(MapClickTest, AfterTheMenuClosesAClickActsOnThePressedCell) {
    LandBase(true);
    const TCellPos first = game().Object(4).Cells[1], second = game().Object(5).Cells[1];
    ClickCell(first.col, first.row);
    ClickCell(first.col, first.row);
    ASSERT_TRUE(form->mapPage()->PMenu->isVisible());
    form->mapPage()->PMenu->hide();
    QTest::mouseClick(form->mapPage()->DXDraw, Qt::LeftButton, {}, Logical(PointOf(second.col, second.row)));
    EXPECT_EQ(game().SelectedObject, 5);
}

// The summary shows the current player's notices after END TURN; a click on
// a line brings its cell into view, and the next END TURN clears it.
TEST_F(MapClickTest, TheTurnSummaryShowsItsLinesAndTheirCells) {
    Game& g = game();
    MapPage& page = *form->mapPage();
    EXPECT_TRUE(page.TurnSummary->isHidden());
    page.ENDTURN->click();                          // one player: their next turn begins at once
    page.SScale->setValue(page.SScale->maximum());  // a few cells on the surface
    AddNotice(g, 1, 40, 45, "Танк 40x45: путь закрыт");
    page.RefreshFromGame();
    ASSERT_FALSE(page.TurnSummary->isHidden());
    ASSERT_EQ(page.TurnSummary->count(), 1);
    EXPECT_EQ(page.TurnSummary->item(0)->text(), QStringLiteral("Танк 40x45: путь закрыт"));
    EXPECT_FALSE(OnSurface(PointOf(40, 45)));
    QTest::mouseClick(page.TurnSummary->viewport(), Qt::LeftButton, {},
                      page.TurnSummary->visualItemRect(page.TurnSummary->item(0)).center());
    EXPECT_TRUE(OnSurface(PointOf(40, 45))) << g.VisibleCols;
    page.ENDTURN->click();
    EXPECT_TRUE(page.TurnSummary->isHidden());
}

}  // namespace
}  // namespace tarq::testing
