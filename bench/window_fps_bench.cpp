// Frames per second end to end: the real window launched on a generated map,
// its drawing timer rendering and presenting through the window system (run it
// under Xvfb, or on a desktop, from the game folder so graph/ is found).
// Reported at several zooms; the render benchmark gives the drawing alone.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchApplication.h"
#include <QCheckBox>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>

#include "ui/MainWindow.h"
#include "ui/MapSurface.h"
#include "ui/Widgets.h"

namespace {

tarq::TMainForm& LaunchedWindow() {
    static tarq::TMainForm* form = [] {
        tarq::bench::Application();
        auto* f = new tarq::TMainForm(std::filesystem::current_path(), [](const QString& text) {
            if (text.contains(QStringLiteral("Не удалось"))) qFatal("%s", qPrintable(text));
        });
        f->resize(1224, 868);
        f->show();
        f->MapSize->setItemIndex(5);  // 400 x 400
        f->LaunchTARQClick();
        // Keep drawing whatever the window system says about focus.
        f->CheckBox6->setChecked(false);
        f->game().AppActive = 1;
        f->game().BasePromptShown = 1;
        return f;
    }();
    return *form;
}

// Runs the window's own event loop for `ms` and counts the frames its timer drew.
double RunLoopFps(tarq::TMainForm& form, int ms) {
    int frames = 0;
    auto connection = QObject::connect(form.DXTimer, &QTimer::timeout, [&] { ++frames; });
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
    QObject::disconnect(connection);
    return frames * 1000.0 / static_cast<double>(clock.elapsed());
}

void BM_WindowFramesPerSecond(benchmark::State& state) {
    tarq::TMainForm& form = LaunchedWindow();
    form.SScale->setValue(static_cast<int>(state.range(0)));
    double fps = 0;
    for (auto _ : state) fps = RunLoopFps(form, 2000);
    state.counters["fps"] = fps;
    state.counters["cols"] = form.game().VisibleCols;
}
BENCHMARK(BM_WindowFramesPerSecond)->Arg(5)->Arg(15)->Arg(50)->Arg(100)->Arg(120)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
