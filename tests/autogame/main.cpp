// The autogame: random players drive the game through orders, as the window
// does, and after every action the invariant checker looks at the whole game;
// after every round the round's log is replayed from the state it began with
// and must reach the game's state.
//
//   tarq_autogame SEED ACTIONS [REPLAY_TO] [--seeds N] [--players N] [--hash-every N] [--save-every N] [--twice]
//
// plays ACTIONS actions from SEED (and from the next N - 1 seeds), games of
// --players players (1 to 3 at random when not given), printing the state
// hash every N actions (1000) and the figures at the end; every N actions
// (500; 0 for never), and at random points besides, the game is saved, read
// back and played on from the file. A fault (an invariant broken, a round
// whose replay goes elsewhere, a refused order that changed the game, a saved
// game that does not come back, an assertion, a sanitizer's report, a crash)
// prints the seed and the action number; the same numbers with REPLAY_TO
// replay the game up to that action, tracing the actions before it. --twice
// plays every seed a second time and requires the same hashes. Exit status 1
// on a fault.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "Player.h"
#include "core/Invariants.h"
#include "core/StateHash.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

using tarq::autogame::Player;

struct Options {
    std::uint64_t seed = 0;
    long actions = 0;
    long replayTo = 0;  // 0: no replay
    int seeds = 1;
    int players = 0;
    long hashEvery = 1000;
    long saveEvery = 500;
    bool twice = false;
};

constexpr int kTraceLength = 40;  // actions shown before a fault or the replay's end

// Where the player is, for the crash report.
std::uint64_t g_seed = 0;
long g_action = 0, g_actions = 0;

void ReportWhere() {
    char line[160];
    const int n = std::snprintf(line, sizeof line,
                                "\nautogame: fault at seed %llu action %ld; replay: tarq_autogame %llu %ld %ld\n",
                                static_cast<unsigned long long>(g_seed), g_action,
                                static_cast<unsigned long long>(g_seed), g_actions, g_action);
    if (n > 0) (void)!write(2, line, static_cast<std::size_t>(n));
}

void OnSignal(int signal) {
    ReportWhere();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void InstallFaultReports() {
    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS}) std::signal(s, OnSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(ReportWhere);
#endif
}

bool ParseOptions(int argc, char** argv, Options& o) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--twice")
            o.twice = true;
        else if (a == "--seeds" && i + 1 < argc)
            o.seeds = std::atoi(argv[++i]);
        else if (a == "--players" && i + 1 < argc)
            o.players = std::atoi(argv[++i]);
        else if (a == "--hash-every" && i + 1 < argc)
            o.hashEvery = std::atol(argv[++i]);
        else if (a == "--save-every" && i + 1 < argc)
            o.saveEvery = std::atol(argv[++i]);
        else if (a.rfind("--", 0) == 0)
            return false;
        else
            positional.push_back(a);
    }
    if (positional.size() < 2 || positional.size() > 3) return false;
    o.seed = std::strtoull(positional[0].c_str(), nullptr, 10);
    o.actions = std::atol(positional[1].c_str());
    if (positional.size() == 3) o.replayTo = std::atol(positional[2].c_str());
    return o.actions > 0 && o.seeds > 0 && o.players >= 0 && o.players <= tarq::kMaxPlayers && o.hashEvery > 0 &&
           o.saveEvery >= 0 && o.replayTo >= 0;
}

struct Run {
    bool sound = true;
    std::vector<std::uint64_t> hashes;  // at every checkpoint
    int games = 0;
};

Run Play(std::uint64_t seed, const Options& o, bool print) {
    Run run;
    Player player(seed, o.players);
    std::deque<std::string> trace;
    const long last = o.replayTo > 0 ? o.replayTo : o.actions;
    g_seed = seed;
    g_actions = o.actions;
    for (long k = 1; k <= last; ++k) {
        g_action = k;
        std::string done = player.Step();
        if (o.replayTo > 0 && k > o.replayTo - kTraceLength) std::printf("%ld: %s\n", k, done.c_str());
        trace.push_back(std::to_string(k) + ": " + std::move(done));
        if (trace.size() > kTraceLength) trace.pop_front();
        tarq::Violations violations;
        if (std::string trouble = player.TakeTrouble(); !trouble.empty()) violations.push_back(trouble);
        if (o.saveEvery > 0 && k % o.saveEvery == 0)
            if (std::string trouble = player.SaveAndLoad(); !trouble.empty()) violations.push_back(trouble);
        if (violations.empty()) violations = tarq::CheckInvariants(player.driver().game());
        // The recount of sight is a whole-map pass: every sixteenth action.
        if (violations.empty() && k % 16 == 0) violations = tarq::CheckSight(player.driver().game());
        if (!violations.empty()) {
            std::printf("autogame: a fault at seed %llu action %ld\n", static_cast<unsigned long long>(seed), k);
            for (const std::string& v : violations) std::printf("  %s\n", v.c_str());
            if (o.replayTo == 0) {
                std::printf("the actions before it:\n");
                for (const std::string& line : trace) std::printf("  %s\n", line.c_str());
                std::printf("replay: tarq_autogame %llu %ld %ld\n", static_cast<unsigned long long>(seed), o.actions,
                            k);
            }
            run.sound = false;
            break;
        }
        if (k % o.hashEvery == 0 || k == last) {
            run.hashes.push_back(tarq::StateHash(player.driver().game()));
            if (print)
                std::printf("seed %llu action %ld hash %016llx\n", static_cast<unsigned long long>(seed), k,
                            static_cast<unsigned long long>(run.hashes.back()));
        }
    }
    run.games = player.gamesStarted();
    if (print) {
        std::printf("  orders and checks:");
        for (const auto& [kind, count] : player.Events()) std::printf(" %s %ld;", kind.c_str(), count);
        std::printf("\n");
    }
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: %s SEED ACTIONS [REPLAY_TO] [--seeds N] [--players N] [--hash-every N] [--save-every N] "
                     "[--twice]\n",
                     argv[0]);
        return 2;
    }
    InstallFaultReports();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    long total = 0;
    int faults = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int s = 0; s < o.seeds; ++s) {
        const std::uint64_t seed = o.seed + static_cast<std::uint64_t>(s);
        const auto t0 = std::chrono::steady_clock::now();
        const Run run = Play(seed, o, true);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const long played = run.sound ? (o.replayTo > 0 ? o.replayTo : o.actions) : g_action;
        total += played;
        std::printf("seed %llu: %ld actions, %d games, %.1f s, %.0f actions/s%s\n",
                    static_cast<unsigned long long>(seed), played, run.games, seconds,
                    static_cast<double>(played) / seconds, run.sound ? "" : ", FAULT");
        if (!run.sound) ++faults;
        if (run.sound && o.twice && Play(seed, o, false).hashes != run.hashes) {
            std::printf("autogame: seed %llu played again reached other states\n",
                        static_cast<unsigned long long>(seed));
            ++faults;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("autogame: %d seeds, %ld actions, %.1f s, %.0f actions/s, %d faults\n", o.seeds, total, seconds,
                static_cast<double>(total) / seconds, faults);
    return faults == 0 ? 0 : 1;
}
