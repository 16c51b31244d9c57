// The price of a path: planning across the largest map, open and as a
// serpentine of walls that makes the way cross the map again and again (the
// worst case of a 400 x 400 map), beside a plain one-cell step carried out as
// an order, in one run. The plan should stay under 5 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "control/PathOrders.h"
#include "core/Factory.h"
#include "core/World.h"
#include "orders/Execute.h"

namespace {

using namespace tarq;

constexpr int kSide = 400;
constexpr int kTank = 3;

// A 400 x 400 map of land with one tank at (1, 1); with walls when `serpentine`.
std::unique_ptr<Game> Land(bool serpentine) {
    auto game = NewGame();
    InitData(*game);
    game->World.MapWidth = game->World.MapHeight = kSide;
    for (int c = 1; c <= kSide; ++c)
        for (int r = 1; r <= kSide; ++r) game->World.Passability(c, r) = kPassLand;
    if (serpentine)
        for (int c = 3; c <= kSide - 3; c += 2)
            for (int r = 1; r <= kSide; ++r)
                if ((c / 2) % 2 == 0 ? r != kSide : r != 1) game->World.Passability(c, r) = kPassBlocked;
    game->CurrentPlayer = 1;
    game->Players.Table[1].Number = 1;
    game->Players.Table[1].Joined = game->Players.Table[1].BasePlaced = 1;
    CreateObject(*game, 1, 1, kTank, 0);
    return game;
}

void BM_PlanPath(benchmark::State& state) {
    const bool serpentine = state.range(0) != 0;
    const auto game = Land(serpentine);
    std::size_t steps = 0;
    for (auto _ : state) {
        const std::vector<TCellPos> path = PlanPath(*game, game->LastCreatedObject, kSide, kSide);
        steps = path.size();
        benchmark::DoNotOptimize(path.data());
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.SetLabel(serpentine ? "400 x 400, serpentine (worst case)" : "400 x 400, open land, corner to corner");
}
BENCHMARK(BM_PlanPath)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A step order to and fro, its moves refilled outside the timing.
void BM_PlainStep(benchmark::State& state) {
    const auto game = Land(false);
    const i16 tank = game->LastCreatedObject;
    int k = 0;
    for (auto _ : state) {
        state.PauseTiming();
        game->Object(tank).MovesLeft = 10;
        state.ResumeTiming();
        benchmark::DoNotOptimize(Execute(*game, {1, cmd::Step{tank, static_cast<i16>(k % 2 == 0 ? 3 : 1), 1}}));
        ++k;
    }
    state.SetLabel("one step as an order");
}
BENCHMARK(BM_PlainStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
