#include "gamefile/GameFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/Invariants.h"
#include "gamefile/GameFileChecks.h"
#include "gamefile/GameFileCodec.h"
#include "gamefile/GameFileFormat.h"
#include "gamefile/GameFileLinks.h"

namespace tarq {

namespace {

// No game file is larger: the header, the largest body and zlib's worst
// expansion of it.
constexpr qint64 kMaxFileSize = gamefile::kHeaderSize + gamefile::kMaxBodySize + gamefile::kMaxBodySize / 1000 + 64;

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString ReadFailureCause(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("такого файла нет");
    if (info.isDir()) return QStringLiteral("это папка, а не файл");
    if (!info.isReadable()) return QStringLiteral("нет прав на чтение");
    return QStringLiteral("ошибка чтения");
}

// A built game with everything it cannot derive checked, or why it is refused.
struct Decoded {
    std::unique_ptr<Game> game;
    GameFileProblem problem = GameFileProblem::None;
    QString detail;
};

Decoded Decode(const QByteArray& bytes, const Preferences& user = {}) {
    ParsedGameFile parsed = ParseGameFile(bytes);
    if (!parsed.contents) return {nullptr, parsed.problem, parsed.detail};
    std::unique_ptr<Game> game = BuildGame(*parsed.contents, user);
    QString broken = CheckLinks(*game);
    // Whatever the checks above missed must not reach play either.
    if (broken.isEmpty() && !CheckInvariants(*game).empty())
        broken = QStringLiteral("данные игры не сходятся между собой");
    if (!broken.isEmpty()) return {nullptr, GameFileProblem::Damaged, broken};
    return {std::move(game), GameFileProblem::None, {}};
}

// A failed save of `path`: the problem, the cause and the message.
SavedGameFile SaveFailed(const QString& path, gamefile::WriteFailure failure, const QString& cause) {
    return {GameFileProblem::CannotWrite, GameFileMessage(GameFileProblem::CannotWrite, path, cause), cause, failure};
}

}  // namespace

QString GameFileMessage(GameFileProblem problem, const QString& fileName, const QString& detail) {
    const QString file = Shown(fileName);
    switch (problem) {
        case GameFileProblem::None: return {};
        case GameFileProblem::CannotOpen: return QStringLiteral("Не удалось открыть файл «%1»: %2.").arg(file, detail);
        case GameFileProblem::NotAGameFile:
            return QStringLiteral("Файл «%1» не является сохраненной игрой TARQ.").arg(file);
        case GameFileProblem::NewerVersion:
            return QStringLiteral("Файл «%1» сохранен более новой версией игры (%2).").arg(file, detail);
        case GameFileProblem::Damaged: return QStringLiteral("Файл «%1» поврежден: %2.").arg(file, detail);
        case GameFileProblem::Truncated: return QStringLiteral("Файл «%1» обрезан: %2.").arg(file, detail);
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

bool HasSavableMap(const Match& game) {
    const auto side = [](int n) { return n >= gamefile::kMinMapSide && n <= gamefile::kMaxMapSide; };
    return side(game.World.MapWidth) && side(game.World.MapHeight);
}

QByteArray WriteGameFile(const Game& game) { return gamefile::WrapBody(gamefile::EncodeBody(*ContentsOf(game, game))); }

LoadedGame ReadGameFile(const QByteArray& bytes, const QString& fileName, const Preferences& user) {
    Decoded decoded = Decode(bytes, user);
    LoadedGame loaded;
    loaded.game = std::move(decoded.game);
    loaded.problem = decoded.problem;
    if (!loaded.game) loaded.message = GameFileMessage(decoded.problem, fileName, decoded.detail);
    return loaded;
}

LoadedGame LoadGameFile(const QString& path, const Preferences& user) {
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
    return ReadGameFile(bytes, path, user);
}

SavedGameFile WriteFileAtomically(const QByteArray& bytes, const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    gamefile::StagedFile staged(bytes, folder);
    gamefile::WriteFailure failure = staged.failure();
    if (failure == gamefile::WriteFailure::None) failure = staged.MoveTo(path);
    if (failure == gamefile::WriteFailure::None) return {};
    return SaveFailed(path, failure, gamefile::WriteFailureText(failure, folder));
}

// The bytes are read back as a file would be before they are written: a game
// the reader would refuse must not replace a file it can read.
GameFileBytes SavableGameFile(const Game& game) {
    using gamefile::WriteFailure;
    if (!HasSavableMap(game)) return {{}, WriteFailure::NoMap, gamefile::WriteFailureText(WriteFailure::NoMap, {})};
    GameFileBytes file{WriteGameFile(game), WriteFailure::None, {}};
    const Decoded decoded = Decode(file.bytes);
    if (!decoded.game) {
        file.failure = WriteFailure::Unreadable;
        file.cause = gamefile::WriteFailureText(WriteFailure::Unreadable, {}) + QStringLiteral(" (") + decoded.detail +
                     QStringLiteral(")");
    }
    return file;
}

SavedGameFile SaveGameFile(const Game& game, const QString& path) {
    const GameFileBytes file = SavableGameFile(game);
    if (file.failure != gamefile::WriteFailure::None) return SaveFailed(path, file.failure, file.cause);
    return WriteFileAtomically(file.bytes, path);
}

}  // namespace tarq
