// Program entry: the application object the command line needs (none with a
// display for --help, --version and --prepare-graphics), Qt's Russian
// catalogue, and the one main window with its message loop.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "desktop/CommandLine.h"
#include "desktop/QtCatalogue.h"
#include "platform/GameFolders.h"
#include "ui/MainWindow.h"

namespace {

// The application icon in every size built into the executable (none when
// the build had no icon generator).
QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/tarq.png").arg(size), QSize(size, size));
    return icon;
}

void NameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("tarq"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARQ_VERSION));
}

// Before the command line, so --help speaks Russian too.
void InstallCatalogue(QCoreApplication& app) {
    if (!tarq::InstallQtRussianCatalogue(app))
        std::fputs("tarq: qtbase_ru.qm not found (package qt6-translations-l10n); Qt's own buttons stay English\n",
                   stderr);
}

// --help and --version: printed by the parser, which then ends the program.
int AnswerInConsole(int& argc, char** argv) {
    QCoreApplication app(argc, argv);
    NameApplication();
    InstallCatalogue(app);
    tarq::ParseCommandLine(app);
    return 0;
}

// --prepare-graphics: the notices are drawn with Qt's fonts, which need a GUI
// application but no screen, so Qt's offscreen platform serves wherever the
// command runs (over ssh, in a package script).
int PrepareGraphicsOffscreen(int& argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    NameApplication();
    tarq::ParseCommandLine(app);  // a second file is refused here too
    return tarq::PrepareGraphicsCommand(tarq::FindGameFolder(std::filesystem::current_path()));
}

int RunWindow(int& argc, char** argv) {
    QApplication app(argc, argv);
    NameApplication();
    // The desktop entry's id: docks match the window to its launcher by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TARQ_APP_ID));
    QApplication::setWindowIcon(ApplicationIcon());
    InstallCatalogue(app);

    const tarq::CommandLine line = tarq::ParseCommandLine(app);
    const std::filesystem::path folder = tarq::FindGameFolder(std::filesystem::current_path());
    // Reached with Qt's own options too (tarq -platform offscreen --prepare-graphics).
    if (line.prepareGraphics) return tarq::PrepareGraphicsCommand(folder);
    tarq::TMainForm window(folder);
    window.UseSound(folder / "sounds");
    window.show();
    if (!line.file.isEmpty()) window.OpenGameFile(line.file);
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    switch (tarq::KindOfLaunch(argc, argv)) {
        case tarq::LaunchKind::Console: return AnswerInConsole(argc, argv);
        case tarq::LaunchKind::Offscreen: return PrepareGraphicsOffscreen(argc, argv);
        case tarq::LaunchKind::Window: break;
    }
    return RunWindow(argc, argv);
}
