// Program entry: the application, the one main window, the message loop.
#include <QApplication>

#include "ui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarq::TMainForm window;
    window.show();
    return app.exec();
}
