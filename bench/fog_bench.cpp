// The fog of war's costs on the render benchmark's 400 x 400 world (every
// other object the second player's, 5,000 objects, fog on, the first player
// looking), in one run:
// - a unit's step as sight sees it: a scan-18 unit moved one cell and its
//   circle followed (the step's sight update), against the 20 µs budget;
// - a full rebuild of every player's sight from the 5,000 objects, against
//   the 5 ms budget;
// - the still frame with the fog and without it (the ratio must stay <= 1.2);
// - the zoom step (the first frame at a scale whose patterns are not scaled
//   yet) with the fog, at every scale, against the 3 ms budget.
// CPU time of this thread, the lowest of the repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>

#include "RenderWorld.h"
#include "control/Sight.h"
#include "core/Factory.h"
#include "core/SightCounts.h"
#include "view/Animation.h"
#include "view/Renderer.h"

namespace {

using namespace tarq;
using namespace tarq::bench;

constexpr int kScales[] = {5, 15, 50, 100, 120};

struct Fixture {
    std::unique_ptr<Game> game;
    ImageList images = MakeImages();
    BackBuffer kept{kSurfaceW, kSurfaceH};
    FrameCache cache;
    int scout = 0;

    Fixture() : game(MakeWorld()) {
        RandomSource rng([] { return 7u; });
        rng.Reseed();
        int slot = 0;
        while (slot < kMaxObjects && game->World.Objects[slot + 1].Owner != 0) ++slot;
        while (slot < kMaxObjects)
            StampObject(*game, ++slot, 1 + rng.Random(kDefinedTypes), 1 + rng.Random(kMapSize - 1),
                        1 + rng.Random(kMapSize - 1));
        for (int s = 2; s <= kMaxObjects; s += 2) game->World.Objects[s].Owner = 2;
        game->Players.Count = 2;
        for (int p = 1; p <= 2; ++p) game->Players.Table[p].Number = static_cast<u8>(p);
        game->CurrentPlayer = 1;
        game->Sight.On = 1;
        scout = 1;
        game->World.Objects[scout].Stats.Scan = 18;
        game->World.Objects[scout].Cells = SingleCellFootprint(kMapSize / 2, kMapSize / 2);
        RebuildSight(*game);
        RememberStructures(*game);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

std::map<std::string, double>& Results() {
    static std::map<std::string, double> results;
    return results;
}

void Record(const std::string& what, double cpuMs, benchmark::IterationCount n) {
    const double each = cpuMs / static_cast<double>(n);
    auto [it, fresh] = Results().try_emplace(what, each);
    if (!fresh) it->second = std::min(it->second, each);
}

template <typename Work>
void Measure(benchmark::State& state, const std::string& what, Work work) {
    work();
    const double start = ThreadCpuMs();
    for (auto _ : state) work();
    Record(what, ThreadCpuMs() - start, state.iterations());
}

void Tick(Fixture& f) {
    AdvanceAnimations(*f.game);
    f.kept.Clear(0xFF000000u);
    RenderFrame(*f.game, f.images, f.kept, f.cache);
    f.kept.TakeChanges();
    benchmark::DoNotOptimize(f.kept.Pixels().pixels.data());
}

void BM_Step(benchmark::State& state) {
    Fixture& f = Shared();
    int dc = 1;
    Measure(state, "step", [&] {
        TCellPos& at = f.game->World.Objects[f.scout].Cells[1];
        at.col = static_cast<i16>(at.col + dc);
        dc = -dc;
        FollowSlot(*f.game, f.scout);
    });
}

void BM_Rebuild(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "rebuild", [&] { RebuildSight(*f.game); });
}

void BM_Still(benchmark::State& state) {
    Fixture& f = Shared();
    const int scale = static_cast<int>(state.range(0));
    const bool fog = state.range(1) != 0;
    f.game->Sight.On = fog ? 1 : 0;
    SetScale(*f.game, scale);
    Measure(state, (fog ? "still fog " : "still plain ") + std::to_string(scale), [&] { Tick(f); });
    f.game->Sight.On = 1;
}

void BM_ZoomStep(benchmark::State& state) {
    Fixture& f = Shared();
    const int scale = static_cast<int>(state.range(0));
    const int neighbour = scale > 5 ? scale - 1 : scale + 1;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.cache.Invalidate();
        SetScale(*f.game, neighbour);
        Tick(f);
        state.ResumeTiming();
        const double start = ThreadCpuMs();
        SetScale(*f.game, scale);
        Tick(f);
        cpu += ThreadCpuMs() - start;
    }
    Record("zoom fog " + std::to_string(scale), cpu, state.iterations());
}

void PrintTable() {
    auto& r = Results();
    std::printf("\nfog of war, CPU ms (ratio to its budget or baseline; each must stay below 1.0 or 1.2):\n");
    std::printf("step update, scan 18   %9.5f ms  %6.3f of 0.020 ms\n", r["step"], r["step"] / 0.020);
    std::printf("rebuild, 5000 objects  %9.3f ms  %6.3f of 5 ms\n", r["rebuild"], r["rebuild"] / 5.0);
    std::printf("%-5s %12s %12s %8s %12s %10s\n", "scale", "still plain", "still fog", "ratio", "zoom fog", "of 3 ms");
    for (int s : kScales) {
        const std::string k = std::to_string(s);
        std::printf("%-5d %12.3f %12.3f %8.2f %12.3f %10.2f\n", s, r["still plain " + k], r["still fog " + k],
                    r["still fog " + k] / r["still plain " + k], r["zoom fog " + k], r["zoom fog " + k] / 3.0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("SightStep", BM_Step)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("SightRebuild", BM_Rebuild)->Unit(benchmark::kMillisecond);
    for (int scale : kScales) {
        benchmark::RegisterBenchmark("Still", BM_Still)->Args({scale, 0})->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("Still", BM_Still)->Args({scale, 1})->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("ZoomStep", BM_ZoomStep)->Arg(scale)->Unit(benchmark::kMillisecond)->MinTime(0.3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintTable();
    benchmark::Shutdown();
    return 0;
}
