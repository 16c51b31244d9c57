#include "gamefile/Autosave.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "gamefile/GameFile.h"

namespace tarq {

namespace {

std::filesystem::path Native(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Moves `from` over `to`; a missing `from` is nothing to move.
bool MoveOver(const QString& from, const QString& to) {
    if (!QFile::exists(from)) return true;
    std::error_code error;
    std::filesystem::rename(Native(from), Native(to), error);
    return !error;
}

}  // namespace

QString SavesFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarq/saves");
}

QString AutosaveFileName(int n) {
    return QStringLiteral("autosave-%1%2").arg(n).arg(QLatin1String(kGameFileSuffix));
}

Autosave::Result Autosave::Write(const Game& game) {
    if (!HasSavableMap(game)) return {};
    const QDir dir(folder_);
    const QString newest = dir.filePath(AutosaveFileName(1));
    if (!dir.mkpath(QStringLiteral(".")))
        return Fail(
            GameFileMessage(GameFileProblem::CannotWrite, newest,
                            QStringLiteral("не удалось создать папку «%1»").arg(QDir::toNativeSeparators(folder_))));
    // The new game first, complete and on disk, under a name of its own.
    const QString incoming = newest + QStringLiteral(".new");
    const SavedGameFile saved = WriteFileAtomically(WriteGameFile(game), incoming);
    if (!saved) return Fail(GameFileMessage(GameFileProblem::CannotWrite, newest, saved.cause));
    // Then each file moves one place down; renaming over a name replaces it at once.
    for (int n = kAutosaveCount - 1; n >= 1; --n)
        if (!MoveOver(dir.filePath(AutosaveFileName(n)), dir.filePath(AutosaveFileName(n + 1))))
            return Fail(GameFileMessage(GameFileProblem::CannotWrite, newest,
                                        QStringLiteral("не удалось переименовать прежние автосохранения")));
    if (!MoveOver(incoming, newest))
        return Fail(GameFileMessage(GameFileProblem::CannotWrite, newest,
                                    QStringLiteral("не удалось переименовать новый файл")));
    failureReported_ = false;
    return {true, {}};
}

Autosave::Result Autosave::Fail(const QString& message) {
    Result result;
    if (!failureReported_) result.message = message;
    failureReported_ = true;
    return result;
}

}  // namespace tarq
