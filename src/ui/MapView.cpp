// The map page's view: zoom, scroll bars, minimap, dragging, resizing, the
// drawing tick and the overlay buttons.
#include <QDateTime>
#include <QElapsedTimer>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>

#include "control/ClickOrders.h"
#include "control/Construction.h"
#include "control/MapClick.h"
#include "ui/Cursors.h"
#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "ui/PageHost.h"
#include "ui/QtBitmap.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"
#include "view/Animation.h"
#include "view/Overlays.h"

namespace tarq {

// The view kept on the map (clicks then read the cells the frame shows), the
// frame, and what it asks of the page: the minimap and the view controls.
void MapPage::DrawFrame() {
    Game& g = host_.game();
    ClampView(g);
    const FrameRequests requests = RenderFrame(g, images_, DXDraw->backBuffer(), frameCache_);
    if (requests.rebuildMinimap) RebuildMinimapPicture();
    if (requests.syncViewControls) SyncViewControlsToWidgets();
}

void MapPage::RenderAndPresent() {
    if (!DXDraw->initialized()) return;
    DrawFrame();
    DXDraw->present();
}

// --- Zoom ---------------------------------------------------------------------

void MapPage::SetScaleLabels(const ScaleLabels& labels) { emit scaleLabelsChanged(labels); }

void MapPage::SScaleChange() { Submit(cmd::Zoom{static_cast<i16>(SScale->value())}); }

// While the thumb moves the bar still holds its previous position: this frame
// shows it, and the new position follows through SScaleChange.
void MapPage::SScaleScroll() { SScaleChange(); }

void MapPage::FormMouseWheelUp() {
    const WheelZoom zoom = MouseWheelZoom(host_.game(), SScale->value(), true);
    if (zoom.changed) SScale->setValue(zoom.position);
}

void MapPage::FormMouseWheelDown() {
    const WheelZoom zoom = MouseWheelZoom(host_.game(), SScale->value(), false);
    if (zoom.changed) SScale->setValue(zoom.position);
}

// A notch is 120 units; high-resolution wheels and touchpads send one in
// several smaller events, so the zoom steps once per whole notch. Turning the
// other way drops what was left of the last notch.
void MapPage::WheelTurned(int delta) {
    if ((delta > 0 && wheelRest_ < 0) || (delta < 0 && wheelRest_ > 0)) wheelRest_ = 0;
    wheelRest_ += delta;
    for (; wheelRest_ >= QWheelEvent::DefaultDeltasPerStep; wheelRest_ -= QWheelEvent::DefaultDeltasPerStep)
        FormMouseWheelUp();
    for (; wheelRest_ <= -QWheelEvent::DefaultDeltasPerStep; wheelRest_ += QWheelEvent::DefaultDeltasPerStep)
        FormMouseWheelDown();
}

// --- Scroll bars ----------------------------------------------------------------

void MapPage::ScrollBar1Scroll() {
    Submit(cmd::ScrollTo{static_cast<i16>(ScrollBar1->sliderPosition()), cmd::ScrollTo::kKeep});
}

void MapPage::ScrollBar2Scroll() {
    Submit(cmd::ScrollTo{cmd::ScrollTo::kKeep, static_cast<i16>(ScrollBar2->sliderPosition())});
}

// The bars never keep the keyboard focus.
void MapPage::ScrollBar1Change() { Button1->setFocus(); }

// The bars' upper bound is the map size, their page the visible cells; a Qt bar's
// maximum is the last position, so it is the bound less the page (plus one).
void MapPage::SetScrollBarRanges(int colMax, int rowMax) {
    const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
    ScrollBar1->setMaximum(std::max(0, colMax - ScrollBar1->pageStep() + 1));
    ScrollBar2->setMaximum(std::max(0, rowMax - ScrollBar2->pageStep() + 1));
}

void MapPage::UpdateScrollBars() {
    const Game& g = host_.game();
    const ScrollBarRanges ranges = ScrollBarsFor(g, g.Settings.ScrollBars == 1);
    SetScrollBarRanges(ranges.colMax, ranges.rowMax);
    const bool shown = ranges.visible && isVisibleTo(window());
    ScrollBar1->setVisible(shown);
    ScrollBar2->setVisible(shown);
}

void MapPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (DXDraw->initialized()) UpdateScrollBars();
}

