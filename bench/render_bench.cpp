// Frame rendering cost on a fixed 400 x 400 world seen on a 1024 x 768
// surface, at the zooms 5, 15, 50, 100 and 120. For each zoom, in the same run:
// - baselines: (a) "literal", the pre-scaled blitter drawing every shown layer
//   of every cell of the drawn range each frame onto a cleared buffer, with no
//   cell cache; (b) "qpainter", one QPainter::drawImage per cell and layer from
//   sheets in an opaque format where they have no colour key, with the opacity
//   set only for the pulsing pictures; (c) memset and memcpy of the frame;
// - the renderer as the drawing tick runs it (animation step, clear, frame into
//   the kept back buffer): a still frame, a panning frame (the view one column
//   further each frame), a zoom step (the first frame at a scale whose patterns
//   are not scaled yet) and continuous zooming (a different scale each frame,
//   wheel notches back and forth around the zoom), and the panning frame of a
//   game of two players ("team pan": every other object the second player's,
//   drawn from the image list's copies of the team sheets in their colour);
// then a table of milliseconds and of ratios to (a) and to memcpy.
//
// The world (RenderWorld.h) is built from a seeded random source (terrain,
// deposits with geology shown, objects of every type, connectors, ready
// markers, a pulsing site) with synthetic sheets of the real pattern sizes, so
// the figures do not depend on the map generator, the object factory or the
// picture files.
//
// The same surface on a high-density screen (a scale factor of 2, so 2048 x
// 1536 device pixels, which the view is computed in) is measured too: still
// and panning frames against memcpy of that frame and the 60 Hz frame budget.
//
// With --window the program also shows the frames in a real window (run it
// under Xvfb) and reports frames per second for render and present.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "RenderWorld.h"
#include "core/Random.h"
#include "core/TypeSetup.h"
#include "core/World.h"
#include "view/Animation.h"
#include "view/Blitter.h"
#include "view/Overlays.h"
#include "view/Renderer.h"
#include "view/ScaledPatterns.h"
#include "view/Viewport.h"

