#include "gamefile/GameFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include "gamefile/GameFileChecks.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"

namespace tarq {

namespace {

// No game file is larger: the header, the largest body and zlib's worst
// expansion of it.
constexpr qint64 kMaxFileSize = gamefile::kHeaderSize + gamefile::kMaxBodySize + gamefile::kMaxBodySize / 1000 + 64;

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString ReadFailureCause(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("такого файла нет");
    if (info.isDir()) return QStringLiteral("это папка");
    if (!info.isReadable()) return QStringLiteral("нет прав на чтение");
    return QStringLiteral("ошибка чтения");
}

// Why a write into `path` of `needed` bytes failed, found from the folder.
QString WriteFailureCause(const QString& path, qint64 needed, const QString& systemError) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) return QStringLiteral("нет папки «%1»").arg(Shown(folder.filePath()));
    if (!folder.isWritable()) return QStringLiteral("папка «%1» закрыта для записи").arg(Shown(folder.filePath()));
    const QStorageInfo storage(folder.filePath());
    if (storage.isValid() && storage.bytesAvailable() < needed) return QStringLiteral("на диске не хватает места");
    return QStringLiteral("ошибка записи (%1)").arg(systemError);
}

}  // namespace

QString GameFileMessage(GameFileProblem problem, const QString& fileName, const QString& detail) {
    const QString file = Shown(fileName);
    switch (problem) {
        case GameFileProblem::None:
            return {};
        case GameFileProblem::CannotOpen:
            return QStringLiteral("Не удалось открыть файл «%1»: %2.").arg(file, detail);
        case GameFileProblem::NotAGameFile:
            return QStringLiteral("Файл «%1» не является сохраненной игрой TARQ.").arg(file);
        case GameFileProblem::NewerVersion:
            return QStringLiteral("Файл «%1» сохранен более новой версией игры (%2).").arg(file, detail);
        case GameFileProblem::Damaged:
            return QStringLiteral("Файл «%1» поврежден: %2.").arg(file, detail);
        case GameFileProblem::Truncated:
            return QStringLiteral("Файл «%1» обрезан: %2.").arg(file, detail);
        case GameFileProblem::CannotWrite:
            return QStringLiteral("Не удалось сохранить игру в файл «%1»: %2.").arg(file, detail);
    }
    return {};
}

ParsedGameFile ParseGameFile(const QByteArray& bytes) {
    ParsedGameFile parsed;
    gamefile::Unwrapped file = gamefile::UnwrapBody(bytes);
    if (file.problem != GameFileProblem::None) {
        parsed.problem = file.problem;
        parsed.detail = file.detail;
        return parsed;
    }
    std::unique_ptr<GameFileContents> contents = gamefile::DecodeBody(file.body, parsed.detail, file.version);
    if (contents && parsed.detail.isEmpty()) parsed.detail = CheckContents(*contents);
    if (!contents || !parsed.detail.isEmpty()) {
        parsed.problem = GameFileProblem::Damaged;
        if (parsed.detail.isEmpty()) parsed.detail = QStringLiteral("данные не разбираются");
        return parsed;
    }
    parsed.contents = std::move(contents);
    return parsed;
}

bool HasSavableMap(const Game& game) {
    const auto side = [](int n) { return n >= gamefile::kMinMapSide && n <= gamefile::kMaxMapSide; };
    return side(game.World.MapWidth) && side(game.World.MapHeight);
}

QByteArray WriteGameFile(const Game& game) {
    return gamefile::WrapBody(gamefile::EncodeBody(*ContentsOf(game)));
}

LoadedGame ReadGameFile(const QByteArray& bytes, const QString& fileName) {
    ParsedGameFile parsed = ParseGameFile(bytes);
    LoadedGame loaded;
    if (!parsed.contents) {
        loaded.problem = parsed.problem;
        loaded.message = GameFileMessage(parsed.problem, fileName, parsed.detail);
        return loaded;
    }
    loaded.game = BuildGame(*parsed.contents);
    return loaded;
}

LoadedGame LoadGameFile(const QString& path) {
    QFile file(path);
    LoadedGame refused;
    refused.problem = GameFileProblem::CannotOpen;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        refused.message = GameFileMessage(refused.problem, path, ReadFailureCause(path));
        return refused;
    }
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        refused.message = GameFileMessage(refused.problem, path, ReadFailureCause(path));
        return refused;
    }
    if (bytes.size() > kMaxFileSize) {
        refused.problem = GameFileProblem::Damaged;
        refused.message = GameFileMessage(refused.problem, path, QStringLiteral("он больше любого файла игры"));
        return refused;
    }
    return ReadGameFile(bytes, path);
}

SavedGameFile WriteFileAtomically(const QByteArray& bytes, const QString& path) {
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (written) return {};
    const QString systemError = file.errorString();
    file.cancelWriting();
    const QString cause = WriteFailureCause(path, bytes.size(), systemError);
    return {GameFileProblem::CannotWrite, GameFileMessage(GameFileProblem::CannotWrite, path, cause), cause};
}

SavedGameFile SaveGameFile(const Game& game, const QString& path) {
    if (!HasSavableMap(game)) {
        const QString cause = QStringLiteral("в игре еще нет карты");
        return {GameFileProblem::CannotWrite, GameFileMessage(GameFileProblem::CannotWrite, path, cause), cause};
    }
    return WriteFileAtomically(WriteGameFile(game), path);
}

}  // namespace tarq
