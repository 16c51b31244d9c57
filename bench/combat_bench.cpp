// The price of combat on a full table: a 400 x 400 map with 5,000 objects of
// two players. An attack order with return fire, a step that draws the
// overwatch of two guns, and an END TURN that gives 2,500 objects their
// shots back, beside the plain step order in the same run. Aims: an attack
// under 50 µs, an END TURN under 5 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/Factory.h"
#include "core/World.h"
#include "orders/Execute.h"

namespace {

using namespace tarq;

constexpr int kMap = 400;
constexpr int kTank = 3, kGun = 62;
constexpr int kObjectsEach = 2500;

// Player 1's tanks fill the upper half, player 2's the lower, one every other
// cell; two guns of player 2 watch the cell (10, 201), and a tank of
// player 1 stands alone at (100, 100).
struct Battle {
    std::unique_ptr<Game> game = NewGame();
    i16 attacker = 0, target = 0, gunA = 0, gunB = 0, walker = 0, lone = 0;

    Battle() {
        Game& g = *game;
        InitData(g);
        g.World.MapWidth = g.World.MapHeight = kMap;
        for (int c = 1; c <= kMap; ++c)
            for (int r = 1; r <= kMap; ++r) g.World.Passability(c, r) = kPassLand;
        g.Players.Count = 2;
        for (int p = 1; p <= 2; ++p) {
            TPlayer& player = g.Players.Table[p];
            player.Number = static_cast<u8>(p), player.Colour = static_cast<u8>(p - 1);
            player.Joined = player.BasePlaced = 1;
        }
        walker = Make(g, 1, kTank, 10, 200);
        attacker = Make(g, 1, kTank, 20, 200);
        target = Make(g, 2, kTank, 20, 202);
        gunA = Make(g, 2, kGun, 10, 207);
        gunB = Make(g, 2, kGun, 12, 207);
        lone = Make(g, 1, kTank, 100, 100);
        for (int k = 0; g.LastCreatedObject < kMaxObjects && k < 2 * kObjectsEach; ++k) {
            const int p = k % 2 + 1, i = k / 2;
            Make(g, p, kTank, 2 * (i % 190) + 30 + (p - 1), 2 * (i / 190) + 3 + (p - 1) * 210);
        }
        g.CurrentPlayer = 1;
        RefreshMapLayers(g);
    }
    static i16 Make(Game& g, int owner, int type, int col, int row) {
        g.CurrentPlayer = static_cast<u8>(owner);
        CreateObject(g, col, row, type, 0, LayerRefresh::Deferred);
        return static_cast<i16>(g.LastCreatedObject);
    }
    // Everyone back to full: the next shot meets the same state.
    void Restore(i16 slot) {
        TGameObject& o = game->Object(slot);
        o.HitsLeft = o.Stats.Hits, o.ShotsLeft = o.Stats.Shots, o.AmmoLeft = o.Stats.Ammo, o.MovesLeft = 100;
    }
    void KeepLogsSmall(std::int64_t n) {
        if ((n & 1023) == 0) game->Log.Clear(), game->CombatLog.clear(), game->Notices[2].clear();
    }
};

void BM_StepOrderPlain(benchmark::State& state) {
    Battle b;
    const i16 unit = b.lone;
    std::int64_t n = 0;
    for (auto _ : state) {
        b.Restore(unit);
        const i16 col = b.game->Object(unit).Cells[1].col == 100 ? 101 : 100;
        benchmark::DoNotOptimize(Execute(*b.game, {1, cmd::Step{unit, col, 100}}).accepted);
        b.KeepLogsSmall(++n);
    }
}
BENCHMARK(BM_StepOrderPlain);

// The walker steps between (10, 200) and (10, 201); at (10, 201) both guns fire.
void BM_StepOrderWithOverwatch(benchmark::State& state) {
    Battle b;
    std::int64_t n = 0;
    for (auto _ : state) {
        for (i16 s : {b.walker, b.gunA, b.gunB}) b.Restore(s);
        const i16 row = b.game->Object(b.walker).Cells[1].row == 200 ? 201 : 200;
        benchmark::DoNotOptimize(Execute(*b.game, {1, cmd::Step{b.walker, 10, row}}).accepted);
        b.KeepLogsSmall(++n);
    }
    state.counters["shots"] = static_cast<double>(b.game->CombatLog.size());
}
BENCHMARK(BM_StepOrderWithOverwatch);

void BM_AttackOrderWithReturnFire(benchmark::State& state) {
    Battle b;
    std::int64_t n = 0;
    for (auto _ : state) {
        b.Restore(b.attacker), b.Restore(b.target);
        benchmark::DoNotOptimize(Execute(*b.game, {1, cmd::Attack{b.attacker, b.target}}).accepted);
        b.KeepLogsSmall(++n);
    }
}
BENCHMARK(BM_AttackOrderWithReturnFire);

void BM_EndTurnOrder(benchmark::State& state) {
    Battle b;
    std::int64_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Execute(*b.game, {b.game->CurrentPlayer, cmd::EndTurn{}}).accepted);
        b.KeepLogsSmall(++n);
    }
}
BENCHMARK(BM_EndTurnOrder);

}  // namespace

BENCHMARK_MAIN();
