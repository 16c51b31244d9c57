// Opening a saved game named from outside the window (the command line).
#include <QDir>
#include <QFileInfo>

#include "ui/MainWindow.h"

namespace tarq {

bool TMainForm::OpenGameFile(const QString& path) {
    const QFileInfo file(path);
    QString cause;
    if (!file.exists())
        cause = QStringLiteral("файл не найден");
    else if (!file.isFile() || !file.isReadable())
        cause = QStringLiteral("файл не читается");
    else  // the game-file loader is not part of this build yet
        cause = QStringLiteral("эта версия игры не умеет загружать сохраненные игры");
    ShowMessage(QStringLiteral("Не удалось открыть файл игры \"%1\": %2.").arg(QDir::toNativeSeparators(path), cause));
    return false;
}

}  // namespace tarq
