// The start button: from the choices of the setup pages, kept in the game
// state, to the running map page.
#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>

#include "core/Players.h"
#include "orders/Execute.h"
#include "setup/Launch.h"
#include "setup/Players.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/NetPlay.h"
#include "ui/NewGamePage.h"
#include "ui/PreparationPage.h"
#include "ui/QtBitmap.h"
#include "ui/SettingsPage.h"
#include "ui/StartConditionsPage.h"
#include "ui/UiHelpers.h"

namespace tarq {

void TMainForm::LaunchTARQClick() {
    Game& g = *game_;
    const TSettings& settings = g.Settings;
    // Full screen is offered by the settings page but its choice is disabled.
    if (settings.FullScreen == 1) {
        const QSize sizes[] = {{640, 480}, {800, 600}, {1024, 768}};
        resize(sizes[std::min<int>(settings.FullScreenMode, 2)]);
        showFullScreen();
    }
    const LaunchStep periods = settings_->ApplyAnimPeriods();
    if (!periods.ok) {
        ShowMessage(QString::fromStdString(periods.message), MessageWeight::Warning);
        return;
    }
    StartConditionsPage* conditions = newGame_->startConditions();
    conditions->GenerateForLaunch();
    // The start is judged before the pictures load, and the pictures before the
    // player joins: a refused or failed start leaves the game as it was.
    const Order join = Mine(cmd::Join{static_cast<u8>(conditions->TerrainSetChoice())});
    const Verdict verdict = Check(g, join);
    conditions->ShowSectorChoice();  // several players: the box shows the sectors they must claim
    if (!verdict.accepted) {
        if (!verdict.reason.empty()) ShowMessage(QString::fromStdString(verdict.reason), MessageWeight::Warning);
        return;
    }
    // A joining player plays on the game's terrain.
    const bool joining = JoiningPlayer(g);
    if (!LoadGraphicsFor(g, joining ? g.World.TerrainSet : conditions->TerrainSetChoice())) return;
    if (!Submit(join).accepted) return;
    if (!joining) net_->SetShown({});  // a new game is no network game until it is put in a place
    newGame_->SetJoining(false);
    ShowMapPage();
    map_->ApplyInitialView(PageControl1->width());
    MarkViewForFirstFrame(g);
    map_->StartDrawing(DrawingInterval());
    MarkInFile();  // nothing is played on the map yet
}

// Paced to the screen's refresh when waiting for the retrace; a screen that
// reports no rate gets 60 Hz.
int TMainForm::DrawingInterval() const {
    if (game_->Settings.WaitForRetrace != 1) return 1;
    const qreal hz = screen() ? screen()->refreshRate() : 0.0;
    return std::max(1, qRound(1000.0 / (hz > 1.0 ? hz : 60.0)));
}

// The setup pages give way to the map page, the side panel and the top strip.
// The map page is shown before the initial view is computed, so the view
// takes the page's real size.
void TMainForm::ShowMapPage() {
    ShowTab(PageControl1, kPageWelcome, false);
    map_->ShowPanels(true);
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
// minimap palette for `game`, launched or loaded. A picture that cannot be
// used stops the launch or the load with a message naming it; the window
// stays as it was, pictures included.
bool TMainForm::LoadGraphicsFor(const Game& game, int terrainSet) {
    const int pageBefore = PageControl1->currentIndex();
    const bool mapTabBefore = PageControl1->isTabVisible(kPageMap);
    CacheProgress progress;
    progress.begin = [this] {
        ShowTab(PageControl1, kPagePrepare, true);
        ActivatePage(PageControl1, kPagePrepare);
        preparation_->BeginProgress(1729, PageControl1->width());
    };
    progress.advance = [this](int position) { preparation_->SetProgress(position); };
    progress.noticeDone = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    progress.end = [this] {
        const QSignalBlocker block(PageControl1);  // tab visibility changes must not look like a pick either
        ShowTab(PageControl1, kPageMap, true);
        PageControl1->setCurrentIndex(kPageMap);
        ShowTab(PageControl1, kPagePrepare, false);
    };
    const GraphicsLoad load = map_->LoadGraphics(game, terrainSet < 0 ? game.World.TerrainSet : terrainSet, progress);
    if (!load.ok) {
        const QSignalBlocker block(PageControl1);
        ShowTab(PageControl1, kPageMap, mapTabBefore);
        PageControl1->setCurrentIndex(pageBefore);
        ShowMessage(QString::fromStdString(load.error), MessageWeight::Failure);
        return false;
    }
    newGame_->startConditions()->ShowPreview(ToQImage(map_->minimapPalette()));
    return true;
}

}  // namespace tarq
