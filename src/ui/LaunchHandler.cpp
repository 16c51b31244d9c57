// The start button: from the choices of the new-game pages to the running map page.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include "platform/GraphicsCacheFiles.h"
#include "setup/Launch.h"
#include "ui/MainWindow.h"
#include "ui/MapSurface.h"
#include "ui/QtBitmap.h"
#include "ui/UiHelpers.h"
#include "ui/Widgets.h"
#include "world/MapGenerator.h"
#include "world/MapParameters.h"

namespace tarq {

namespace {
constexpr int kTopStripHeight = 18;
constexpr int kLeftPanelWidth = 200;
}  // namespace

void TMainForm::LaunchTARQClick() {
    Game& g = *game_;
    const TSettings& settings = g.Settings;
    // Full screen is offered by the settings page but its choice is disabled.
    if (settings.FullScreen == 1) {
        const QSize sizes[] = {{640, 480}, {800, 600}, {1024, 768}};
        resize(sizes[std::min<int>(settings.FullScreenMode, 2)]);
        showFullScreen();
    }
    const LaunchStep periods = ReadAnimPeriods(g, SFPS2->text().toStdString(), SFPS3->text().toStdString());
    if (!periods.ok) {
        ShowMessage(QString::fromStdString(periods.message));
        return;
    }
    SetLaunchPlayer(g);
    // The page's parameters are read for a generation only: a map made with
    // "Создать/Пересоздать карту" keeps its own size even when the size list
    // was changed since, so the world never claims cells it has not got. This
    // generation draws no preview and leaves MapGenerated at 0.
    if (MapType->itemIndex() == 0 && g.MapGenerated == 0)
        GenerateMap(g, ReadMapParameters(g, ReadMapControls()), random_);
    const LaunchStep sectors = ApplyLandingSectors(g, g.ViewSettings.UseLandingSectors == 1);
    if (!sectors.ok) {
        ShowMessage(QString::fromStdString(sectors.message));
        return;
    }
    ApplyLaunchChoices(g, Ttype->itemIndex(), g.ViewSettings.PlayerClan);
    if (!LoadGraphicsForLaunch()) return;
    ShowMapPage();
    ApplyInitialView();
    MarkViewForFirstFrame(g);
    // Paced to the screen's refresh when waiting for the retrace; a screen that
    // reports no rate gets 60 Hz.
    const qreal hz = screen() ? screen()->refreshRate() : 0.0;
    DXTimer->setInterval(settings.WaitForRetrace == 1 ? std::max(1, qRound(1000.0 / (hz > 1.0 ? hz : 60.0))) : 1);
    DXTimer->start();
}

// The setup pages give way to the map page, the side panel and the top strip.
// The map page is shown before the initial view is computed, so the view
// takes the page's real size.
void TMainForm::ShowMapPage() {
    ShowTab(PageControl1, kPageWelcome, false);
    Panel5->setFixedHeight(kTopStripHeight);
    Panel1->setFixedWidth(kLeftPanelWidth);
    if (game_->Settings.MaximizeAtLaunch == 1) {
        if (game_->Settings.FramelessMaximized == 1) setWindowFlag(Qt::FramelessWindowHint, true);
        showMaximized();
    }
    centralWidget()->layout()->activate();
    ShowTab(PageControl1, kPageMap, true);
    ActivatePage(PageControl1, kPageMap);
    ShowTab(PageControl1, kPageNewGame, false);
}

// The cache (built on the preparation page when missing), items 0..14 and the
// minimap palette. A picture that cannot be used stops the launch with a
// message naming it; the window stays as it was.
bool TMainForm::LoadGraphicsForLaunch() {
    CacheProgress progress;
    progress.begin = [this] {
        ShowTab(PageControl1, kPagePrepare, true);
        ActivatePage(PageControl1, kPagePrepare);
        Label15->setGeometry(1, Label15->y(), PageControl1->width() - 2, Label15->height());
        Gauge1->setMaxValue(1729);
        Gauge1->setProgress(0);
    };
    progress.advance = [this](int position) { Gauge1->setProgress(position); };
    progress.noticeDone = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    progress.end = [this] {
        const QSignalBlocker block(PageControl1);  // tab visibility changes must not look like a pick either
        ShowTab(PageControl1, kPageMap, true);
        PageControl1->setCurrentIndex(kPageMap);
        ShowTab(PageControl1, kPagePrepare, false);
    };
    const GraphicsLoad load = LoadGameGraphics(*game_, workDir_, UserCacheDir(), game_->Settings.HighResGeology == 1, images_,
                                               minimapPalette_, progress);
    if (!load.ok) {
        const QSignalBlocker block(PageControl1);
        ShowTab(PageControl1, kPageMap, false);
        PageControl1->setCurrentIndex(kPageNewGame);
        ShowMessage(QString::fromStdString(load.error));
        return false;
    }
    cacheDir_ = load.cacheDir;
    frameCache_.Invalidate();
    Image3->setImage(ToQImage(minimapPalette_));
    return true;
}

void TMainForm::ApplyInitialView() {
    Game& g = *game_;
    const InitialScale scale = StartInitialView(g, PageControl1->width(), TabSheet1->width(), TabSheet1->height(),
                                                SScale->value(), DXDraw->width(), DXDraw->height());
    {
        const QSignalBlocker block(SScale);
        SScale->setValue(scale.barPosition);
    }
    if (scale.changed) SetScaleLabels(scale.labels);
    CheckBox10Click();
    DXDraw->initialize();
    FinishInitialView(g, DXDraw->width(), DXDraw->height());
}

}  // namespace tarq
