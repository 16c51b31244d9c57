// Handlers of the map page: zoom, scroll bars, minimap, dragging, resizing,
// the drawing tick, the overlay buttons and the slow tick.
#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWheelEvent>

#include "control/MapClick.h"
#include "ui/MainWindow.h"
#include "ui/MapSurface.h"
#include "ui/QtBitmap.h"
#include "ui/Widgets.h"
#include "view/Animation.h"
#include "view/Overlays.h"

namespace tarq {

void TMainForm::ConnectMapHandlers() {
    connect(LaunchTARQ, &QPushButton::clicked, this, &TMainForm::LaunchTARQClick);
    connect(SScale, &QScrollBar::valueChanged, this, &TMainForm::SScaleChange);
    connect(SScale, &QScrollBar::actionTriggered, this, &TMainForm::SScaleScroll);
    connect(ScrollBar1, &QScrollBar::actionTriggered, this, &TMainForm::ScrollBar1Scroll);
    connect(ScrollBar2, &QScrollBar::actionTriggered, this, &TMainForm::ScrollBar2Scroll);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TMainForm::ScrollBar1Change);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &TMainForm::ScrollBar1Change);
    connect(CheckBox10, &QCheckBox::clicked, this, &TMainForm::CheckBox10Click);
    connect(Image1, &ImageBox::mousePressed, this, &TMainForm::Image1MouseDown);
    connect(Image1, &ImageBox::mouseMoved, this, &TMainForm::Image1MouseMove);
    connect(Image1, &ImageBox::mouseReleased, this, &TMainForm::Image1MouseUp);
    connect(DXDraw, &MapSurface::mousePressed, this, &TMainForm::DXDrawMouseDown);
    connect(DXDraw, &MapSurface::mouseMoved, this, &TMainForm::DXDrawMouseMove);
    connect(DXDraw, &MapSurface::mouseReleased, this, &TMainForm::DXDrawMouseUp);
    connect(DXDraw, &MapSurface::initializedSurface, this, &TMainForm::DXDrawInitialize);
    connect(DXDraw, &MapSurface::finalizedSurface, this, &TMainForm::DXDrawFinalize);
    connect(DXTimer, &QTimer::timeout, this, &TMainForm::DXTimerTimer);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, &TMainForm::Button1Click);
    connect(Button6, &QPushButton::clicked, this, &TMainForm::Button6Click);
    connect(Button11, &QPushButton::clicked, this, &TMainForm::Button11Click);
    // Mouse moves over the side panel, its buttons and the page control end a drag.
    Panel1->setMouseTracking(true);
    Panel1->installEventFilter(this);
    Panel3->setMouseTracking(true);
    Panel3->installEventFilter(this);
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5, Button6, Button7, Button8, Button9, Button11})
        b->installEventFilter(this);
    PageControl1->tabBar()->installEventFilter(this);
    DXDraw->installEventFilter(this);
    // The wheel over the zoom bar zooms as it does over the window, not by the bar's own steps.
    SScale->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SScale && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    if (watched == DXDraw && event->type() == QEvent::Resize) PageControl1Resize();
    else if (watched != DXDraw && (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove))
        Panel1MouseMove();
    return QMainWindow::eventFilter(watched, event);
}

// The frame renderer with the window's minimap and view-control parts.
void TMainForm::DrawFrame() {
    FrameHooks hooks;
    hooks.RebuildMinimap = [this] { RebuildMinimapPicture(); };
    hooks.SyncViewControls = [this] { SyncViewControlsToWidgets(); };
    RenderFrame(*game_, images_, DXDraw->backBuffer(), frameCache_, hooks);
}

void TMainForm::RenderAndPresent() {
    if (!DXDraw->initialized()) return;
    DrawFrame();
    DXDraw->present();
}

// --- Zoom ---------------------------------------------------------------------

void TMainForm::SetScaleLabels(const ScaleLabels& labels) {
    Label17->setText(QString::fromStdString(labels.cols));
    Label18->setText(QString::fromStdString(labels.rows));
    Label22->setText(QString::fromStdString(labels.spriteSize));
}

