// The real window end to end, its drawing timer rendering and presenting
// through the window system (run it under Xvfb, or on a desktop, from the game
// folder so graph/ is found):
// - WindowFramesPerSecond: a 400 x 400 map at several zooms, frames per second;
// - IdleMapPage: the default map with the starting force landed, left alone
//   for 10 s; the process's CPU seconds per wall second and the frame rate,
//   drawing as fast as the 1 ms timer goes (/0) and paced to the screen's
//   refresh by the settings page's wait for the retrace (/1), which gives
//   every build the same frame rate.
// The render benchmark gives the drawing alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include <ctime>
#include <memory>

#include "BenchApplication.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/MapSurface.h"
#include "ui/NewGamePage.h"
#include "ui/SettingsPage.h"
#include "ui/StartConditionsPage.h"
#include "ui/Widgets.h"

namespace {

// One launched window at a time: a second one's drawing timer would share the
// processor with the one measured.
std::unique_ptr<tarq::TMainForm>& Form() {
    static std::unique_ptr<tarq::TMainForm> form;
    return form;
}

// The window launched on the map size of item `mapSizeItem` (-1 leaves the
// default), paced to the refresh when `retrace`.
tarq::TMainForm& LaunchedWindow(int mapSizeItem, bool retrace = false) {
    tarq::bench::Application();
    auto& form = Form();
    form.reset();
    form = std::make_unique<tarq::TMainForm>(std::filesystem::current_path(),
                                             [](const QString& text, tarq::MessageWeight weight) {
                                                 if (weight == tarq::MessageWeight::Failure)
                                                     qFatal("%s", qPrintable(text));
                                             });
    form->resize(1224, 868);
    form->show();
    if (mapSizeItem >= 0) form->newGamePage()->startConditions()->MapSize->setItemIndex(mapSizeItem);
    form->settingsPage()->CheckBox7->setChecked(retrace);
    form->LaunchTARQClick();
    // Keep drawing whatever the window system says about focus.
    form->settingsPage()->CheckBox6->setChecked(false);
    form->game().AppActive = 1;
    form->game().BasePromptShown = 1;
    QApplication::processEvents();
    return *form;
}

// The first click on a visible cell with land all around it lands the starting force.
bool LandStartingForce(tarq::TMainForm& form) {
    tarq::Game& g = form.game();
    const tarq::TViewSettings& v = g.ViewSettings;
    for (int c = v.FirstCol + 2; c < v.FirstCol + g.VisibleCols - 2; ++c)
        for (int r = v.FirstRow + 2; r < v.FirstRow + g.VisibleRows - 2; ++r) {
            bool land = true;
            for (int dc = -2; dc <= 2 && land; ++dc)
                for (int dr = -2; dr <= 2 && land; ++dr) land = g.World.Passability(c + dc, r + dr) == tarq::kPassLand;
            if (!land) continue;
            const int x = (c - v.FirstCol) * g.CellPixels + v.ViewOffsetX + g.CellPixels / 2;
            const int y = (r - v.FirstRow) * g.CellPixels + v.ViewOffsetY + g.CellPixels / 2;
            form.mapPage()->DXDrawMouseMove(x, y);
            form.mapPage()->DXDrawClick();
            return CurrentPlayerEntry(g).BasePlaced == 1;
        }
    return false;
}

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

struct LoopRun {
    double fps = 0;
    double cpuPerSecond = 0;
};

// Runs an event loop for `ms`, as the program's own does (waiting when there
// is nothing to do), counting the frames the window's timer drew and the
// process's CPU time.
LoopRun RunLoop(tarq::TMainForm& form, int ms) {
    int frames = 0;
    auto connection = QObject::connect(form.mapPage()->DXTimer, &QTimer::timeout, [&] { ++frames; });
    QElapsedTimer clock;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    const double cpuStart = ProcessCpuSeconds();
    clock.start();
    loop.exec();
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QObject::disconnect(connection);
    return {frames / wall, (ProcessCpuSeconds() - cpuStart) / wall};
}

void BM_WindowFramesPerSecond(benchmark::State& state) {
    if (!Form() || Form()->game().World.MapWidth != 400) LaunchedWindow(5);  // 400 x 400
    tarq::TMainForm& form = *Form();
    form.mapPage()->SScale->setValue(static_cast<int>(state.range(0)));
    LoopRun run;
    for (auto _ : state) run = RunLoop(form, 2000);
    state.counters["fps"] = run.fps;
    state.counters["cpu_per_s"] = run.cpuPerSecond;
    state.counters["cols"] = form.game().VisibleCols;
}
BENCHMARK(BM_WindowFramesPerSecond)
    ->Arg(5)
    ->Arg(15)
    ->Arg(50)
    ->Arg(100)
    ->Arg(120)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_IdleMapPage(benchmark::State& state) {
    tarq::TMainForm& form = LaunchedWindow(-1, state.range(0) == 1);
    if (!LandStartingForce(form)) {
        state.SkipWithError("no land to place the base on");
        return;
    }
    RunLoop(form, 500);  // settle: the first frames after landing
    LoopRun run;
    for (auto _ : state) run = RunLoop(form, 10000);
    state.counters["fps"] = run.fps;
    state.counters["cpu_per_s"] = run.cpuPerSecond;
    state.counters["scale"] = form.game().ViewSettings.Scale;
    state.SetLabel(form.mapPage()->StaticText9->text().toStdString());
}
BENCHMARK(BM_IdleMapPage)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