void MapPage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous()) return;  // the window minimised: the bars go with it
    ScrollBar1->hide();
    ScrollBar2->hide();
}

// --- Minimap --------------------------------------------------------------------

void MapPage::Image1MouseDown(Qt::MouseButton, int x, int y) {
    MinimapPress(host_.game(), x, y, Image1->width(), Image1->height());
    RenderAndPresent();
}

void MapPage::Image1MouseMove(int x, int y) {
    if (MinimapMove(host_.game(), x, y, Image1->width(), Image1->height())) RenderAndPresent();
}

void MapPage::Image1MouseUp() { MinimapRelease(host_.game()); }

void MapPage::RebuildMinimapPicture() {
    host_.game().MinimapDirty = 0;
    Minimap->setImage(ToQImage(RebuildMinimap(host_.game(), minimapPalette_)));
}

void MapPage::SyncViewControlsToWidgets() {
    Game& g = host_.game();
    const ViewSync sync = SyncViewControls(g, DXDraw->pixelWidth(), DXDraw->pixelHeight());
    {
        const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
        ScrollBar1->setPageStep(std::max(1, sync.colPage));
        ScrollBar2->setPageStep(std::max(1, sync.rowPage));
    }
    SetScrollBarRanges(g.World.MapWidth, g.World.MapHeight);
    {
        const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
        ScrollBar1->setValue(sync.colPosition);
        ScrollBar2->setValue(sync.rowPosition);
    }
    Image1->setImage(ToQImage(DrawMinimapFrame(g.World.MapWidth, g.World.MapHeight, sync.frame)));
}

// --- Dragging and the pointer over the map ------------------------------------------

void MapPage::Panel1MouseMove() { host_.game().RightDrag = 0; }

void MapPage::DXDrawMouseDown(Qt::MouseButton button, int x, int y) {
    Game& g = host_.game();
    g.DragStartX = x;
    g.DragStartY = y;
    // The click that may follow takes its cell from here: while the command
    // menu was open the map saw no moves, so the last one may be elsewhere.
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    if (button != Qt::RightButton) return;
    if (g.Settings.RightButtonScroll == 1) g.RightDrag = 1;
    CancelWaiting();
}

void MapPage::DXDrawMouseMove(int x, int y) {
    Game& g = host_.game();
    DragView(g, x, y, g.Settings.ReverseRightScroll == 1);
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    // Over an enemy the selection reaches the pointer is a crosshair and the
    // cell's read-out tells the shot.
    const std::string aim = AttackReadout(g, g.HoverCol, g.HoverRow);
    StaticText8->setText(aim.empty() ? QStringLiteral("%1 X %2").arg(g.HoverCol).arg(g.HoverRow)
                                     : QString::fromStdString(aim));
    DXDraw->setCursor(aim.empty() ? host_.cursors().cursor(cursorNumber_) : QCursor(Qt::CrossCursor));
}

void MapPage::DXDrawMouseUp(Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) host_.game().RightDrag = 0;
}

// Runs when the surface takes its page's new size: new geometry, new buffers,
// drawing on; then the overlay buttons are laid out again.
void MapPage::PageControl1Resize() {
    host_.Submit(
        host_.Mine(cmd::Resize{static_cast<i16>(DXDraw->pixelWidth()), static_cast<i16>(DXDraw->pixelHeight())}));
    if (DXDraw->initialized()) {
        Game& g = host_.game();
        UpdateViewGeometry(g, DXDraw->pixelWidth(), DXDraw->pixelHeight());
        DXDraw->finalize();
        DXDraw->initialize();
        DXTimer->start();
        g.ViewChanged = 1;
    }
    LayOutOverlayButtonGrid();
}