void TMainForm::SScaleChange() { SetScaleLabels(tarq::SScaleChange(*game_, SScale->value(), DXDraw->width(), DXDraw->height())); }

// While the thumb moves the bar still holds its previous position: this frame
// shows it, and the new position follows through SScaleChange.
void TMainForm::SScaleScroll() {
    SScaleChange();
    RenderAndPresent();
}

void TMainForm::FormMouseWheelUp() {
    const WheelZoom zoom = MouseWheelZoom(*game_, SScale->value(), true);
    if (zoom.changed) SScale->setValue(zoom.position);
}

void TMainForm::FormMouseWheelDown() {
    const WheelZoom zoom = MouseWheelZoom(*game_, SScale->value(), false);
    if (zoom.changed) SScale->setValue(zoom.position);
}

// A notch is 120 units; high-resolution wheels and touchpads send one in
// several smaller events, so the zoom steps once per whole notch. Turning the
// other way drops what was left of the last notch.
void TMainForm::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if ((delta > 0 && wheelRest_ < 0) || (delta < 0 && wheelRest_ > 0)) wheelRest_ = 0;
    wheelRest_ += delta;
    for (; wheelRest_ >= QWheelEvent::DefaultDeltasPerStep; wheelRest_ -= QWheelEvent::DefaultDeltasPerStep) FormMouseWheelUp();
    for (; wheelRest_ <= -QWheelEvent::DefaultDeltasPerStep; wheelRest_ += QWheelEvent::DefaultDeltasPerStep) FormMouseWheelDown();
    e->accept();
}

// --- Scroll bars ----------------------------------------------------------------

void TMainForm::ScrollBar1Scroll() {
    ScrollColumnsTo(*game_, ScrollBar1->sliderPosition());
    RenderAndPresent();
}

void TMainForm::ScrollBar2Scroll() {
    ScrollRowsTo(*game_, ScrollBar2->sliderPosition());
    RenderAndPresent();
}

// The bars never keep the keyboard focus.
void TMainForm::ScrollBar1Change() { Button1->setFocus(); }

// The bars' upper bound is the map size, their page the visible cells; a Qt bar's
// maximum is the last position, so it is the bound less the page (plus one).
void TMainForm::SetScrollBarRanges(int colMax, int rowMax) {
    const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
    ScrollBar1->setMaximum(std::max(0, colMax - ScrollBar1->pageStep() + 1));
    ScrollBar2->setMaximum(std::max(0, rowMax - ScrollBar2->pageStep() + 1));
}

void TMainForm::CheckBox10Click() {
    const ScrollBarRanges ranges = ScrollBarsFor(*game_, game_->Settings.ScrollBars == 1);
    SetScrollBarRanges(ranges.colMax, ranges.rowMax);
    ScrollBar1->setVisible(ranges.visible);
    ScrollBar2->setVisible(ranges.visible);
}

// --- Minimap --------------------------------------------------------------------

void TMainForm::Image1MouseDown(Qt::MouseButton, int x, int y) {
    MinimapPress(*game_, x, y, Image1->width(), Image1->height());
    RenderAndPresent();
}

void TMainForm::Image1MouseMove(int x, int y) {
    if (MinimapMove(*game_, x, y, Image1->width(), Image1->height())) RenderAndPresent();
}

void TMainForm::Image1MouseUp() { MinimapRelease(*game_); }

void TMainForm::RebuildMinimapPicture() { Minimap->setImage(ToQImage(RebuildMinimap(*game_, minimapPalette_))); }

void TMainForm::SyncViewControlsToWidgets() {
    const ViewSync sync = SyncViewControls(*game_, DXDraw->width(), DXDraw->height());
    {
        const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
        ScrollBar1->setPageStep(std::max(1, sync.colPage));
        ScrollBar2->setPageStep(std::max(1, sync.rowPage));
    }
    SetScrollBarRanges(game_->World.MapWidth, game_->World.MapHeight);
    {
        const QSignalBlocker b1(ScrollBar1), b2(ScrollBar2);
        ScrollBar1->setValue(sync.colPosition);
        ScrollBar2->setValue(sync.rowPosition);
    }
    Image1->setImage(ToQImage(DrawMinimapFrame(game_->World.MapWidth, game_->World.MapHeight, sync.frame)));
}

