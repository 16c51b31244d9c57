// The cost of trust: a password hashed at the game's cost, one turn of 200
// orders signed and checked, and a round of 8 players' turns of 200 orders
// checked (the signatures only). Each figure is set beside a plain SHA-512
// of the same bytes, measured in the same run: sha512_us is that hash's time
// and x_sha512 the figure's ratio to it.
#include <benchmark/benchmark.h>
#include <sodium.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "trust/Passwords.h"
#include "trust/TurnSignature.h"

namespace {

using namespace tarq;
using namespace tarq::trust;

constexpr int kOrders = 200;
constexpr int kPlayers = 8;
constexpr std::uint64_t kGame = 0x5EED5EED5EED5EEDull;

template <typename Work>
double TimedUs(Work work) {
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

// One SHA-512 of `bytes`, in microseconds, over enough runs to be read.
double Sha512Us(const std::uint8_t* bytes, std::size_t size) {
    std::array<std::uint8_t, crypto_hash_sha512_BYTES> out;
    int runs = 0;
    const double total = TimedUs([&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
        for (; std::chrono::steady_clock::now() < end; ++runs) {
            crypto_hash_sha512(out.data(), bytes, size);
            benchmark::DoNotOptimize(out);
        }
    });
    return total / runs;
}

void Report(benchmark::State& state, double totalUs, double shaUs, std::size_t bytes) {
    const double us = totalUs / static_cast<double>(state.iterations());
    state.counters["sha512_us"] = shaUs;
    state.counters["x_sha512"] = us / shaUs;
    state.counters["bytes"] = static_cast<double>(bytes);
}

// A player's turn: steps, constructions and their sites, as a game has them.
std::vector<Order> TurnOrders(std::uint8_t player) {
    std::vector<Order> orders;
    for (int i = 0; i < kOrders - 1; ++i) {
        const auto n = static_cast<std::int16_t>(i);
        switch (i % 4) {
            case 0: orders.push_back({player, cmd::Step{n, static_cast<std::int16_t>(n + 1), 7}}); break;
            case 1: orders.push_back({player, cmd::StartConstruction{n, 12, 3, 1}}); break;
            case 2: orders.push_back({player, cmd::MoveSite{n, 9}}); break;
            default: orders.push_back({player, cmd::ConfirmSite{}}); break;
        }
    }
    orders.push_back({player, cmd::EndTurn{}});
    return orders;
}

TurnSignature Header(std::uint8_t player) { return {player, 40, 0x1111ull * player, 0x2222ull * player, {}}; }

void BM_HashPassword(benchmark::State& state) {
    const std::string password = "Пароль игрока 1";
    double total = 0;
    for (auto _ : state)
        total += TimedUs([&] {
            if (!HashPassword(password)) std::abort();
        });
    Report(state, total, Sha512Us(reinterpret_cast<const std::uint8_t*>(password.data()), password.size()),
           password.size());
    state.counters["ms"] = total / 1000.0 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_HashPassword)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SignTurn(benchmark::State& state) {
    const KeyPair pair = NewKeyPair();
    const std::vector<Order> orders = TurnOrders(1);
    double total = 0;
    for (auto _ : state)
        total += TimedUs([&] { benchmark::DoNotOptimize(SignTurn(pair.secretKey, kGame, Header(1), orders)); });
    const std::vector<std::uint8_t> bytes = TurnBytes(kGame, Header(1), orders);
    Report(state, total, Sha512Us(bytes.data(), bytes.size()), bytes.size());
}
BENCHMARK(BM_SignTurn)->Unit(benchmark::kMicrosecond);

void BM_VerifyTurn(benchmark::State& state) {
    const KeyPair pair = NewKeyPair();
    const std::vector<Order> orders = TurnOrders(1);
    const TurnSignature turn = SignTurn(pair.secretKey, kGame, Header(1), orders);
    double total = 0;
    for (auto _ : state)
        total += TimedUs([&] {
            if (!VerifyTurn(pair.publicKey, kGame, turn, orders)) std::abort();
        });
    const std::vector<std::uint8_t> bytes = TurnBytes(kGame, turn, orders);
    Report(state, total, Sha512Us(bytes.data(), bytes.size()), bytes.size());
}
BENCHMARK(BM_VerifyTurn)->Unit(benchmark::kMicrosecond);

// A round as the next player receives it: every player's turn checked
// against that player's key.
void BM_VerifyRound(benchmark::State& state) {
    struct Signed {
        PublicKey key;
        std::vector<Order> orders;
        TurnSignature turn;
    };
    std::vector<Signed> round;
    std::vector<std::uint8_t> allBytes;
    for (std::uint8_t p = 1; p <= kPlayers; ++p) {
        const KeyPair pair = NewKeyPair();
        std::vector<Order> orders = TurnOrders(p);
        const TurnSignature turn = SignTurn(pair.secretKey, kGame, Header(p), orders);
        const std::vector<std::uint8_t> bytes = TurnBytes(kGame, turn, orders);
        allBytes.insert(allBytes.end(), bytes.begin(), bytes.end());
        round.push_back({pair.publicKey, std::move(orders), turn});
    }
    double total = 0;
    for (auto _ : state)
        total += TimedUs([&] {
            for (const Signed& s : round)
                if (!VerifyTurn(s.key, kGame, s.turn, s.orders)) std::abort();
        });
    Report(state, total, Sha512Us(allBytes.data(), allBytes.size()), allBytes.size());
}
BENCHMARK(BM_VerifyRound)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