namespace {

using namespace tarq;
using namespace tarq::bench;

constexpr int kScales[] = {5, 15, 50, 100, 120};

// ---- the straightforward renderer -------------------------------------------

// Sheets without a colour key in an opaque format, so QPainter copies them
// without blending; keyed ones premultiplied with the key made transparent.
std::vector<QImage> QtSheets(const ImageList& images) {
    std::vector<QImage> sheets;
    for (int i = 0; i < images.count(); ++i) {
        const ImageItem& it = images[i];
        QImage img(it.picture.width, it.picture.height,
                   it.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        for (int y = 0; y < it.picture.height; ++y)
            for (int x = 0; x < it.picture.width; ++x) {
                const Pixel p = it.picture.at(x, y);
                img.setPixel(x, y, it.transparent && p == it.transparentColour ? 0u : p);
            }
        sheets.push_back(std::move(img));
    }
    return sheets;
}

// draw(column, row, layer, mayPulse) for layers 1 to 7 of every cell of the
// drawn range in order, then layer 8 while the ready markers are on.
template <typename Draw>
void ForEachLayer(const Game& game, const FrameGeometry& g, Draw draw) {
    for (int c = g.firstCol; c <= g.lastCol; ++c)
        for (int r = g.firstRow; r <= g.lastRow; ++r)
            for (int layer = 1; layer <= 7; ++layer) draw(c, r, layer, true);
    if (game.ReadyLayerOn == 1)
        for (int c = g.firstCol; c <= g.lastCol; ++c)
            for (int r = g.firstRow; r <= g.lastRow; ++r) draw(c, r, 8, false);
}

// The same frame with one drawImage per shown layer of every drawn cell.
void RenderWithQPainter(const Game& game, const ImageList& images, const std::vector<QImage>& sheets, QImage& target) {
    const FrameGeometry g = ComputeFrameGeometry(game);
    const PulseState pulse = CurrentPulse(game);
    QPainter painter(&target);
    auto draw = [&](int c, int r, int layer, bool mayPulse) {
        const TSpriteRef& s = game.Map(c, r).Layers[layer];
        if (s.show == 0 || !images.has(s.idU) || !images[s.idU].hasPattern(s.Spr)) return;
        const ImageItem& it = images[s.idU];
        const bool blend = mayPulse && pulse.active && pulse.Has(s.id);
        if (blend) painter.setOpacity(pulse.alpha / 255.0);
        painter.drawImage(QRect(g.CellX(c), g.CellY(r), g.size, g.size), sheets[s.idU],
                          QRect(it.patternX(s.Spr), it.patternY(s.Spr), it.patternWidth, it.patternHeight));
        if (blend) painter.setOpacity(1.0);
    };
    ForEachLayer(game, g, draw);
}

// The frame as written down: every shown layer of every cell of the drawn
// range from the pre-scaled patterns, no cell cache.
void RenderLiteral(const Game& game, const ImageList& images, ScaledPatterns& patterns, Bitmap& target) {
    const FrameGeometry g = ComputeFrameGeometry(game);
    const PulseState pulse = CurrentPulse(game);
    patterns.Prepare(images, g.size);
    const ClipRect clip = WholeBitmap(target);
    auto draw = [&](int c, int r, int layer, bool mayPulse) {
        const TSpriteRef& s = game.Map(c, r).Layers[layer];
        if (s.show == 0) return;
        const ScaledPattern* p = patterns.Get(images, s.idU, s.Spr);
        if (p == nullptr) return;
        if (mayPulse && pulse.active && pulse.Has(s.id))
            BlitScaledBlended(target, *p, g.CellX(c), g.CellY(r), pulse.alpha, clip);
        else
            BlitScaled(target, *p, g.CellX(c), g.CellY(r), clip);
    };
    ForEachLayer(game, g, draw);
}

// ---- measurements ------------------------------------------------------------

struct Fixture {
    std::unique_ptr<Game> game = MakeWorld();
    ImageList images = MakeImages();
    std::vector<QImage> sheets = QtSheets(images);
    Bitmap back{kSurfaceW, kSurfaceH};
    Bitmap source{kSurfaceW, kSurfaceH, 0xFF203040u};  // what memcpy copies
    BackBuffer kept{kSurfaceW, kSurfaceH};
    FrameCache cache;
    ScaledPatterns literalPatterns;
    ImageList teamImages;  // `images` with the team copies of two players
    FrameCache teamCache;
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

// Milliseconds per frame of each measurement, by scale.
std::map<int, std::map<std::string, double>>& Results() {
    static std::map<int, std::map<std::string, double>> results;
    return results;
}

// CPU time of this thread: the machine is shared, so wall time also counts
// other programs' turns on the processor.
double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Keeps the lowest of repeated runs (--benchmark_repetitions): on a shared
// machine the other programs only ever add time.
void Record(int scale, const std::string& what, double cpuMs, double wallMs, benchmark::IterationCount n) {
    auto keep = [&](const std::string& key, double v) {
        auto [it, fresh] = Results()[scale].try_emplace(key, v);
        if (!fresh) it->second = std::min(it->second, v);
    };
    keep(what, cpuMs / static_cast<double>(n));
    keep(what + " wall", wallMs / static_cast<double>(n));
}

// Frames at one zoom, each made by `frame`; one frame first to settle.
template <typename Frame>
void Measure(benchmark::State& state, const std::string& what, Frame frame, int surfaceW = kSurfaceW,
             int surfaceH = kSurfaceH) {
    Fixture& f = Shared();
    const int scale = static_cast<int>(state.range(0));
    SetScale(*f.game, scale, surfaceW, surfaceH);
    frame();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuMs();
    for (auto _ : state) frame();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    Record(scale, what, ThreadCpuMs() - cpuStart, ms, state.iterations());
}

// The drawing tick of the window: animation step, clear, frame into the kept buffer.
void Tick(Fixture& f, BackBuffer& kept, FrameCache& cache, const ImageList* images = nullptr) {
    AdvanceAnimations(*f.game);
    kept.Clear(0xFF000000u);
    RenderFrame(*f.game, images ? *images : f.images, kept, cache);
    kept.TakeChanges();
    benchmark::DoNotOptimize(kept.Pixels().pixels.data());
}
void Tick(Fixture& f) { Tick(f, f.kept, f.cache); }

void BM_Literal(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "literal", [&] {
        AdvanceAnimations(*f.game);
        std::memset(f.back.pixels.data(), 0, f.back.pixels.size() * sizeof(Pixel));
        RenderLiteral(*f.game, f.images, f.literalPatterns, f.back);
        benchmark::DoNotOptimize(f.back.pixels.data());
    });
}

void BM_QPainter(benchmark::State& state) {
    Fixture& f = Shared();
    QImage target(reinterpret_cast<uchar*>(f.back.pixels.data()), kSurfaceW, kSurfaceH, QImage::Format_RGB32);
    Measure(state, "qpainter", [&] {
        AdvanceAnimations(*f.game);
        std::memset(f.back.pixels.data(), 0, f.back.pixels.size() * sizeof(Pixel));
        RenderWithQPainter(*f.game, f.images, f.sheets, target);
        benchmark::DoNotOptimize(f.back.pixels.data());
    });
}

void BM_Memset(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "memset", [&] {
        std::memset(f.back.pixels.data(), 0, f.back.pixels.size() * sizeof(Pixel));
        benchmark::ClobberMemory();
    });
}

void BM_Memcpy(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "memcpy", [&] {
        std::memcpy(f.back.pixels.data(), f.source.pixels.data(), f.back.pixels.size() * sizeof(Pixel));
        benchmark::ClobberMemory();
    });
}

