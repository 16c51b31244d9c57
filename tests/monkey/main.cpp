// The window monkey's runner: random events on the real window, and after
// every event the invariant checker on the game and a look at the window.
//
//   tarq_monkey SEED EVENTS [--seeds N] [--trace] [--twice]
//
// plays EVENTS events from SEED (and from the next N - 1 seeds, each with a
// new monkey and window) in a temporary game folder whose graph/ the picture
// generator draws, and prints the figures. A fault (an invariant broken, an
// assertion, a sanitizer's report, a crash, an event that hangs) prints the
// seed and the event number; `tarq_monkey SEED EVENT --trace` replays it,
// printing every event. --twice plays every seed a second time and requires
// the same events. Exit status 1 on a fault.
#include <unistd.h>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

#include "Generator.h"
#include "Monkey.h"
#include "Output.h"
#include "control/Construction.h"
#include "core/Invariants.h"
#include "core/World.h"
#include "platform/GraphicsCacheFiles.h"
#include "ui/MainWindow.h"
#include "ui/MapPage.h"
#include "ui/UiHelpers.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

constexpr int kTraceLength = 30;        // events shown before a fault
constexpr unsigned kHangSeconds = 120;  // one event taking longer is a hang

// Where the monkey is, for the crash and hang reports.
unsigned long long g_seed = 0;
long g_event = 0;

void ReportWhere() {
    char line[160];
    const int n = std::snprintf(line, sizeof line,
                                "\nmonkey: fault at seed %llu event %ld; replay: tarq_monkey %llu %ld --trace\n",
                                g_seed, g_event, g_seed, g_event);
    if (n > 0) (void)!write(2, line, static_cast<std::size_t>(n));
}

void OnSignal(int signal) {
    if (signal == SIGALRM) (void)!write(2, "\nmonkey: an event hangs", 23);
    ReportWhere();
    std::signal(signal, SIG_DFL);
    std::raise(signal == SIGALRM ? SIGABRT : signal);
}

void InstallFaultReports() {
    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS, SIGALRM}) std::signal(s, OnSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(ReportWhere);
#endif
}

// QTest warns about every key or click a widget leaves unused, a monkey's
// events mostly are, and the offscreen platform about what it lacks.
// Everything else Qt says is shown.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    for (const char* noise : {"not accepted by receiving widget", "does not support", "XDG_RUNTIME_DIR"})
        if (type != QtFatalMsg && text.contains(QLatin1String(noise))) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg) std::abort();
}

// The game folder: graph/ drawn by the picture generator, its cache built
// once, so every window finds the cache ready and every seed plays alike;
// sounds/ by the sound generator.
bool PrepareGameFolder(const std::filesystem::path& dir) {
    std::string written = sheetgen::WriteGraph(sheetgen::DrawGraph(), dir / "graph");
    if (written.empty()) written = soundgen::WriteSounds(dir / "sounds");
    if (!written.empty()) {
        std::fprintf(stderr, "monkey: %s\n", written.c_str());
        return false;
    }
    const std::unique_ptr<tarq::Game> game = tarq::NewGame();
    tarq::InitData(*game);
    const tarq::CacheOutcome cache = tarq::EnsureGraphicsCache(*game, dir, tarq::UserCacheDir(), {});
    if (!cache.ok) std::fprintf(stderr, "monkey: %s\n", cache.error.c_str());
    return cache.ok;
}

// The invariants of the game, and the window's: the page on show has its
// tab; once launched, END TURN is enabled exactly while the game takes
// orders, and the zoom bar shows the game's zoom; no more sounds at once
// than the player's limit.
tarq::Violations Check(tarq::TMainForm& form) {
    tarq::Violations found = tarq::CheckInvariants(form.game());
    if (const tarq::SoundPlayer* sound = form.soundPlayer(); sound && sound->Sounding() > tarq::SoundLimits{}.overall)
        found.push_back(std::to_string(sound->Sounding()) + " sounds at once");
    if (found.empty()) found = tarq::CheckSight(form.game());
    if (!form.isVisible()) return found;
    const tarq::Game& g = form.game();
    const QTabWidget* pages = form.PageControl1;
    const int page = pages->currentIndex();
    if (!pages->isTabVisible(page) || !pages->isTabEnabled(page))
        found.push_back("page " + std::to_string(page) + " is on show without its tab");
    if (!pages->isTabVisible(tarq::kPageMap)) return found;
    const tarq::MapPage* map = form.mapPage();
    if (map->ENDTURN->isEnabled() != tarq::EndTurnEnabled(g))
        found.push_back("END TURN enabled " + std::to_string(map->ENDTURN->isEnabled()) + " in click mode " +
                        std::to_string(g.ClickMode));
    if (map->SScale->value() != g.ViewSettings.Scale)
        found.push_back("zoom bar at " + std::to_string(map->SScale->value()) + ", zoom " +
                        std::to_string(g.ViewSettings.Scale));
    return found;
}

