// Speed of the graphics at launch: building the picture cache (PrepareGraphicsCache,
// five files into a scratch folder), its key (the check of every launch) and
// loading image-list items 0..14, plus the minimap picture of a 400 x 400
// map. Uses the generated graph/ folder of the build (<build>/game/graph) when
// it is there, else synthetic sheets of the generator's sizes written to a
// scratch folder; the first line says which.
// TARQ_GAME_DIR points it at another game folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "../tests/view/CacheTestSupport.h"
#include "core/Paths.h"
#include "core/World.h"
#include "platform/GraphicsCacheFiles.h"
#include "platform/SheetFiles.h"
#include "view/Viewport.h"

namespace {

using namespace tarq;
namespace fs = std::filesystem;

struct Setup {
    fs::path base;
    fs::path scratch;
    std::unique_ptr<Game> game;
};

fs::path ExecutableDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

bool HasSheets(const fs::path& base) {
    for (const char* name : {"graph\\Terrain0.bmp", "graph\\s00.bmp", "graph\\s01.bmp", "graph\\s02.bmp",
                             "graph\\S03.bmp", "graph\\GEO.bmp", "graph\\Conn0.bmp", "graph\\Units0.bmp",
                             "graph\\Units1.bmp", "graph\\Units2.bmp", "graph\\Units3.bmp", "graph\\struct2.bmp"})
        if (!GameFileExists(name, base)) return false;
    return true;
}

Setup& TheSetup() {
    static Setup setup = [] {
        Setup s;
        s.scratch = fs::temp_directory_path() / ("tarq-graphics-bench-" + std::to_string(::getpid()));
        fs::create_directories(s.scratch);
        // TARQ_GAME_DIR names another game folder (one holding graph/).
        const char* chosen = std::getenv("TARQ_GAME_DIR");
        s.base = chosen && *chosen ? fs::path(chosen) : ExecutableDir().parent_path() / "game";
        if (HasSheets(s.base)) {
            std::printf("sheets: generated folder %s\n", (s.base / "graph").c_str());
        } else {
            s.base = s.scratch / "game";
            testing::SyntheticGraph sizes;
            sizes.terrainCols = 16;
            sizes.terrainRows = 15;
            sizes.structureW = sizes.structureH = 512;
            sizes.realSizes = true;
            if (!testing::WriteSyntheticGraph(s.base, sizes)) std::abort();
            std::printf("sheets: synthetic, generator sizes, in %s\n", (s.base / "graph").c_str());
        }
        s.game = NewGame();
        InitData(*s.game);
        return s;
    }();
    return setup;
}

void BM_PrepareGraphicsCache(benchmark::State& state) {
    Setup& s = TheSetup();
    const fs::path dir = s.scratch / "tempgraph";
    for (auto _ : state) {
        const CacheOutcome outcome = PrepareGraphicsCache(*s.game, s.base, dir, {});
        if (!outcome.ok) state.SkipWithError(outcome.error.c_str());
    }
}
BENCHMARK(BM_PrepareGraphicsCache)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadImageListItems0To14(benchmark::State& state) {
    Setup& s = TheSetup();
    const fs::path dir = s.scratch / "tempgraph-load";
    if (!CacheComplete(dir) && !PrepareGraphicsCache(*s.game, s.base, dir, {}).ok) std::abort();
    ImageList list;
    for (auto _ : state) {
        const BitmapLoad loaded = LoadImageList(list, s.base, dir, 0, false);
        if (!loaded.ok) state.SkipWithError(loaded.error.c_str());
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_LoadImageListItems0To14)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// What every launch pays to learn whether the cache is current.
void BM_GraphicsCacheKey(benchmark::State& state) {
    Setup& s = TheSetup();
    for (auto _ : state) benchmark::DoNotOptimize(GraphicsCacheKey(s.base));
}
BENCHMARK(BM_GraphicsCacheKey)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RebuildMinimap400(benchmark::State& state) {
    Game& game = *TheSetup().game;
    game.World.MapWidth = game.World.MapHeight = 400;
    for (int c = 1; c <= 400; ++c)
        for (int r = 1; r <= 400; ++r) game.World.Terrain(c, r) = static_cast<u8>((c * 7 + r) % 238);
    const Bitmap palette(16 * 17 + 1, 1, 0xFF336699u);
    for (auto _ : state) benchmark::DoNotOptimize(RebuildMinimap(game, palette).pixels.data());
}
BENCHMARK(BM_RebuildMinimap400)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the notices need fonts
    benchmark::Initialize(&argc, argv);
    TheSetup();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(TheSetup().scratch, ec);
    return 0;
}
