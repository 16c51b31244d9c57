// The price of orders: a step and an END TURN carried out as orders (the
// executor's checks, the handler, the outcome and the log) against the same
// engine calls made directly, measured in one run; and the replay of a round
// of eight players giving 200 orders each from the state it began with.
// Ratios at the end: an order should cost at most 1.2 times the direct call,
// and a round's replay less than 20 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CpuTimes.h"
#include "control/EndTurn.h"
#include "control/TurnPhases.h"
#include "control/UnitMoves.h"
#include "core/Factory.h"
#include "core/World.h"
#include "orders/Combat.h"
#include "orders/Execute.h"
#include "orders/Replay.h"

namespace {

using namespace tarq;

constexpr int kMap = 120;
constexpr int kTank = 3;
constexpr int kUnitsEach = 40;

// A map of plain land with `players` players, joined and landed, each with a
// row block of tanks in a band of their own.
std::unique_ptr<Game> Table(int players) {
    auto game = NewGame();
    InitData(*game);
    Game& g = *game;
    g.World.MapWidth = g.World.MapHeight = kMap;
    for (int c = 1; c <= kMap; ++c)
        for (int r = 1; r <= kMap; ++r) g.World.Passability(c, r) = kPassLand;
    g.Players.Count = static_cast<u8>(players);
    for (int p = 1; p <= players; ++p) {
        TPlayer& player = g.Players.Table[p];
        player.Number = static_cast<u8>(p);
        player.Colour = static_cast<u8>(p - 1);
        player.Joined = player.BasePlaced = 1;
        g.CurrentPlayer = static_cast<u8>(p);
        for (int u = 0; u < kUnitsEach; ++u) {
            CreateObject(g, 4 + 2 * (u % 20), 4 + (p - 1) * 14 + 2 * (u / 20), kTank, 0);
            g.Object(g.LastCreatedObject).MovesLeft = 255;
        }
    }
    g.CurrentPlayer = 1;
    CurrentPlayerEntry(g).BasePlaced = 1;
    RefreshMapLayers(g);
    return game;
}

// The first tank of player 1, stepping right and back, its moves kept up.
struct Stepper {
    explicit Stepper(Game& game) : g(game) {
        for (int slot = 1; slot <= kMaxObjects; ++slot)
            if (g.Object(slot).Owner == 1) {
                unit = static_cast<i16>(slot);
                break;
            }
        home = g.Object(unit).Cells[1];
    }
    i16 TargetCol() {
        g.Object(unit).MovesLeft = 100;
        return static_cast<i16>(g.Object(unit).Cells[1].col == home.col ? home.col + 1 : home.col);
    }
    Game& g;
    i16 unit = 0;
    TCellPos home;
};

// The log is emptied now and then, so a long run does not measure a growing vector.
void KeepLogSmall(Game& g, std::int64_t iteration) {
    if ((iteration & 4095) == 0) g.Log.Clear();
}

// The step's rules called directly: the step itself and what answers it
// (mines, overwatch), as the order runs them.
void BM_StepToward(benchmark::State& state) {
    auto game = Table(2);
    Stepper s(*game);
    for (auto _ : state) {
        const i16 col = s.TargetCol();
        Outcome out;
        benchmark::DoNotOptimize(StepToward(*game, s.unit, col, s.home.row));
        AfterStep(*game, s.unit, out);
    }
}
BENCHMARK(BM_StepToward);

void BM_StepOrder(benchmark::State& state) {
    auto game = Table(2);
    Stepper s(*game);
    std::int64_t n = 0;
    for (auto _ : state) {
        const i16 col = s.TargetCol();
        benchmark::DoNotOptimize(Execute(*game, {1, cmd::Step{s.unit, col, s.home.row}}).accepted);
        KeepLogSmall(*game, ++n);
    }
}
BENCHMARK(BM_StepOrder);

// A game of one player: every END TURN renews the moves of its 40 tanks,
// counts a turn and begins the next one (shots, economy, reinforcements), as
// the order does.
void BM_EndTurn(benchmark::State& state) {
    auto game = Table(1);
    for (auto _ : state) {
        EndTurn(*game);
        BeginTurn(*game, 1);
    }
    benchmark::DoNotOptimize(game->Turn);
}
BENCHMARK(BM_EndTurn);

void BM_EndTurnOrder(benchmark::State& state) {
    auto game = Table(1);
    std::int64_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Execute(*game, {1, cmd::EndTurn{}}).accepted);
        KeepLogSmall(*game, ++n);
    }
}
BENCHMARK(BM_EndTurnOrder);

// One round: each of eight players steps their tanks about (199 steps, each
// tank to the free cell on its right and back) and ends the turn. Every
// order must be accepted.
std::vector<LoggedOrder> PlayRound(Game& g) {
    const std::size_t from = g.Log.Entries().size();
    for (int p = 1; p <= 8; ++p) {
        std::vector<i16> own;
        for (int slot = 1; slot <= kMaxObjects; ++slot)
            if (g.Object(slot).Owner == p) own.push_back(static_cast<i16>(slot));
        for (std::size_t k = 0; k < 199; ++k) {
            const i16 unit = own[k % own.size()];
            const TCellPos at = g.Object(unit).Cells[1];
            const i16 col = static_cast<i16>(k / own.size() % 2 == 0 ? at.col + 1 : at.col - 1);
            if (!Execute(g, {static_cast<u8>(p), cmd::Step{unit, col, at.row}}).accepted) std::abort();
        }
        if (!Execute(g, {static_cast<u8>(p), cmd::EndTurn{}}).accepted) std::abort();
    }
    return {g.Log.Entries().begin() + static_cast<std::ptrdiff_t>(from), g.Log.Entries().end()};
}

void BM_ReplayRound(benchmark::State& state) {
    const auto start = Table(8);
    const auto played = std::make_unique<Game>(*start);
    const std::vector<LoggedOrder> round = PlayRound(*played);
    auto game = std::make_unique<Game>(*start);
    for (auto _ : state) {
        state.PauseTiming();
        *game = *start;
        state.ResumeTiming();
        const ReplayResult result = Replay(*game, round, 0, round.size());
        if (!result.ok) state.SkipWithError("the replay refused an order");
    }
    state.counters["orders"] = static_cast<double>(round.size());
}
BENCHMARK(BM_ReplayRound)->Unit(benchmark::kMillisecond);

void Ratio(const bench::CpuTimes& ns, const char* what, const std::string& order, const std::string& direct) {
    const auto a = ns.find(order), b = ns.find(direct);
    if (a == ns.end() || b == ns.end()) return;
    std::printf("%s as an order: %.0f ns against %.0f ns called directly = %.2f (bound 1.2)\n", what, a->second,
                b->second, a->second / b->second);
}

void Summary(const bench::CpuTimes& ns) {
    std::printf("\n");
    Ratio(ns, "a step", "BM_StepOrder", "BM_StepToward");
    Ratio(ns, "END TURN", "BM_EndTurnOrder", "BM_EndTurn");
    if (const auto replay = ns.find("BM_ReplayRound"); replay != ns.end())
        std::printf("replay of a round of 8 players x 200 orders: %.2f ms (bound 20 ms)\n", replay->second / 1e6);
}

}  // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv, Summary); }
