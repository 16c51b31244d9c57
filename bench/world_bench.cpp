// Speed of the map generator on the largest offered map (400 x 400) for both
// models at the page's default parameters, in nanoseconds per cell, next to a
// plain memset of the grids the generator writes, measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "CpuTimes.h"
#include "core/World.h"
#include "world/CoastPass.h"
#include "world/MapGenerator.h"

namespace {

using namespace tarq;

constexpr int kSide = 400;
constexpr double kCells = double(kSide) * kSide;

MapParameters DefaultParameters(int model) {
    auto scratch = NewGame();
    MapControls controls;
    controls.mapSizeItem = 5;
    controls.model = model;
    return ReadMapParameters(*scratch, controls);
}

// Seconds per map cell (shown with an SI prefix: "25n" is 25 ns).
void CountCells(benchmark::State& state) {
    state.counters["per_cell"] =
        benchmark::Counter(kCells, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_GenerateMap(benchmark::State& state) {
    const MapParameters params = DefaultParameters(static_cast<int>(state.range(0)));
    auto game = NewGame();
    std::uint32_t seed = 1;
    RandomSource rng([&seed] { return seed; });
    for (auto _ : state) {
        ++seed;
        GenerateMap(*game, params, rng);
        benchmark::DoNotOptimize(game->World.Terrain.cells.data());
    }
    state.SetLabel(state.range(0) == 0 ? "islands" : "strips");
    CountCells(state);
}
BENCHMARK(BM_GenerateMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The coast pass alone, on a map whose land is already laid.
void BM_CoastPass(benchmark::State& state) {
    const MapParameters params = DefaultParameters(static_cast<int>(state.range(0)));
    auto game = NewGame();
    RandomSource rng([] { return 7u; });
    game->World.MapWidth = params.MapWidth;
    game->World.MapHeight = params.MapHeight;
    FillWater(*game);
    rng.Reseed();
    if (params.MapModel == 0)
        RaiseIslands(*game, params, rng);
    else
        LayStrips(*game, params, rng);
    const auto land = game->World.Terrain;
    for (auto _ : state) {
        state.PauseTiming();
        game->World.Terrain = land;
        state.ResumeTiming();
        RunCoastPass(*game);
        benchmark::DoNotOptimize(game->World.Terrain.cells.data());
    }
    state.SetLabel(state.range(0) == 0 ? "islands" : "strips");
}
BENCHMARK(BM_CoastPass)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The floor: clearing the columns 1..400 of every grid the generator writes
// (terrain, class, deposits and the map cells' picture layers).
void BM_MemsetGrids(benchmark::State& state) {
    auto game = NewGame();
    auto clear = [](auto& grid, int value) {
        auto* first = &grid(1, 0);
        auto* last = &grid(kSide + 1, 0);
        std::memset(static_cast<void*>(first), value, static_cast<std::size_t>(last - first) * sizeof(*first));
    };
    int value = 0;
    for (auto _ : state) {
        ++value;
        clear(game->World.Terrain, value);
        clear(game->World.Passability, value);
        clear(game->World.Resources, value);
        clear(game->Map, value);
        benchmark::ClobberMemory();
    }
    CountCells(state);
}
BENCHMARK(BM_MemsetGrids)->Unit(benchmark::kMillisecond);

// Every figure per cell and against the floor of a memset of the grids.
void Summary(const bench::CpuTimes& ns) {
    const auto floor = ns.find("BM_MemsetGrids");
    std::printf("\n400 x 400, default page parameters:\n");
    for (const auto& [name, time] : ns) {
        std::printf("  %-22s %9.3f ms  %7.2f ns/cell", name.c_str(), time / 1e6, time / kCells);
        if (floor != ns.end() && name != floor->first)
            std::printf("  = %.2f x memset of the grids", time / floor->second);
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv, Summary); }
