#include "gamefile/Autosave.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "gamefile/GameFile.h"
#include "gamefile/SafeWrite.h"

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

QString AutosaveFileName(std::uint64_t gameId, int n) {
    return QStringLiteral("autosave-%1-%2%3")
        .arg(gameId, 16, 16, QLatin1Char('0'))
        .arg(n)
        .arg(QLatin1String(kGameFileSuffix));
}

bool SomeoneLanded(const Match& game) {
    if (CurrentPlayerEntry(game).BasePlaced == 1) return true;
    for (int n = 1; n <= game.Players.Count && n <= kMaxPlayers; ++n)
        if (game.Players.Table[n].BasePlaced == 1) return true;
    return false;
}

Autosave::Result Autosave::Write(const Game& game) {
    using gamefile::WriteFailure;
    if (!HasSavableMap(game) || !SomeoneLanded(game)) return {};
    const QDir dir(folder_);
    const auto name = [&](int n) { return dir.filePath(AutosaveFileName(game.GameId, n)); };
    if (const WriteFailure made = gamefile::MakeFolder(folder_); made != WriteFailure::None)
        return Fail(name(1), gamefile::WriteFailureText(made, folder_));
    const GameFileBytes file = SavableGameFile(game);
    if (file.failure != WriteFailure::None) return Fail(name(1), file.cause);
    // The new game first, complete and checked, under a name of its own.
    gamefile::StagedFile staged(file.bytes, folder_);
    if (staged.failure() != WriteFailure::None)
        return Fail(name(1), gamefile::WriteFailureText(staged.failure(), folder_));
    // Then each file moves one place down; renaming over a name replaces it at once.
    for (int n = kAutosaveCount - 1; n >= 1; --n)
        if (!MoveOver(name(n), name(n + 1)))
            return Fail(name(1), QStringLiteral("не удалось переименовать прежние автосохранения"));
    if (const WriteFailure moved = staged.MoveTo(name(1)); moved != WriteFailure::None)
        return Fail(name(1), gamefile::WriteFailureText(moved, folder_));
    failureReported_ = false;
    return {true, {}, name(1)};
}

Autosave::Result Autosave::Fail(const QString& newest, const QString& cause) {
    Result result;
    if (!failureReported_) result.message = GameFileMessage(GameFileProblem::CannotWrite, newest, cause);
    failureReported_ = true;
    return result;
}

}  // namespace tarq
