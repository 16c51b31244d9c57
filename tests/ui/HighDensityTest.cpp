// The map surface on a high-density screen. The ui tests also run with
// QT_SCALE_FACTOR=2 (ctest "ui_scale2"), where every map click of the other
// tests goes through the same conversion; here the buffer has the device's
// own pixels and the mouse over a cell's picture hovers that cell.
#include <QMouseEvent>
#include <QtMath>

#include "MapWindowFixture.h"

namespace tarq::testing {
namespace {

using HighDensityTest = MapWindowTest;

TEST_F(HighDensityTest, TheBufferHasTheDevicePixelsAndTheMouseFindsItsCell) {
    MapSurface* surface = form->mapPage()->DXDraw;
    const qreal ratio = surface->devicePixelRatioF();
    EXPECT_EQ(surface->backBuffer().width(), qCeil(surface->width() * ratio));
    EXPECT_EQ(surface->backBuffer().height(), qCeil(surface->height() * ratio));
    LandBase();
    const Game& g = game();
    const TViewSettings& v = g.ViewSettings;
    using Cell = std::pair<int, int>;
    for (const auto& [col, row] : {Cell(v.FirstCol, v.FirstRow), Cell(v.FirstCol + 2, v.FirstRow + 1),
                                   Cell(v.FirstCol + g.VisibleCols - 2, v.FirstRow + g.VisibleRows - 2)}) {
        const QPoint p = PointOf(col, row);
        ASSERT_TRUE(OnSurface(p)) << col << "," << row;
        QMouseEvent move(QEvent::MouseMove, Logical(p), surface->mapToGlobal(Logical(p)), Qt::NoButton, {}, {});
        QApplication::sendEvent(surface, &move);
        EXPECT_EQ(g.HoverCol, col);
        EXPECT_EQ(g.HoverRow, row);
        EXPECT_EQ(form->mapPage()->StaticText8->text(), QStringLiteral("%1 X %2").arg(col).arg(row));
    }
}

// A loaded game (and the next player's map after the handover, shown the
// same way) takes the view of the surface's device pixels, as the launch did.
TEST_F(HighDensityTest, ALoadedGameFillsTheSurface) {
    LandBase();
    const int cols = game().VisibleCols, rows = game().VisibleRows;
    const QString file = QString::fromStdString((dir / "dense.tarq").string());
    ASSERT_TRUE(form->SaveGameAs(file)) << messages.join("\n").toStdString();
    ASSERT_TRUE(form->LoadGame(file)) << messages.join("\n").toStdString();
    EXPECT_EQ(game().VisibleCols, cols);
    EXPECT_EQ(game().VisibleRows, rows);
}

}  // namespace
}  // namespace tarq::testing