// --- Dragging and the pointer over the map ------------------------------------------

void TMainForm::Panel1MouseMove() { game_->RightDrag = 0; }

void TMainForm::DXDrawMouseDown(Qt::MouseButton button, int x, int y) {
    Game& g = *game_;
    g.DragStartX = x;
    g.DragStartY = y;
    // The click that may follow takes its cell from here: while the command
    // menu was open the map saw no moves, so the last one may be elsewhere.
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    if (button != Qt::RightButton) return;
    if (g.Settings.RightButtonScroll == 1) g.RightDrag = 1;
    const ConstructionResult cancelled = RightPress(g);
    ENDTURN->setEnabled(EndTurnEnabled(g));
    if (cancelled.acted) RenderAndPresent();
}

void TMainForm::DXDrawMouseMove(int x, int y) {
    Game& g = *game_;
    DragView(g, x, y, g.Settings.ReverseRightScroll == 1);
    g.MouseX = x;
    g.MouseY = y;
    UpdateHoverCell(g);
    StaticText8->setText(QStringLiteral("%1 X %2").arg(g.HoverCol).arg(g.HoverRow));
}

void TMainForm::DXDrawMouseUp(Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) game_->RightDrag = 0;
}

// Runs when the surface takes its page's new size: new geometry, new buffers,
// drawing on; then the overlay buttons are laid out again.
void TMainForm::PageControl1Resize() {
    if (DXDraw->initialized()) {
        UpdateViewGeometry(*game_, DXDraw->width(), DXDraw->height());
        DXDraw->finalize();
        DXDraw->initialize();
        DXTimer->start();
        game_->ViewChanged = 1;
    }
    LayOutOverlayButtonGrid();
}

// Three rows of three from the bottom of Panel3 up, the connectors button above.
void TMainForm::LayOutOverlayButtonGrid() {
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

void TMainForm::DXDrawInitialize() { frameCache_.Invalidate(); }

void TMainForm::DXDrawFinalize() { DXTimer->stop(); }

void TMainForm::CountFrame() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (fpsWindowStart_ < 0) fpsWindowStart_ = now;
    ++framesThisSecond_;
    if (now - fpsWindowStart_ >= 1000) {
        fps_ = static_cast<int>(framesThisSecond_ * 1000 / (now - fpsWindowStart_));
        framesThisSecond_ = 0;
        fpsWindowStart_ = now;
    }
}

void TMainForm::DXTimerTimer() {
    Game& g = *game_;
    if (g.AppActive != 1 || !DXDraw->initialized()) return;
    AdvanceAnimations(g);
    DXDraw->clear(0xFF000000u);
    DrawFrame();
    DXDraw->present();
    CountFrame();
    StaticText9->setText(QStringLiteral("Fps=") + QString::number(fps_));
    if (g.BasePromptShown == 0) {
        g.BasePromptShown = 1;
        if (g.ViewSettings.BasePlaced == 0) ShowMessage(QStringLiteral("Укажите точку расположения базы"));
    }
}

// --- Overlay buttons and the slow tick ------------------------------------------------

namespace {
void SetBold(QPushButton* button, bool bold) {
    QFont f = button->font();
    f.setBold(bold);
    button->setFont(f);
}
}  // namespace

void TMainForm::Button1Click() { SetBold(Button1, ToggleGeology(*game_) == 1); }
void TMainForm::Button6Click() { SetBold(Button6, ToggleGrid(*game_) == 1); }
void TMainForm::Button11Click() { SetBold(Button11, ToggleConnectors(*game_) == 1); }

void TMainForm::SetMapCursor(int number) {
    cursorNumber_ = number;
    DXDraw->setCursor(cursors_.cursor(number));
}

void TMainForm::Timer1Timer() {
    if (CountDownWarning(*game_)) {
        StaticText7->setPalette(QPalette());
        ListBox1->setPalette(QPalette());
    }
    SetMapCursor(NextMapCursor(cursorNumber_, game_->MoveArmed == 1));
}

}  // namespace tarq
