// Program entry: the application, the one main window, the message loop.
#include <QApplication>
#include <QIcon>

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
    QApplication::setWindowIcon(ApplicationIcon());
    tarq::TMainForm window(tarq::FindGameFolder(std::filesystem::current_path()));
    window.show();
    return app.exec();
}