// Three rows of three from the bottom of Panel3 up, the connectors button above.
void MapPage::LayOutOverlayButtonGrid() {
    QPushButton* order[kOverlayButtons] = {Button7, Button8, Button9, Button4, Button5,
                                           Button6, Button1, Button2, Button3, Button11};
    std::array<ButtonBox, kOverlayButtons> boxes;
    for (int i = 0; i < kOverlayButtons; ++i) {
        const QRect r = order[i]->geometry();
        boxes[static_cast<std::size_t>(i)] = {r.x(), r.y(), r.width(), r.height()};
    }
    const auto placed = LayOutOverlayButtons(boxes, Panel3->height());
    for (int i = 0; i < kOverlayButtons; ++i) {
        const ButtonBox& b = placed[static_cast<std::size_t>(i)];
        order[i]->setGeometry(b.left, b.top, b.width, b.height);
    }
}

// --- Drawing tick -------------------------------------------------------------------

void MapPage::DXDrawInitialize() { frameCache_.Invalidate(); }

void MapPage::DXDrawFinalize() { DXTimer->stop(); }

void MapPage::CountFrame() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (fpsWindowStart_ < 0) fpsWindowStart_ = now;
    ++framesThisSecond_;
    if (now - fpsWindowStart_ >= 1000) {
        fps_ = static_cast<int>(framesThisSecond_ * 1000 / (now - fpsWindowStart_));
        framesThisSecond_ = 0;
        fpsWindowStart_ = now;
    }
}

void MapPage::SetClock(std::function<std::int64_t()> clock) {
    clock_ = std::move(clock);
    lastTick_ = -1;
}

// The time since the last tick moves the animation and the pulse on; the
// first tick after the start or a pause only draws.
void MapPage::DXTimerTimer() {
    Game& g = host_.game();
    if (g.AppActive != 1 || !DXDraw->initialized()) return;
    const std::int64_t now = clock_();
    AdvanceTime(g, animationClock_, lastTick_ < 0 ? 0 : now - lastTick_);
    lastTick_ = now;
    DXDraw->clear(0xFF000000u);
    DrawFrame();
    DXDraw->present();
    CountFrame();
    StaticText9->setText(QStringLiteral("Fps=") + QString::number(fps_));
    if (g.BasePromptShown == 0) {
        g.BasePromptShown = 1;
        if (CurrentPlayerEntry(g).BasePlaced == 0) host_.ShowMessage(QStringLiteral("Укажите точку расположения базы"));
    }
}

// --- Overlay buttons ----------------------------------------------------------------

void MapPage::Button1Click() {
    Submit(cmd::ToggleView{cmd::ToggleView::kGeology});
    SetBold(Button1, host_.game().ViewSettings.ShowGeology == 1);
}
void MapPage::Button6Click() {
    Submit(cmd::ToggleView{cmd::ToggleView::kGrid});
    SetBold(Button6, host_.game().ViewSettings.ShowGrid == 1);
}
void MapPage::Button11Click() {
    Submit(cmd::ToggleView{cmd::ToggleView::kConnectors});
    SetBold(Button11, host_.game().ViewSettings.ShowConnectors == 1);
}

void MapPage::OverlayButtonClick(QPushButton* button, MapOverlay overlay) {
    Submit(cmd::ToggleView{static_cast<u8>(cmd::ToggleView::kFirstOverlay + static_cast<int>(overlay))});
    ShowOverlaySwitch(button, host_.game().ViewSettings.Overlays[overlay]);
}

std::array<std::pair<QPushButton*, MapOverlay>, kMapOverlays> MapPage::OverlaySwitches() const {
    return {{{Button2, MapOverlay::Hits},
             {Button3, MapOverlay::Scan},
             {Button4, MapOverlay::Status},
             {Button5, MapOverlay::Ammo},
             {Button7, MapOverlay::Highlight},
             {Button8, MapOverlay::Range},
             {Button9, MapOverlay::Names}}};
}

// Bold while on; "Имена" is struck out while off.
void MapPage::ShowOverlaySwitch(QPushButton* button, bool on) {
    QFont f = button->font();
    f.setBold(on);
    if (button == Button9) f.setStrikeOut(!on);
    button->setFont(f);
}

}  // namespace tarq
