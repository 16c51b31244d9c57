// What sound costs the frame: the still frame of the render benchmark's
// surface (1024 x 768, a 400 x 400 world of terrain at zoom 50, drawn by the
// drawing tick: animation step, clear, frame into the kept buffer), alone and
// followed by a burst of 20 sound triggers, as a burst of overwatch fire
// would make; and the 20 triggers alone. The player runs with its real
// effects (on a machine without an audio device, as the tests do) and with
// the defaults, which make no effects there. The clock of the player jumps a
// second each frame, so every burst finds the voices free and starts as many
// sounds as the limits let. Prints a table of milliseconds and ratios to the
// still frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <unistd.h>

#include "BenchApplication.h"
#include "audio/SoundPlayer.h"
#include "audio/Wav.h"
#include "core/Random.h"
#include "core/World.h"
#include "view/Animation.h"
#include "view/Renderer.h"
#include "view/Viewport.h"

namespace {

using namespace tarq;
namespace fs = std::filesystem;

constexpr int kSurfaceW = 1024, kSurfaceH = 768, kMapSize = 400, kScale = 50, kTerrainCodes = 40, kBurst = 20;

ImageList TerrainImages() {
    RandomSource rng([] { return 7u; });
    rng.Reseed();
    ImageList list;
    for (int i = 0; i < 4; ++i) list.append();
    Bitmap sheet(64 * 16, 64 * 8);
    for (Pixel& p : sheet.pixels) p = 0xFF000000u | static_cast<Pixel>(rng.Random(0x1000000));
    SetSheet(list.append(), std::move(sheet), 64, 64, false);
    return list;
}

std::unique_ptr<Game> TerrainWorld() {
    auto game = NewGame();
    InitData(*game);
    RandomSource rng([] { return 20261207u; });
    rng.Reseed();
    game->World.MapWidth = game->World.MapHeight = kMapSize;
    for (int c = 1; c <= kMapSize; ++c)
        for (int r = 1; r <= kMapSize; ++r)
            game->Map(c, r).Layers[kLayerTerrain] = {4, static_cast<i16>(rng.Random(kTerrainCodes)), 0, 0, 1};
    TViewSettings& v = game->ViewSettings;
    v.Scale = kScale;
    UpdateViewGeometry(*game, kSurfaceW, kSurfaceH);
    v.ViewCenterCol = v.ViewCenterRow = kMapSize / 2;
    v.ScreenCenterX = kSurfaceW / 2;
    v.ScreenCenterY = kSurfaceH / 2;
    v.FirstCol = static_cast<i16>(v.ViewCenterCol - game->VisibleCols / 2);
    v.FirstRow = static_cast<i16>(v.ViewCenterRow - game->VisibleRows / 2);
    v.ViewOffsetX = static_cast<i16>(v.ScreenCenterX - game->CellPixels * (game->VisibleCols / 2));
    v.ViewOffsetY = static_cast<i16>(v.ScreenCenterY - game->CellPixels * (game->VisibleRows / 2));
    return game;
}

// The sound folder: every sound of the set a second of quiet tone.
fs::path SoundFolder() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("tarq-sound-bench-" + std::to_string(::getpid()));
        fs::create_directories(d);
        const WavSound tone{kSoundSampleRate, std::vector<std::int16_t>(kSoundSampleRate, 100)};
        const std::vector<std::uint8_t> bytes = EncodeWav(tone);
        for (const SoundFile& entry : kSoundFiles) {
            std::FILE* f = std::fopen((d / entry.file).c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        return d;
    }();
    return dir;
}

struct Fixture {
    std::unique_ptr<Game> game = TerrainWorld();
    ImageList images = TerrainImages();
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
    ~Fixture() { fs::remove_all(SoundFolder()); }
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

// Twenty shots of mixed weapons, hits and explosions, at varying volumes.
int Burst(Fixture& f, SoundPlayer& player) {
    f.now += 1000;
    int started = 0;
    for (int i = 0; i < kBurst; ++i) started += player.Play(Sound(i % 8), 0.3 + 0.035 * i);
    return started;
}

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The lowest of repeated runs: on a shared machine the others only add time.
std::map<std::string, double>& Results() {
    static std::map<std::string, double> results;
    return results;
}

template <typename Frame>
void Measure(benchmark::State& state, const std::string& what, Frame frame) {
    frame();
    const double start = ThreadCpuMs();
    for (auto _ : state) frame();
    const double ms = (ThreadCpuMs() - start) / static_cast<double>(state.iterations());
    auto [it, fresh] = Results().try_emplace(what, ms);
    if (!fresh) it->second = std::min(it->second, ms);
}

void BM_Still(benchmark::State& state) {
    Measure(state, "still", [] { Tick(Shared()); });
}

void BM_StillAndBurst(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "still + burst", [&] {
        Tick(f);
        benchmark::DoNotOptimize(Burst(f, *f.withEffects));
    });
}

void BM_StillAndBurstNoEffects(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "still + burst, defaults", [&] {
        Tick(f);
        benchmark::DoNotOptimize(Burst(f, *f.defaults));
    });
}

void BM_Burst(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "burst", [&] { benchmark::DoNotOptimize(Burst(f, *f.withEffects)); });
}

void PrintTable() {
    const double still = Results()["still"];
    std::printf("\n%-26s %12s %10s\n", "per frame (CPU time)", "ms", "/ still");
    for (const char* what : {"still", "still + burst", "still + burst, defaults", "burst"})
        std::printf("%-26s %12.5f %10.4f\n", what, Results()[what], Results()[what] / still);
    Fixture& f = Shared();
    f.now += 1000;
    std::printf("a burst of %d triggers starts %d sounds\n", kBurst, Burst(f, *f.withEffects));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    tarq::bench::Application();
    const std::pair<const char*, void (*)(benchmark::State&)> benches[] = {
        {"Still", BM_Still}, {"StillAndBurst", BM_StillAndBurst}, {"StillAndBurstDefaults", BM_StillAndBurstNoEffects},
        {"Burst", BM_Burst}};
    for (const auto& [name, fn] : benches)
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->Repetitions(3);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    PrintTable();
    benchmark::Shutdown();
    return 0;
}
