// A window launched on a synthetic 50 x 50 map, with helpers to click cells of
// the map surface the way a player does (the mouse moves there first).
#pragma once

#include <QMenu>
#include <QPoint>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "WindowFixture.h"
#include "core/Factory.h"
#include "ui/MapSurface.h"
#include "ui/Widgets.h"
#include "view/CacheTestSupport.h"
#include "world/LandingSectors.h"

namespace tarq::testing {

class MapWindowTest : public WindowTest {
protected:
    void SetUp() override {
        OpenOnSyntheticGraph();
        form->newGamePage()->LaunchTARQ->click();
        ASSERT_EQ(form->PageControl1->currentIndex(), 1);
    }
    // The window on the new-game page, the 50 x 50 map chosen.
    void OpenOnSyntheticGraph() {
        WindowTest::SetUp();
        ASSERT_TRUE(WriteSyntheticGraph(dir));
        WriteBitmap("graph/00.bmp", Bitmap(78, 78, 0xFF336699u));
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((dir / "xdg-cache").string()));
        OpenWindow();
        form->show();
        form->newGamePage()->startConditions()->MapSize->setItemIndex(0);  // 50 x 50
    }
    void TearDown() override {
        if (form) form->mapPage()->PMenu->hide();
        WindowTest::TearDown();
    }

    Game& game() { return form->game(); }

    // The middle of cell (col, row) on the surface, in the device pixels the view is computed in.
    QPoint PointOf(int col, int row) {
        const Game& g = game();
        const TViewSettings& v = g.ViewSettings;
        return {(col - v.FirstCol) * g.CellPixels + v.ViewOffsetX + g.CellPixels / 2,
                (row - v.FirstRow) * g.CellPixels + v.ViewOffsetY + g.CellPixels / 2};
    }
    // The widget's own point for a device point of the surface, where the mouse goes.
    QPoint Logical(QPoint p) { return form->mapPage()->DXDraw->toLogical(p.x(), p.y()); }
    bool OnSurface(QPoint p) {
        const MapSurface* surface = form->mapPage()->DXDraw;
        return QRect(0, 0, surface->pixelWidth(), surface->pixelHeight()).contains(p);
    }

    // The mouse moves over the cell, then a left click there.
    void ClickCell(int col, int row) {
        const QPoint p = PointOf(col, row);
        ASSERT_TRUE(OnSurface(p)) << col << "," << row;
        form->mapPage()->DXDrawMouseMove(p.x(), p.y());
        QTest::mouseClick(form->mapPage()->DXDraw, Qt::LeftButton, {}, Logical(p));
    }

    // A cell on the surface with plain land in the 5 x 5 cells around it. With
    // `freeAndVisible` every one of those cells is also on the surface and free
    // for a land unit.
    // With `ownSectors` the cells are also in sectors the current player claimed.
    bool FindLand(int& col, int& row, bool freeAndVisible = false, bool ownSectors = false) {
        const Game& g = game();
        for (int c = 3; c <= g.World.MapWidth - 2; ++c)
            for (int r = 3; r <= g.World.MapHeight - 2; ++r)
                if (LandAround(g, c, r, freeAndVisible, ownSectors)) {
                    col = c, row = r;
                    return true;
                }
        return false;
    }

    // Lands the starting kit by clicking a land cell found by FindLand.
    void LandBase(bool freeAndVisible = false, bool ownSectors = false) {
        int col = 0, row = 0;
        ASSERT_TRUE(FindLand(col, row, freeAndVisible, ownSectors));
        ClickCell(col, row);
        ASSERT_EQ(CurrentPlayerEntry(game()).BasePlaced, 1);
    }

private:
    bool LandAround(const Game& g, int c, int r, bool freeAndVisible, bool ownSectors) {
        if (!OnSurface(PointOf(c, r))) return false;
        for (int dc = -2; dc <= 2; ++dc)
            for (int dr = -2; dr <= 2; ++dr) {
                if (g.World.Passability(c + dc, r + dr) != kPassLand) return false;
                if (ownSectors && !CellInSectorState(g, c + dc, r + dr, kSectorClaimed)) return false;
                if (!freeAndVisible) continue;
                if (!OnSurface(PointOf(c + dc, r + dr))) return false;
                if (CanPlace(g, SingleCellFootprint(c + dc, r + dr), kMoveLand) == 0) return false;
            }
        return true;
    }
};

}  // namespace tarq::testing