void BM_Still(benchmark::State& state) {
    Fixture& f = Shared();
    Measure(state, "still", [&] { Tick(f); });
}

// A still frame with all seven map overlays on, a unit in the middle of the view
// selected; with `flip`, the hits bars go on and off every frame, so the marks
// are worked out and drawn again each time.
void MeasureOverlays(benchmark::State& state, const char* what, bool flip) {
    Fixture& f = Shared();
    Game& g = *f.game;
    const TViewSettings plain = g.ViewSettings;
    const i32 selected = g.SelectedObject;
    for (u8& on : g.ViewSettings.Overlays.On) on = 1;
    bool chosen = false;
    Measure(state, what, [&] {
        if (!chosen) {  // the unit nearest the middle of the view, at the first frame (the zoom is set)
            chosen = true;
            int best = 1 << 30;
            for (int slot = 1; slot <= kMaxObjects; ++slot) {
                const TGameObject& o = std::as_const(g).World.Objects[slot];
                const int d = std::abs(o.Cells[1].col - (g.ViewSettings.FirstCol + g.VisibleCols / 2)) +
                              std::abs(o.Cells[1].row - (g.ViewSettings.FirstRow + g.VisibleRows / 2));
                if (SlotInUse(o) && o.Stats.Range > 0 && d < best) best = d, g.SelectedObject = slot;
            }
        }
        if (flip) ToggleOverlay(g, MapOverlay::Hits);
        Tick(f);
    });
    if (!flip) Results()[static_cast<int>(state.range(0))]["marks"] = static_cast<double>(f.cache.OverlayMarks());
    g.ViewSettings.Overlays = plain.Overlays;
    g.SelectedObject = selected;
}

void BM_Overlays(benchmark::State& state) { MeasureOverlays(state, "overlays", false); }
void BM_OverlaysFlipped(benchmark::State& state) { MeasureOverlays(state, "flipped", true); }

// The view moves one column each frame, back and forth over 20 columns.
void BM_Pan(benchmark::State& state) {
    Fixture& f = Shared();
    int step = 0;
    Measure(state, "pan", [&] {
        const int phase = step++ % 40;
        f.game->ViewSettings.FirstCol = static_cast<i16>(f.game->ViewSettings.FirstCol + (phase < 20 ? 1 : -1));
        Tick(f);
    });
    SetScale(*f.game, static_cast<int>(state.range(0)));
}

// As BM_Pan in a game of two players. The other measurements draw from
// `images`, which holds no team copies, so the second player changes nothing
// for them.
void BM_TeamPan(benchmark::State& state) {
    Fixture& f = Shared();
    if (f.teamImages.count() == 0) {
        Game& g = *f.game;
        g.Players.Count = 2;
        g.Players.Table[2].Number = 2;
        g.Players.Table[2].Colour = 1;
        for (int slot = 2; slot <= kMaxObjects; slot += 2)
            if (g.World.Objects[slot].Owner != 0) g.World.Objects[slot].Owner = 2;
        f.teamImages = f.images;
        f.teamImages.addTeamCopies({0, 1});
    }
    int step = 0;
    Measure(state, "team pan", [&] {
        const int phase = step++ % 40;
        f.game->ViewSettings.FirstCol = static_cast<i16>(f.game->ViewSettings.FirstCol + (phase < 20 ? 1 : -1));
        Tick(f, f.kept, f.teamCache, &f.teamImages);
    });
    SetScale(*f.game, static_cast<int>(state.range(0)));
}

// A wheel notch away from the zoom.
int Neighbour(int scale) { return scale + 2 <= 120 ? scale + 2 : scale - 2; }

