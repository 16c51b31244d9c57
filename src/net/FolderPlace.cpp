#include "net/FolderPlace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

#include "gamefile/GameFile.h"

namespace tarq::net {

namespace {

// No file of a game's folder is larger than the largest game file.
constexpr qint64 kMaxReadSize = 64ll << 20;

QString TagOf(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

Reply Failure(Status status, QString detail) { return {status, {}, {}, std::move(detail)}; }

}  // namespace

FolderPlace::FolderPlace(QString gameFolder) : folder_(std::move(gameFolder)) {
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        Watch();
        emit changed();
    });
    Watch();
}

// The game's folder, or while it does not exist yet the place's folder, where it will appear.
void FolderPlace::Watch() {
    const QString parent = QFileInfo(folder_).absolutePath();
    const QString wanted = QFileInfo(folder_).isDir() ? folder_ : parent;
    if (watcher_.directories() == QStringList{wanted}) return;
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    if (QFileInfo(wanted).isDir()) watcher_.addPath(wanted);
}

void FolderPlace::Answer(Reply reply, Done done) {
    QTimer::singleShot(0, this, [reply = std::move(reply), done = std::move(done)] { done(reply); });
}

void FolderPlace::Read(const QString& name, const QString& knownTag, Done done) {
    Answer(ReadNow(name, knownTag), std::move(done));
}

void FolderPlace::Put(const QString& name, const QByteArray& bytes, const QString& tag, Done done) {
    Answer(PutNow(name, bytes, tag), std::move(done));
}

Reply FolderPlace::ReadNow(const QString& name, const QString& knownTag) const {
    QFile file(QDir(folder_).filePath(name));
    if (!file.exists()) return Failure(Status::Missing, QStringLiteral("файла нет"));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(Status::LocalError, QStringLiteral("не удалось прочитать «%1»").arg(file.fileName()));
    Reply reply{Status::Ok, file.read(kMaxReadSize), {}, {}};
    reply.tag = TagOf(reply.body);
    if (!knownTag.isEmpty() && reply.tag == knownTag) return {Status::NotModified, {}, reply.tag, {}};
    return reply;
}

Reply FolderPlace::PutNow(const QString& name, const QByteArray& bytes, const QString& tag) {
    const QDir dir(folder_);
    if (!dir.mkpath(QStringLiteral(".")))
        return Failure(Status::LocalError,
                       QStringLiteral("не удалось создать папку «%1»").arg(QDir::toNativeSeparators(folder_)));
    Watch();
    const QString target = dir.filePath(name);
    if (!tag.isEmpty()) {
        // Replacing: only what this player last read may be replaced.
        const Reply now = ReadNow(name, {});
        if (now.status != Status::Ok || now.tag != tag)
            return Failure(Status::PreconditionFailed, QStringLiteral("файл изменился"));
        const SavedGameFile saved = WriteFileAtomically(bytes, target);
        return saved ? Reply{} : Failure(Status::LocalError, saved.cause);
    }
    // Creating: the whole file under a temporary name, then renamed where no
    // file of that name exists (the rename itself refuses to replace one).
    const QString temporary =
        dir.filePath(QStringLiteral(".%1.part-%2").arg(name).arg(QRandomGenerator::global()->generate(), 0, 16));
    const SavedGameFile saved = WriteFileAtomically(bytes, temporary);
    if (!saved) return Failure(Status::LocalError, saved.cause);
    if (QFile::rename(temporary, target)) return {};
    QFile::remove(temporary);
    if (QFile::exists(target)) return Failure(Status::PreconditionFailed, QStringLiteral("файл уже есть"));
    return Failure(Status::LocalError, QStringLiteral("не удалось переименовать «%1»").arg(temporary));
}

}  // namespace tarq::net
