// Saving and loading a game file of the largest offered map (400 x 400,
// generated) with all 5000 object slots in use. Each figure is set beside a
// plain copy in memory of the state the file carries (the grids of the map
// and its border, and the object table), measured in the same run: the
// counter copy_ms is that copy's time and x_copy the figure's ratio to it.
// state_kb is the size of that state, body_kb the file's body before
// compression and file_kb the file on disk.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "core/Factory.h"
#include "core/World.h"
#include "gamefile/GameFile.h"
#include "gamefile/GameFileCodec.h"
#include "view/Animation.h"
#include "world/MapGenerator.h"

namespace {

using namespace tarq;

constexpr int kSide = 400;
constexpr int kAircraft = 28;  // stands on any cell, for the patches without land

// Object i on its own 5 x 5 patch; a unit or structure where the ground takes
// it, an aircraft otherwise.
void PlaceCrowd(Game& game) {
    const int kinds[10] = {59, 58, 1, 3, 11, 1, 3, 2, 10, 1};
    for (int i = 0; i < kMaxObjects; ++i) {
        const int col = 2 + 5 * (i % 79), row = 2 + 5 * (i / 79);
        if (!CreateObject(game, col, row, kinds[i % 10], 0, LayerRefresh::Deferred) &&
            !CreateObject(game, col, row, kAircraft, 0, LayerRefresh::Deferred))
            std::abort();
    }
    RefreshMapLayers(game);
}

const Game& Crowd() {
    static std::unique_ptr<Game> game = [] {
        auto g = NewGame();
        InitData(*g);
        g->CurrentPlayer = 1;
        g->ViewSettings.ShowConnectors = 1;
        MapControls controls;
        controls.mapSizeItem = 5;
        g->Rng = RandomSource([] { return 12345u; });
        GenerateMap(*g, ReadMapParameters(*g, controls), g->Rng);
        PlaceCrowd(*g);
        for (int tick = 0; tick < 50; ++tick) AdvanceAnimations(*g);
        return g;
    }();
    return *game;
}

const QByteArray& FileBytes() {
    static const QByteArray bytes = WriteGameFile(Crowd());
    return bytes;
}

double gCopyMs = 0;

// The bytes of the state a file carries: every grid over the map and its
// two-cell border (columns and rows 0..401), and the object table.
constexpr int kRegion = kSide + 3;
constexpr std::size_t kCellBytes = sizeof(TMapCell) + 1 + 1 + sizeof(TResourceCell) + sizeof(TConnectorCell);
constexpr std::size_t kStateBytes = std::size_t{kRegion} * kRegion * kCellBytes + sizeof(TWorld::Objects);

template <typename T>
char* CopyColumns(const CellGrid<T>& grid, char* to) {
    for (int col = 0; col < kRegion; ++col, to += kRegion * sizeof(T))
        std::memcpy(to, &grid(col, 0), kRegion * sizeof(T));
    return to;
}

void CopyState(const Game& g, char* to) {
    to = CopyColumns(g.Map.Cells(), to);
    to = CopyColumns(g.World.Terrain, to);
    to = CopyColumns(g.World.Passability, to);
    to = CopyColumns(g.World.Resources, to);
    to = CopyColumns(g.World.Connectors, to);
    std::memcpy(to, &g.World.Objects, sizeof g.World.Objects);
}

void Report(benchmark::State& state, double totalMs) {
    const double ms = totalMs / static_cast<double>(state.iterations());
    state.counters["copy_ms"] = gCopyMs;
    state.counters["x_copy"] = gCopyMs > 0 ? ms / gCopyMs : 0;
    state.counters["state_kb"] = static_cast<double>(kStateBytes) / 1024.0;
    state.counters["body_kb"] = static_cast<double>(gamefile::UnwrapBody(FileBytes()).body.size()) / 1024.0;
    state.counters["file_kb"] = static_cast<double>(FileBytes().size()) / 1024.0;
}

template <typename Work>
double TimedMs(Work work) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// The baseline: the state a file carries copied once in memory.
void BM_CopyState(benchmark::State& state) {
    std::vector<char> target(kStateBytes);
    double total = 0;
    for (auto _ : state) {
        total += TimedMs([&] { CopyState(Crowd(), target.data()); });
        benchmark::ClobberMemory();
    }
    gCopyMs = total / static_cast<double>(state.iterations());
    Report(state, total);
}
BENCHMARK(BM_CopyState)->Unit(benchmark::kMillisecond);

// The file's bytes from the game, in memory.
void BM_WriteGameFile(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) total += TimedMs([] { benchmark::DoNotOptimize(WriteGameFile(Crowd())); });
    Report(state, total);
}
BENCHMARK(BM_WriteGameFile)->Unit(benchmark::kMillisecond);

// The whole save: the bytes and their atomic write to disk (QSaveFile syncs).
void BM_SaveGameFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tarq"));
    double total = 0;
    for (auto _ : state)
        total += TimedMs([&] {
            if (!SaveGameFile(Crowd(), path)) std::abort();
        });
    Report(state, total);
}
BENCHMARK(BM_SaveGameFile)->Unit(benchmark::kMillisecond);

// Every check, no game built: what a fuzzer of the reader runs.
void BM_ParseGameFile(benchmark::State& state) {
    double total = 0;
    for (auto _ : state)
        total += TimedMs([] {
            if (!ParseGameFile(FileBytes()).contents) std::abort();
        });
    Report(state, total);
}
BENCHMARK(BM_ParseGameFile)->Unit(benchmark::kMillisecond);

// The whole load: read from disk, check, and a fresh game built.
void BM_LoadGameFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.tarq"));
    if (!SaveGameFile(Crowd(), path)) std::abort();
    double total = 0;
    for (auto _ : state)
        total += TimedMs([&] {
            if (!LoadGameFile(path)) std::abort();
        });
    Report(state, total);
}
BENCHMARK(BM_LoadGameFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
