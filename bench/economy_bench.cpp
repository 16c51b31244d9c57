// The price of the economy at the start of a turn: a 400 x 400 map with
// 5,000 objects, eight players each with a base of networked storages, tanks,
// generators, connectors and mining complexes, plus a few tanks. Measured in
// one run: END TURN as an order (the end of the turn, then the next player's
// start with their networks found, power, mining and refills), the end of the
// turn alone (the work END TURN did before the economy), and the economy's
// step alone. The bound: END TURN under 5 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "CpuTimes.h"
#include "control/Economy.h"
#include "control/EndTurn.h"
#include "core/Factory.h"
#include "core/World.h"
#include "orders/Execute.h"

namespace {

using namespace tarq;

constexpr int kMap = 400;
constexpr int kPlayers = 8;
constexpr int kBand = kMap / kPlayers;  // rows per player
constexpr int kTank = 3, kGenerator = 40, kStorage = 55, kFuelTank = 56, kGoldStore = 59, kConnector = 66;

// One player's base: rows of 1 x 1 structures joined side by side, a row of
// mining complexes under them, and tanks; `count` objects in all.
void Base(Game& g, int player, int count) {
    g.CurrentPlayer = static_cast<u8>(player);
    const int top = (player - 1) * kBand + 2;
    constexpr int kCycle[] = {kStorage, kFuelTank, kGenerator, kConnector, kGoldStore, kStorage};
    int made = 0;
    for (int k = 0; k < 8 && made < count; ++k, ++made)
        CreateObject(g, 2 + 2 * k, top, econ::kMine, 0, LayerRefresh::Deferred);
    for (int k = 0; made < count - 20; ++k, ++made)
        CreateObject(g, 2 + k % 390, top + 2 + k / 390, kCycle[k % 6], 0, LayerRefresh::Deferred);
    for (int k = 0; made < count; ++k, ++made) CreateObject(g, 2 + 2 * k, top + 8, kTank, 0, LayerRefresh::Deferred);
}

std::unique_ptr<Game> EconomyMap() {
    auto game = NewGame();
    InitData(*game);
    Game& g = *game;
    g.World.MapWidth = g.World.MapHeight = kMap;
    for (int c = 1; c <= kMap; ++c)
        for (int r = 1; r <= kMap; ++r) {
            g.World.Passability(c, r) = kPassLand;
            g.World.Resources(c, r) = TResourceCell{static_cast<u8>(1 + (c + r) % 3), static_cast<u8>((c * r) % 9)};
        }
    g.Players.Count = kPlayers;
    for (int p = 1; p <= kPlayers; ++p) {
        TPlayer& player = g.Players.Table[p];
        player.Number = static_cast<u8>(p), player.Colour = static_cast<u8>(p - 1);
        player.Joined = player.BasePlaced = 1;
        Base(g, p, kMaxObjects / kPlayers);
    }
    g.CurrentPlayer = 1;
    RefreshMapLayers(g);
    return game;
}

int Objects(const Game& g) {
    int n = 0;
    for (const TGameObject& o : g.World.Objects) n += SlotInUse(o) ? 1 : 0;
    return n;
}

void BM_EndTurnOrderEconomy(benchmark::State& state) {
    auto game = EconomyMap();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Execute(*game, {game->CurrentPlayer, cmd::EndTurn{}}).accepted);
        if ((game->Turn & 255) == 0) game->Log.Clear();
    }
    state.counters["objects"] = Objects(*game);
}
BENCHMARK(BM_EndTurnOrderEconomy)->Unit(benchmark::kMillisecond);

void BM_EndTurnAlone(benchmark::State& state) {
    auto game = EconomyMap();
    for (auto _ : state) EndTurn(*game);
    benchmark::DoNotOptimize(game->Turn);
}
BENCHMARK(BM_EndTurnAlone)->Unit(benchmark::kMillisecond);

void BM_EconomyStep(benchmark::State& state) {
    auto game = EconomyMap();
    for (auto _ : state) RunEconomy(*game, 1);
    benchmark::DoNotOptimize(game->Object(1).Cargo);
}
BENCHMARK(BM_EconomyStep)->Unit(benchmark::kMillisecond);

// END TURN with the economy beside the end of the turn alone.
void Summary(const bench::CpuTimes& ns) {
    const auto order = ns.find("BM_EndTurnOrderEconomy"), alone = ns.find("BM_EndTurnAlone");
    if (order == ns.end() || alone == ns.end()) return;
    std::printf("\nEND TURN with the economy: %.3f ms (bound 5 ms); the end of the turn alone: %.3f ms = %.2f x\n",
                order->second / 1e6, alone->second / 1e6, order->second / alone->second);
}

}  // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv, Summary); }
