// Start-up costs: the world reset with the catalogue, and the main window from
// nothing to shown (offscreen unless a display is set), against a plain
// memset of the map's picture layers measured in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>
#include "BenchApplication.h"

#include "core/World.h"
#include "ui/MainWindow.h"

namespace {

void BM_InitData(benchmark::State& state) {
    auto game = tarq::NewGame();
    for (auto _ : state) {
        tarq::InitData(*game);
        benchmark::DoNotOptimize(game->SpriteTable[1]);
    }
}
BENCHMARK(BM_InitData)->Unit(benchmark::kMillisecond);

void BM_MemsetMapLayers(benchmark::State& state) {
    // A buffer the size of the map's layers.
    std::vector<tarq::TMapCell> layers(static_cast<std::size_t>(tarq::kGridSpan) * tarq::kGridSpan);
    for (auto _ : state) {
        std::memset(static_cast<void*>(layers.data()), 0, layers.size() * sizeof(tarq::TMapCell));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemsetMapLayers)->Unit(benchmark::kMillisecond);

void BM_NewGameAllocation(benchmark::State& state) {
    for (auto _ : state) {
        auto game = tarq::NewGame();
        benchmark::DoNotOptimize(game.get());
    }
}
BENCHMARK(BM_NewGameAllocation)->Unit(benchmark::kMillisecond);

// Window construction (with the start-up preparation) to the window shown.
void BM_MainWindowShown(benchmark::State& state) {
    tarq::bench::Application();
    for (auto _ : state) {
        tarq::TMainForm form(std::filesystem::current_path(), [](const QString&, tarq::MessageWeight) {});
        form.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.isVisible());
    }
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