struct Figures {
    long events = 0, inPlay = 0;
    bool sound = true;
    std::size_t digest = 0;  // of every event's description
};

Figures Play(unsigned long long seed, long events, bool trace, const std::filesystem::path& dir, bool print = true) {
    Figures f;
    QApplication::clipboard()->clear();  // what an earlier seed copied must not reach this one
    // The window keeps its settings and its saves: every play starts with
    // none, in folders of its own, never the user's.
    static int plays = 0;
    const std::string play = std::to_string(++plays);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString((dir / ("settings-" + play)).string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / ("data-" + play)).string()));
    tarq::monkey::Monkey monkey(seed, dir);
    std::deque<std::string> last;
    g_seed = seed;
    for (long k = 1; k <= events; ++k) {
        g_event = k;
        alarm(kHangSeconds);
        std::string done = std::to_string(k) + ": " + monkey.Step();
        alarm(0);
        if (trace) std::printf("%s\n", done.c_str());
        f.digest = f.digest * 31 + std::hash<std::string>{}(done);
        last.push_back(std::move(done));
        if (last.size() > kTraceLength) last.pop_front();
        ++f.events;
        if (monkey.InPlay()) ++f.inPlay;
        const tarq::Violations violations = Check(monkey.window());
        if (violations.empty()) continue;
        std::printf("monkey: invariants broken at seed %llu event %ld\n", seed, k);
        for (const std::string& v : violations) std::printf("  %s\n", v.c_str());
        if (!trace) {
            std::printf("the events before it:\n");
            for (const std::string& line : last) std::printf("  %s\n", line.c_str());
        }
        std::printf("replay: tarq_monkey %llu %ld --trace\n", seed, k);
        f.sound = false;
        break;
    }
    if (!print) return f;
    std::printf("  events by kind:");
    for (const auto& [kind, count] : monkey.counts()) std::printf(" %s %ld;", kind.c_str(), count);
    std::printf("\n");
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tarq-monkey-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((dir / "xdg-cache").string()));
    qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);

    const QStringList args = app.arguments();
    bool numbers = args.size() >= 3;
    const unsigned long long seed = numbers ? args[1].toULongLong(&numbers) : 0;
    const long events = numbers ? args[2].toLong(&numbers) : 0;
    int seeds = 1;
    bool trace = false, twice = false;
    for (int i = 3; numbers && i < args.size(); ++i) {
        if (args[i] == QLatin1String("--trace"))
            trace = true;
        else if (args[i] == QLatin1String("--twice"))
            twice = true;
        else if (args[i] == QLatin1String("--seeds") && i + 1 < args.size())
            seeds = args[++i].toInt(&numbers);
        else
            numbers = false;
    }
    if (!numbers || events <= 0 || seeds <= 0) {
        std::fprintf(stderr, "usage: %s SEED EVENTS [--seeds N] [--trace] [--twice]\n", argv[0]);
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (!PrepareGameFolder(dir)) return 1;
    InstallFaultReports();

    long total = 0, inPlay = 0;
    int faults = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int s = 0; s < seeds; ++s) {
        const unsigned long long runSeed = seed + static_cast<unsigned long long>(s);
        const auto t0 = std::chrono::steady_clock::now();
        const Figures f = Play(runSeed, events, trace, dir);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("seed %llu: %ld events, %ld in play, %.1f s, %.0f events/s%s\n", runSeed, f.events, f.inPlay,
                    seconds, static_cast<double>(f.events) / seconds, f.sound ? "" : ", FAULT");
        total += f.events;
        inPlay += f.inPlay;
        faults += f.sound ? 0 : 1;
        if (f.sound && twice && Play(runSeed, events, false, dir, false).digest != f.digest) {
            std::printf("monkey: seed %llu played again did other events\n", runSeed);
            ++faults;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("monkey: %d seeds, %ld events (%ld in play), %.1f s, %.0f events/s, %d faults\n", seeds, total, inPlay,
                seconds, static_cast<double>(total) / seconds, faults);
    std::filesystem::remove_all(dir);
    return faults == 0 ? 0 : 1;
}
