#include "trust/KeyStore.h"

#include <QFile>
#include <QStandardPaths>
#include <filesystem>

#include "gamefile/SafeWrite.h"

namespace tarq::trust {

namespace {

// More than any key file holds: a larger file is read only this far.
constexpr qint64 kLongestKeyFile = 4096;

}  // namespace

QString KeyFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tarq/keys");
}

QString KeyStore::FilePath(std::uint64_t gameId, int player) const {
    return QStringLiteral("%1/%2-%3.key").arg(folder_).arg(gameId, 16, 16, QLatin1Char('0')).arg(player);
}

QString KeyStore::Store(const SecretKey& secretKey, std::uint64_t gameId, std::uint8_t player,
                        const std::string& password) const {
    using gamefile::WriteFailure;
    const std::vector<std::uint8_t> sealed = SealSecretKey(secretKey, gameId, player, password);
    if (sealed.empty()) return QStringLiteral("Не хватает памяти, чтобы зашифровать ключ паролем.");
    if (const WriteFailure made = gamefile::MakeFolder(folder_); made != WriteFailure::None)
        return gamefile::WriteFailureText(made, folder_);
    // The folder of keys is the user's alone, like its files.
    std::error_code ignored;
    std::filesystem::permissions(QFile::encodeName(folder_).toStdString(), std::filesystem::perms::owner_all, ignored);
    const QByteArray bytes(reinterpret_cast<const char*>(sealed.data()), static_cast<qsizetype>(sealed.size()));
    gamefile::StagedFile staged(bytes, folder_, 0600);
    WriteFailure failure = staged.failure();
    if (failure == WriteFailure::None) failure = staged.MoveTo(FilePath(gameId, player));
    return failure == WriteFailure::None ? QString() : gamefile::WriteFailureText(failure, folder_);
}

OpenedKey KeyStore::Open(std::uint64_t gameId, std::uint8_t player, const std::string& password) const {
    QFile file(FilePath(gameId, player));
    if (!file.exists()) return {std::nullopt, KeyRefusal::NoFile};
    if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, KeyRefusal::Unreadable};
    const QByteArray bytes = file.read(kLongestKeyFile);
    if (file.error() != QFileDevice::NoError) return {std::nullopt, KeyRefusal::Unreadable};
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return OpenSecretKey(std::vector<std::uint8_t>(data, data + bytes.size()), gameId, player, password);
}

QString KeyStore::ChangePassword(std::uint64_t gameId, std::uint8_t player, const std::string& oldPassword,
                                 const std::string& newPassword) const {
    const OpenedKey opened = Open(gameId, player, oldPassword);
    if (!opened.key) return QString::fromStdString(KeyRefusalText(opened.refusal, player));
    return Store(*opened.key, gameId, player, newPassword);
}

}  // namespace tarq::trust
