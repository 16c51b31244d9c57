// Program entry: the application with Qt's Russian catalogue, the command
// line, and the one main window with its message loop.
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
    for (int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/tarq.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarq"));
    QApplication::setApplicationVersion(QStringLiteral(TARQ_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TARQ_APP_ID));
    QApplication::setWindowIcon(ApplicationIcon());
    // Before the command line, so --help speaks Russian too.
    if (!tarq::InstallQtRussianCatalogue(app))
        std::fputs("tarq: qtbase_ru.qm not found (package qt6-translations-l10n); Qt's own buttons stay English\n",
                   stderr);

    const tarq::CommandLine line = tarq::ParseCommandLine(app);
    const std::filesystem::path folder = tarq::FindGameFolder(std::filesystem::current_path());
    if (line.prepareGraphics) return tarq::PrepareGraphicsCommand(folder);

    tarq::TMainForm window(folder);
    window.show();
    if (!line.file.isEmpty()) window.OpenGameFile(line.file);
    return app.exec();
}
