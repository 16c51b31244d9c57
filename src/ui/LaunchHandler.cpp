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
#include "ui/Widgets.h"
#include "world/MapGenerator.h"
#include "world/MapParameters.h"

namespace tarq {

namespace {
enum Page { kPageNewGame = 0, kPageMap = 1, kPageWelcome = 2, kPagePrepare = 5 };
constexpr int kTopStripHeight = 18;
constexpr int kLeftPanelWidth = 200;
}  // namespace

void TMainForm::LaunchTARQClick() {
    Game& g = *game_;
    waitForRetrace_ = CheckBox7->isChecked();                         // 1
    if (Winmode->itemIndex() == 1) {                                  // 2 (the choice is disabled)
        const QSize sizes[] = {{640, 480}, {800, 600}, {1024, 768}};
        const int mode = std::clamp(RadioGroup2->itemIndex(), 0, 2);
        resize(sizes[mode]);
        showFullScreen();
    }
    const LaunchStep periods =                                        // 3
        ReadAnimPeriods(g, SFPS2->text().toStdString(), SFPS3->text().toStdString());
    if (!periods.ok) {
        ShowMessage(QString::fromStdString(periods.message));
        return;
    }
    SetLaunchPlayer(g);                                               // 4
    // 5, 6: the page's parameters are read for a generation only. A map made
    // with "Создать/Пересоздать карту" keeps its own size even when the size
    // list was changed since, so the world never claims cells it has not got.
    // This generation draws no preview and leaves MapGenerated at 0.
    if (MapType->itemIndex() == 0 && g.MapGenerated == 0) GenerateMap(g, ReadMapParameters(g, ReadMapControls()), random_);
    const LaunchStep sectors = ApplyLandingSectors(g, CheckBox2->isChecked());  // 7
    if (!sectors.ok) {                                                // 8
        ShowMessage(QString::fromStdString(sectors.message));
        return;
    }
    ApplyLaunchChoices(g, Ttype->itemIndex(), ComboBox1->currentIndex());  // 9, 12
    if (!LoadGraphicsForLaunch()) return;                             // 10, 11
    PageControl1->setTabVisible(kPageWelcome, false);                 // 13
    Panel5->setFixedHeight(kTopStripHeight);
    Panel1->setFixedWidth(kLeftPanelWidth);
    if (CheckBox5->isChecked()) {                                     // 14
        if (CheckBox4->isChecked()) setWindowFlag(Qt::FramelessWindowHint, true);
        showMaximized();
    }
    centralWidget()->layout()->activate();
    PageControl1->setTabVisible(kPageMap, true);                      // 16 (before the view: the page gets its size)
    {
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentIndex(kPageMap);
    }
    PageControl1->setTabVisible(kPageNewGame, false);
    ApplyInitialView();                                               // 15
    MarkViewForFirstFrame(g);                                         // 17
    DXTimer->setInterval(waitForRetrace_ ? std::max(1, qRound(1000.0 / screen()->refreshRate())) : 1);
    DXTimer->start();
}

// The cache (built on the preparation page when missing), items 0..14 and the
// minimap palette. A picture that cannot be used stops the launch with a
// message naming it; the window stays as it was.
bool TMainForm::LoadGraphicsForLaunch() {
    CacheProgress progress;
    progress.begin = [this] {
        PageControl1->setTabVisible(kPagePrepare, true);
        const QSignalBlocker block(PageControl1);
        PageControl1->setCurrentIndex(kPagePrepare);
        Label15->setGeometry(1, Label15->y(), PageControl1->width() - 2, Label15->height());
        Gauge1->setMaxValue(1729);
        Gauge1->setProgress(0);
    };
    progress.advance = [this](int position) { Gauge1->setProgress(position); };
    progress.noticeDone = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    progress.end = [this] {
        const QSignalBlocker block(PageControl1);
        PageControl1->setTabVisible(kPageMap, true);
        PageControl1->setCurrentIndex(kPageMap);
        PageControl1->setTabVisible(kPagePrepare, false);
    };
    const GraphicsLoad load = LoadGameGraphics(*game_, workDir_, UserCacheDir(), CheckBox3->isChecked(), images_,
                                               minimapPalette_, progress);
    if (!load.ok) {
        const QSignalBlocker block(PageControl1);
        PageControl1->setTabVisible(kPageMap, false);
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
