// Speed of the object factory on the largest offered map (400 x 400, all
// land): the placement test, creations with up to 5000 objects standing, the
// layer rebuild, the connector pass and the square search of a 101-object
// base, with the full layer rebuild and with the incremental one. Every
// figure carries, as the counter memset_us, the time of a plain memset of the
// same layers (2-4 over the map) measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "core/Factory.h"
#include "core/World.h"

namespace {

using namespace tarq;

constexpr int kSide = 400;

double gMemsetMicros = 0;

void PrepareWorld(Game& game) {
    InitData(game);
    game.World.MapWidth = game.World.MapHeight = kSide;
    for (int c = 1; c <= kSide; ++c)
        for (int r = 1; r <= kSide; ++r) game.World.Passability(c, r) = kPassLand;
    game.CurrentPlayer = 1;
    game.ViewSettings.ShowConnectors = 1;
}

// Object i of the standing crowd: one per 5 x 5 patch, a tenth of them
// connected structures, a tenth roads, the rest units (some in two layers).
void StandingCell(int i, int& col, int& row, int& type) {
    col = 2 + 5 * (i % 79);
    row = 2 + 5 * (i / 79);
    const int kinds[10] = {59, 58, 1, 3, 11, 1, 3, 2, 10, 1};
    type = kinds[i % 10];
}

void CreateStanding(Game& game, int count) {
    for (int i = 0; i < count; ++i) {
        int c, r, t;
        StandingCell(i, c, r, t);
        if (!CreateObject(game, c, r, t, 0)) std::abort();
    }
}

void MemsetObjectLayers(Game& game) {
    for (int c = 1; c <= kSide; ++c)
        for (int r = 1; r <= kSide; ++r)
            std::memset(static_cast<void*>(&game.Map(c, r).Layers[kLayerFlat]), 0, 3 * sizeof(TSpriteRef));
}

// The game with 5000 objects standing, built once for the figures that need it.
Game& Crowd() {
    static std::unique_ptr<Game> game = [] {
        auto g = NewGame();
        PrepareWorld(*g);
        CreateStanding(*g, kMaxObjects);
        return g;
    }();
    return *game;
}

void Report(benchmark::State& state) { state.counters["memset_us"] = gMemsetMicros; }

void BM_MemsetLayers(benchmark::State& state) {
    Game& game = Crowd();
    for (auto _ : state) {
        MemsetObjectLayers(game);
        benchmark::ClobberMemory();
    }
    RebuildObjectLayers(game);
    Report(state);
}
BENCHMARK(BM_MemsetLayers)->Unit(benchmark::kMicrosecond);

void BM_CanPlace(benchmark::State& state) {
    Game& game = Crowd();
    const bool block = state.range(0) != 0;
    int i = 0;
    for (auto _ : state) {
        const int c = 1 + (i * 37) % (kSide - 1), r = 1 + (i * 91) % (kSide - 1);
        const TFootprint f = block ? BlockFootprint(c, r) : SingleCellFootprint(c, r);
        benchmark::DoNotOptimize(CanPlace(game, f, kMoveStructure));
        ++i;
    }
    state.SetLabel(block ? "2 x 2 block, 5000 objects" : "one cell, 5000 objects");
    Report(state);
}
BENCHMARK(BM_CanPlace)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The full rebuild from scratch (the game's rebuild redraws only changed cells).
void BM_RebuildObjectLayersFull(benchmark::State& state) {
    Game& game = Crowd();
    for (auto _ : state) {
        RebuildObjectLayersFull(game);
        benchmark::ClobberMemory();
    }
    state.SetLabel("5000 objects");
    Report(state);
}
BENCHMARK(BM_RebuildObjectLayersFull)->Unit(benchmark::kMicrosecond);

void BM_UpdateConnectorPictures(benchmark::State& state) {
    Game& game = Crowd();
    for (auto _ : state) {
        UpdateConnectorPictures(game);
        benchmark::ClobberMemory();
    }
    state.SetLabel("500 connected structures");
    Report(state);
}
BENCHMARK(BM_UpdateConnectorPictures)->Unit(benchmark::kMicrosecond);

// One creation (a unit on a free cell) with 4999 others standing; the release
// that makes room for the next round is not timed.
void BM_CreateObjectAmong5000(benchmark::State& state) {
    Game& game = Crowd();
    int c, r, t;
    StandingCell(kMaxObjects - 1, c, r, t);
    DeleteObject(game, kMaxObjects);
    for (auto _ : state) {
        if (!CreateObject(game, c, r, t, 0)) std::abort();
        state.PauseTiming();
        DeleteObject(game, kMaxObjects);
        state.ResumeTiming();
    }
    CreateObject(game, c, r, t, 0);
    Report(state);
}
BENCHMARK(BM_CreateObjectAmong5000)->Unit(benchmark::kMicrosecond);

void BM_RebuildIncrementalUnchanged(benchmark::State& state) {
    Game& game = Crowd();
    RebuildObjectLayers(game);
    for (auto _ : state) {
        RebuildObjectLayers(game);
        benchmark::ClobberMemory();
    }
    state.SetLabel("5000 objects, nothing changed");
    Report(state);
}
BENCHMARK(BM_RebuildIncrementalUnchanged)->Unit(benchmark::kMicrosecond);

// Creations one by one on an empty map until 5000 objects stand; the figure
// per_creation is the mean.
void BM_CreateUntil5000(benchmark::State& state) {
    auto game = NewGame();
    double micros = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrepareWorld(*game);
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        CreateStanding(*game, kMaxObjects);
        micros += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
    }
    state.counters["per_creation_us"] = micros / (static_cast<double>(state.iterations()) * kMaxObjects);
    Report(state);
}
BENCHMARK(BM_CreateUntil5000)->Iterations(2)->Unit(benchmark::kMillisecond);

// A 101-entry base around the map centre, each purchase placed by the square
// search. Layers: 0 = brought up to date after each creation (as the game
// does), 1 = once at the end.
void BM_PlaceBase101(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const LayerRefresh refresh = mode == 0 ? LayerRefresh::Now : LayerRefresh::Deferred;
    const int kinds[10] = {1, 3, 11, 42, 59, 2, 39, 10, 58, 7};
    auto game = NewGame();
    int placed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        PrepareWorld(*game);
        RebuildObjectLayers(*game);
        state.ResumeTiming();
        placed = 0;
        for (int i = 0; i < kPurchaseEntries; ++i)
            placed += PlaceBySquareSearch(*game, kSide / 2, kSide / 2, kinds[i % 10], refresh) != 0;
        if (mode == 1) RefreshMapLayers(*game);
    }
    const char* how[2] = {"layers after each creation", "layers once at the end"};
    state.SetLabel(std::to_string(placed) + " of 101 placed, " + how[mode]);
    Report(state);
}
BENCHMARK(BM_PlaceBase101)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The worst search: a ship on a map without water tries every cell once.
void BM_SquareSearchWithoutRoom(benchmark::State& state) {
    auto game = NewGame();
    PrepareWorld(*game);
    for (auto _ : state) benchmark::DoNotOptimize(PlaceBySquareSearch(*game, kSide / 2, kSide / 2, 21));
    state.SetLabel("whole map tried, nothing placed");
    Report(state);
}
BENCHMARK(BM_SquareSearchWithoutRoom)->Unit(benchmark::kMillisecond);

// The memset reference, best of several runs, taken before the figures.
double MeasureMemset() {
    Game& game = Crowd();
    double best = 1e30;
    for (int i = 0; i < 20; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        MemsetObjectLayers(game);
        benchmark::ClobberMemory();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    RebuildObjectLayers(game);
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    gMemsetMicros = MeasureMemset();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