// The first frame at the zoom after a frame at the neighbouring one, with no
// pattern scaled to the zoom's cell size yet (the cache's memory is kept, as
// in the window).
void BM_ZoomStep(benchmark::State& state) {
    Fixture& f = Shared();
    const int scale = static_cast<int>(state.range(0));
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.cache.Invalidate();
        SetScale(*f.game, Neighbour(scale));
        Tick(f);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        SetScale(*f.game, scale);
        Tick(f);
        cpu += ThreadCpuMs() - cpuStart;
        wall += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    Record(scale, "zoom", cpu, wall, state.iterations());
}

// A different zoom every frame: wheel notches out and back, 6 zooms apart at most.
void BM_ContinuousZoom(benchmark::State& state) {
    Fixture& f = Shared();
    const int scale = static_cast<int>(state.range(0));
    const int dir = scale + 6 <= 120 ? 2 : -2;
    static constexpr int kNotches[] = {0, 1, 2, 3, 2, 1};
    int frame = 0;
    Measure(state, "zooming", [&] {
        SetScale(*f.game, scale + dir * kNotches[frame++ % 6]);
        Tick(f);
    });
}

// ---- high-density screen ------------------------------------------------------

constexpr int kDenseW = 2 * kSurfaceW;
constexpr int kDenseH = 2 * kSurfaceH;
constexpr double kFrameBudgetMs = 1000.0 / 60.0;

// The buffers of the doubled surface, with a cell cache of their own.
struct DenseFixture {
    BackBuffer kept{kDenseW, kDenseH};
    FrameCache cache;
    Bitmap back{kDenseW, kDenseH};
    Bitmap source{kDenseW, kDenseH, 0xFF203040u};
};

DenseFixture& Dense() {
    static DenseFixture fixture;
    return fixture;
}

void BM_DenseMemcpy(benchmark::State& state) {
    DenseFixture& d = Dense();
    Measure(
        state, "2x memcpy",
        [&] {
            std::memcpy(d.back.pixels.data(), d.source.pixels.data(), d.back.pixels.size() * sizeof(Pixel));
            benchmark::ClobberMemory();
        },
        kDenseW, kDenseH);
}

void BM_DenseStill(benchmark::State& state) {
    Measure(
        state, "2x still", [] { Tick(Shared(), Dense().kept, Dense().cache); }, kDenseW, kDenseH);
}

void BM_DensePan(benchmark::State& state) {
    Fixture& f = Shared();
    int step = 0;
    Measure(
        state, "2x pan",
        [&] {
            const int phase = step++ % 40;
            f.game->ViewSettings.FirstCol = static_cast<i16>(f.game->ViewSettings.FirstCol + (phase < 20 ? 1 : -1));
            Tick(f, Dense().kept, Dense().cache);
        },
        kDenseW, kDenseH);
}

void PrintDenseTable() {
    std::printf(
        "\nhigh-density screen, %d x %d device pixels: milliseconds of CPU time per frame (wall time in"
        " brackets), ratio to memcpy of that frame, share of a 60 Hz frame (%.1f ms)\n",
        kDenseW, kDenseH, kFrameBudgetMs);
    std::printf("%-5s %-6s %17s %17s %17s %8s %8s %8s %8s\n", "scale", "cells", "2x memcpy", "2x still", "2x pan",
                "still/mc", "pan/mc", "still/60", "pan/60");
    for (int scale : kScales) {
        auto& r = Results()[scale];
        Fixture& f = Shared();
        SetScale(*f.game, scale, kDenseW, kDenseH);
        const FrameGeometry g = ComputeFrameGeometry(*f.game);
        std::printf("%-5d %-6d", scale, g.Cols() * g.Rows());
        for (const char* c : {"2x memcpy", "2x still", "2x pan"})
            std::printf(" %7.3f (%7.3f)", r[c], r[std::string(c) + " wall"]);
        std::printf(" %8.2f %8.2f %8.2f %8.2f\n", r["2x still"] / r["2x memcpy"], r["2x pan"] / r["2x memcpy"],
                    r["2x still"] / kFrameBudgetMs, r["2x pan"] / kFrameBudgetMs);
    }
}

void PrintOverlayTable() {
    std::printf(
        "\nstill frame, plain and with all seven map overlays on (marks drawn); flipped: the hits bars"
        " switched every frame, all marks worked out and drawn again: milliseconds of CPU time (wall time"
        " in brackets), ratio to plain\n%-5s %6s %17s %17s %17s %8s %8s\n",
        "scale", "marks", "plain", "overlays", "flipped", "overlays", "flipped");
    for (int scale : kScales) {
        auto& r = Results()[scale];
        std::printf("%-5d %6.0f %7.3f (%7.3f) %7.3f (%7.3f) %7.3f (%7.3f) %8.2f %8.2f\n", scale, r["marks"], r["still"],
                    r["still wall"], r["overlays"], r["overlays wall"], r["flipped"], r["flipped wall"],
                    r["overlays"] / r["still"], r["flipped"] / r["still"]);
    }
}

