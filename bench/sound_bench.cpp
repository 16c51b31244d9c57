// What sound costs the frame: the render benchmark's still frame (its scene of
// RenderWorld.h on a 1024 x 768 surface, drawn by the drawing tick: animation
// step, clear, frame into the kept buffer) and a burst of 20 sound triggers,
// as a burst of overwatch fire would make, at the zooms 5, 50 and 120. Each
// trigger goes the window's way: an order's outcome (steps, selections,
// finished constructions across the map, refusals) through the mapping to its
// sounds, with the view's centre and size, into the player; the
// frame with a burst costs their sum, as both run on the drawing thread. The player runs with its real effects
// (on a machine without an audio device they start nothing audible, as in the
// tests) and with the defaults, which make no effects there. The player's
// clock jumps a second each frame, so every burst finds the voices free and
// starts as many sounds as the limits let. CPU time of the drawing thread
// (wall time in brackets), the measurements taking turns frame by frame; the
// ratios are to the still frame of the same run.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "BenchApplication.h"
#include "RenderWorld.h"
#include "audio/OutcomeSounds.h"
#include "audio/SoundPlayer.h"
#include "audio/Wav.h"
#include "view/Animation.h"
#include "view/BackBuffer.h"
#include "view/Renderer.h"

namespace {

using namespace tarq;
using namespace tarq::bench;
namespace fs = std::filesystem;

constexpr int kScales[] = {5, 50, 120};
constexpr int kBurst = 20;

// The sound folder: every sound of the set a second of quiet tone.
const fs::path& SoundFolder() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("tarq-sound-bench-" + std::to_string(::getpid()));
        fs::create_directories(d);
        const std::vector<std::uint8_t> bytes =
            EncodeWav({kSoundSampleRate, std::vector<std::int16_t>(kSoundSampleRate, 100)});
        for (const SoundFile& entry : kSoundFiles) {
            std::FILE* f = std::fopen((d / entry.file).c_str(), "wb");
            if (!f) continue;
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        return d;
    }();
    return dir;
}

struct Fixture {
    std::unique_ptr<Game> game = MakeWorld();
    ImageList images = MakeImages();
    BackBuffer kept{kSurfaceW, kSurfaceH};
    FrameCache cache;
    std::int64_t now = 0;
    std::unique_ptr<SoundPlayer> withEffects, defaults;

    Fixture() {
        SoundLimits real;
        real.effectsWithoutDevice = true;
        withEffects = std::make_unique<SoundPlayer>(SoundFolder(), real, [this] { return now; });
        defaults = std::make_unique<SoundPlayer>(SoundFolder(), SoundLimits{}, [this] { return now; });
        withEffects->SetEnabled(true);
        defaults->SetEnabled(true);
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void Tick(Fixture& f) {
    AdvanceAnimations(*f.game);
    f.kept.Clear(0xFF000000u);
    RenderFrame(*f.game, f.images, f.kept, f.cache);
    f.kept.TakeChanges();
    benchmark::DoNotOptimize(f.kept.Pixels().pixels.data());
}

struct Trigger {
    Command command;
    Outcome out;
};

// Twenty outcomes of the kinds that sound, events spread across the map so
// their volumes differ.
const std::vector<Trigger>& Triggers() {
    static const std::vector<Trigger> triggers = [] {
        std::vector<Trigger> list;
        for (int i = 0; i < kBurst; ++i) {
            Outcome out;
            out.accepted = i % 5 != 4;
            out.reason = out.accepted ? "" : "Нет ходов";
            const auto at = static_cast<i16>(1 + 7 * i);
            Command command = cmd::Step{1, at, at};
            if (i % 5 == 1) {
                command = cmd::Select{static_cast<i16>(i)};
                out.selectionChanged = true;
            } else if (i % 5 == 2 || i % 5 == 3) {
                command = cmd::ChooseExit{at, at};
                out.events.push_back({EventKind::ConstructionFinished, 1, at, at, 40, 0});
            } else {
                out.events.push_back({EventKind::Moved, 1, at, at, 3, 0});
            }
            list.push_back({command, out});
        }
        return list;
    }();
    return triggers;
}

// The twenty triggers as the window plays them after each order.
int Burst(Fixture& f, SoundPlayer& player) {
    f.now += 1000;
    int started = 0;
    for (const Trigger& t : Triggers())
        for (const SoundCue& cue : OutcomeSounds(t.command, t.out, SoundViewOf(*f.game)))
            started += player.Play(cue.sound, cue.volume);
    return started;
}

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

double WallMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Figure {
    double cpu = 0, wall = 0;
};

constexpr const char* kColumns[] = {"still", "burst", "burst, defaults"};

// By zoom and measurement; the lowest of repeated runs, as on a shared
// machine the other programs only ever add time.
std::map<int, std::map<std::string, Figure>>& Results() {
    static std::map<int, std::map<std::string, Figure>> results;
    return results;
}

// The measurements take turns frame by frame in a shuffled order, so a
// change in the machine's load or the animations' phase falls on all alike.
void BM_Frames(benchmark::State& state) {
    Fixture& f = Shared();
    const int scale = static_cast<int>(state.range(0));
    SetScale(*f.game, scale);
    Tick(f);
    const std::function<void()> parts[] = {
        [&] { Tick(f); },
        [&] { benchmark::DoNotOptimize(Burst(f, *f.withEffects)); },
        [&] { benchmark::DoNotOptimize(Burst(f, *f.defaults)); },
    };
    Figure sums[3];
    std::array<int, 3> order{0, 1, 2};
    std::minstd_rand rng(1);
    for (auto _ : state) {
        std::shuffle(order.begin(), order.end(), rng);
        for (int k : order) {
            const double cpu = ThreadCpuMs(), wall = WallMs();
            parts[k]();
            sums[k].cpu += ThreadCpuMs() - cpu;
            sums[k].wall += WallMs() - wall;
        }
    }
    const double n = static_cast<double>(state.iterations());
    for (int k = 0; k < 3; ++k) {
        const Figure now{sums[k].cpu / n, sums[k].wall / n};
        auto [it, fresh] = Results()[scale].try_emplace(kColumns[k], now);
        if (!fresh) it->second = {std::min(it->second.cpu, now.cpu), std::min(it->second.wall, now.wall)};
    }
}

void PrintTable() {
    std::printf(
        "\nms per frame, CPU of the drawing thread (wall in brackets); the frame with a burst is the\n"
        "still frame followed by the burst on the same thread, so its ratio is (still + burst) / still\n");
    std::printf("%-6s %20s %20s %20s %16s %16s\n", "zoom", "still", "burst", "burst, defaults", "with burst",
                "with, defaults");
    for (auto& [scale, r] : Results()) {
        std::printf("%-6d", scale);
        for (const char* c : kColumns) std::printf(" %9.4f (%8.4f)", r[c].cpu, r[c].wall);
        const double still = r["still"].cpu;
        std::printf(" %15.3fx %15.3fx\n", (still + r["burst"].cpu) / still, (still + r["burst, defaults"].cpu) / still);
    }
    Fixture& f = Shared();
    std::printf("a burst of %d triggers starts %d sounds\n", kBurst, Burst(f, *f.withEffects));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tarq::bench::Application();
    for (int scale : kScales)
        benchmark::RegisterBenchmark("Frames", BM_Frames)->Arg(scale)->Unit(benchmark::kMillisecond)->Repetitions(3);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintTable();
    // The effects go before Qt's own globals do at exit.
    Shared().withEffects.reset();
    Shared().defaults.reset();
    benchmark::Shutdown();
    fs::remove_all(SoundFolder());
    return 0;
}
