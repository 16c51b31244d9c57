#include "gamefile/SafeWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace tarq::gamefile {

namespace {

// Names tried for the temporary file before giving up (another one of this
// process may be in the middle of its write).
constexpr int kTemporaryNames = 100;

// Retries a call the system interrupted.
template <typename Call>
auto Retried(Call call) {
    auto result = call();
    while (result < 0 && errno == EINTR) result = call();
    return result;
}

// Flushes the folder's entries to the device; a system that cannot is no failure.
void SyncFolder(const QByteArray& folder) {
    const int fd = Retried([&] { return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WriteFailure FailureOfError(int error) {
    switch (error) {
        case 0: return WriteFailure::None;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return WriteFailure::NoSpace;
        case EACCES:
        case EPERM: return WriteFailure::NoPermission;
        case EROFS: return WriteFailure::ReadOnly;
        case EISDIR: return WriteFailure::IsFolder;
        case ENAMETOOLONG: return WriteFailure::NameTooLong;
        case ENOENT: return WriteFailure::NoFolder;
        case ENOTDIR: return WriteFailure::PathThroughFile;
        default: return WriteFailure::Other;
    }
}

QString WriteFailureText(WriteFailure failure, const QString& folder) {
    const QString shown = QDir::toNativeSeparators(folder);
    switch (failure) {
        case WriteFailure::None: return {};
        case WriteFailure::NoSpace: return QStringLiteral("нет места на диске");
        case WriteFailure::NoPermission: return QStringLiteral("нет прав на запись в папку «%1»").arg(shown);
        case WriteFailure::ReadOnly: return QStringLiteral("диск доступен только для чтения");
        case WriteFailure::IsFolder: return QStringLiteral("это папка, а не файл");
        case WriteFailure::NameTooLong: return QStringLiteral("слишком длинное имя файла");
        case WriteFailure::NoFolder: return QStringLiteral("папки нет: «%1»").arg(shown);
        case WriteFailure::PathThroughFile: return QStringLiteral("путь проходит через файл: «%1»").arg(shown);
        case WriteFailure::ReadBack: return QStringLiteral("записанный файл не читается таким, каким записан");
        case WriteFailure::Other: return QStringLiteral("ошибка записи на диск");
        case WriteFailure::NoMap: return QStringLiteral("в игре еще нет карты");
        case WriteFailure::Unreadable: return QStringLiteral("такой файл игра не смогла бы прочитать");
    }
    return {};
}

StagedFile::StagedFile(const QByteArray& bytes, const QString& folder, unsigned mode)
    : folder_(QFile::encodeName(folder)) {
    failure_ = Write(bytes, mode);
    if (failure_ == WriteFailure::None) failure_ = ReadBack(bytes);
    if (failure_ != WriteFailure::None && !temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
        temporary_.clear();
    }
}

StagedFile::~StagedFile() {
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
}

// A new file of its own (never one that exists), written whole, flushed to
// the device and closed, each step checked.
WriteFailure StagedFile::Write(const QByteArray& bytes, unsigned mode) {
    int fd = -1;
    for (int n = 0; n < kTemporaryNames && fd < 0; ++n) {
        temporary_ = folder_ + "/.tarq-" + QByteArray::number(::getpid()) + "-" + QByteArray::number(n) + ".part";
        fd = Retried([&] { return ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode); });
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int error = errno;
        temporary_.clear();
        return FailureOfError(error);
    }
    for (qsizetype done = 0; done < bytes.size();) {
        const auto n = Retried(
            [&] { return ::write(fd, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done)); });
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return FailureOfError(error);
        }
        done += n;
    }
    if (Retried([&] { return ::fsync(fd); }) != 0) {
        const int error = errno;
        ::close(fd);
        return FailureOfError(error);
    }
    return ::close(fd) == 0 ? WriteFailure::None : FailureOfError(errno);
}

// The file as the device gives it back (its cached pages dropped first where
// the system allows), byte for byte what was meant.
WriteFailure StagedFile::ReadBack(const QByteArray& bytes) const {
    const int fd = Retried([&] { return ::open(temporary_.constData(), O_RDONLY | O_CLOEXEC); });
    if (fd < 0) return WriteFailure::ReadBack;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    QByteArray read(bytes.size() + 1, Qt::Uninitialized);  // one byte more: a longer file shows
    qsizetype done = 0;
    while (done < read.size()) {
        const auto n =
            Retried([&] { return ::read(fd, read.data() + done, static_cast<std::size_t>(read.size() - done)); });
        if (n <= 0) break;
        done += n;
    }
    ::close(fd);
    const bool same =
        done == bytes.size() && std::memcmp(read.constData(), bytes.constData(), static_cast<std::size_t>(done)) == 0;
    return same ? WriteFailure::None : WriteFailure::ReadBack;
}

WriteFailure StagedFile::MoveTo(const QString& path) {
    if (failure_ != WriteFailure::None || temporary_.isEmpty()) return WriteFailure::Other;
    if (Retried([&] { return ::rename(temporary_.constData(), QFile::encodeName(path).constData()); }) != 0)
        return FailureOfError(errno);
    temporary_.clear();
    SyncFolder(folder_);
    return WriteFailure::None;
}

WriteFailure MakeFolder(const QString& folder) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(QFile::encodeName(folder).toStdString()), error);
    return error ? FailureOfError(error.value()) : WriteFailure::None;
}

}  // namespace tarq::gamefile