void PrintTable() {
    static const char* kColumns[] = {"literal", "qpainter", "memset", "memcpy", "still",
                                     "pan",     "team pan", "zoom",   "zooming"};
    std::printf(
        "\nmilliseconds of CPU time per frame, the lowest of the repetitions (wall time in brackets);"
        " literal = (a), qpainter = (b)\n");
    std::printf("%-5s %-4s %-6s", "scale", "cell", "cells");
    for (const char* c : kColumns) std::printf(" %17s", c);
    std::printf("\n");
    for (int scale : kScales) {
        auto& r = Results()[scale];
        Fixture& f = Shared();
        SetScale(*f.game, scale);
        const FrameGeometry g = ComputeFrameGeometry(*f.game);
        std::printf("%-5d %-4d %-6d", scale, g.pitch, g.Cols() * g.Rows());
        for (const char* c : kColumns) std::printf(" %7.3f (%7.3f)", r[c], r[std::string(c) + " wall"]);
        std::printf("\n");
    }
    static const char* kOurs[] = {"qpainter", "still", "pan", "team pan", "zoom", "zooming"};
    for (const char* base : {"literal", "memcpy"}) {
        std::printf("\nratio of CPU time to %s\n%-5s", base, "scale");
        for (const char* c : kOurs) std::printf(" %9s", c);
        std::printf("\n");
        for (int scale : kScales) {
            auto& r = Results()[scale];
            std::printf("%-5d", scale);
            for (const char* c : kOurs) std::printf(" %9.2f", r[c] / r[base]);
            std::printf("\n");
        }
    }
}

// ---- end to end: render and present in a window ----------------------------

class Surface : public QWidget {
public:
    explicit Surface(const Bitmap& back)
        : view_(reinterpret_cast<const uchar*>(back.pixels.data()), back.width, back.height, QImage::Format_RGB32) {
        setFixedSize(back.width, back.height);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, view_);
    }

private:
    QImage view_;
};

void MeasureWindow() {
    Fixture& f = Shared();
    Surface surface(f.back);
    surface.show();
    QApplication::processEvents();
    std::printf("\nend to end (animation, clear, RenderFrame, repaint) on %s:\n",
                qPrintable(QGuiApplication::platformName()));
    for (int scale : kScales) {
        SetScale(*f.game, scale);
        const int frames = 300;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) {
            AdvanceAnimations(*f.game);
            std::memset(f.back.pixels.data(), 0, f.back.pixels.size() * sizeof(Pixel));
            RenderFrame(*f.game, f.images, f.back, f.cache);
            surface.repaint();
            QApplication::processEvents();
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("scale %3d: %7.1f frames per second\n", scale, frames / s);
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool window = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0)
            window = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    if (!window) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int scale : kScales) {
        auto add = [scale](const char* name, void (*fn)(benchmark::State&)) {
            return benchmark::RegisterBenchmark(name, fn)->Arg(scale)->Unit(benchmark::kMillisecond);
        };
        add("Literal", BM_Literal);
        add("QPainter", BM_QPainter);
        add("Memset", BM_Memset);
        add("Memcpy", BM_Memcpy);
        add("Still", BM_Still);
        add("Overlays", BM_Overlays);
        add("OverlaysFlipped", BM_OverlaysFlipped);
        add("Pan", BM_Pan);
        add("TeamPan", BM_TeamPan);
        add("ZoomStep", BM_ZoomStep)->MinTime(0.3);
        add("ContinuousZoom", BM_ContinuousZoom);
    }
    for (int scale : kScales) {
        auto add = [scale](const char* name, void (*fn)(benchmark::State&)) {
            benchmark::RegisterBenchmark(name, fn)->Arg(scale)->Unit(benchmark::kMillisecond);
        };
        add("DenseMemcpy", BM_DenseMemcpy);
        add("DenseStill", BM_DenseStill);
        add("DensePan", BM_DensePan);
    }
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    PrintTable();
    PrintOverlayTable();
    PrintDenseTable();
    if (window) MeasureWindow();
    benchmark::Shutdown();
    return 0;
}
