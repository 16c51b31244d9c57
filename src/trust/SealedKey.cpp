#include "trust/SealedKey.h"

#include <sodium.h>

#include <algorithm>
#include <array>

#include "trust/BigEndian.h"
#include "trust/Passwords.h"

namespace tarq::trust {

namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'T', 'A', 'R', 'Q', 'K', 'E', 'Y', '1'};
constexpr std::size_t kHeaderSize = kMagic.size() + 8 + 1 + 1;
constexpr std::size_t kKindAt = kHeaderSize - 1;
constexpr std::size_t kChecksumSize = crypto_generichash_BYTES;
constexpr std::size_t kSaltSize = crypto_pwhash_SALTBYTES;
constexpr std::size_t kNonceSize = crypto_secretbox_NONCEBYTES;
constexpr std::size_t kBoxSize = crypto_secretbox_MACBYTES + kSecretKeySize;
constexpr std::size_t kPlainSize = kHeaderSize + kSecretKeySize + kChecksumSize;
constexpr std::size_t kSealedSize = kHeaderSize + 4 + 4 + kSaltSize + kNonceSize + kBoxSize + kChecksumSize;
constexpr std::uint8_t kPlain = 0, kSealed = 1;

using Salt = std::array<std::uint8_t, kSaltSize>;
using BoxKey = std::array<std::uint8_t, crypto_secretbox_KEYBYTES>;

std::array<std::uint8_t, kChecksumSize> ChecksumOf(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint8_t, kChecksumSize> sum;
    crypto_generichash(sum.data(), sum.size(), data, size, nullptr, 0);
    return sum;
}

template <typename Bytes>
void Append(std::vector<std::uint8_t>& out, const Bytes& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// Appends the salt, the nonce and the box that seal `secretKey` with `password`.
bool AppendSealed(std::vector<std::uint8_t>& out, const SecretKey& secretKey, const std::string& password) {
    Put(out, kPasswordOpsLimit);
    Put(out, kPasswordMemLimitKiB);
    Salt salt;
    std::array<std::uint8_t, kNonceSize> nonce;
    randombytes_buf(salt.data(), salt.size());
    randombytes_buf(nonce.data(), nonce.size());
    BoxKey boxKey;
    if (!DerivePasswordKey(boxKey.data(), boxKey.size(), password, salt, kPasswordOpsLimit, kPasswordMemLimitKiB))
        return false;
    std::array<std::uint8_t, kBoxSize> box;
    crypto_secretbox_easy(box.data(), secretKey.Bytes().data(), kSecretKeySize, nonce.data(), boxKey.data());
    sodium_memzero(boxKey.data(), boxKey.size());
    Append(out, salt);
    Append(out, nonce);
    Append(out, box);
    return true;
}

// The secret key inside a sealed file's body (what follows the header).
OpenedKey OpenSealed(const std::uint8_t* body, const std::string& password) {
    const auto ops = Get<std::uint32_t>(body);
    const auto memKiB = Get<std::uint32_t>(body + 4);
    if (!PasswordCostAccepted(ops, memKiB)) return {std::nullopt, KeyRefusal::BadContents};
    Salt salt;
    std::copy_n(body + 8, kSaltSize, salt.begin());
    const std::uint8_t* nonce = body + 8 + kSaltSize;
    const std::uint8_t* box = nonce + kNonceSize;
    BoxKey boxKey;
    if (!DerivePasswordKey(boxKey.data(), boxKey.size(), password, salt, ops, memKiB))
        return {std::nullopt, KeyRefusal::BadContents};
    SecretKey key;
    const bool opened = crypto_secretbox_open_easy(key.Bytes().data(), box, kBoxSize, nonce, boxKey.data()) == 0;
    sodium_memzero(boxKey.data(), boxKey.size());
    if (!opened) return {std::nullopt, KeyRefusal::WrongPassword};
    return {key, KeyRefusal::None};
}

}  // namespace

std::vector<std::uint8_t> SealSecretKey(const SecretKey& secretKey, std::uint64_t gameId, std::uint8_t player,
                                        const std::string& password) {
    UseSodium();
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    out.reserve(kSealedSize);
    Put(out, gameId);
    Put(out, player);
    if (password.empty()) {
        out.push_back(kPlain);
        Append(out, secretKey.Bytes());
    } else {
        out.push_back(kSealed);
        if (!AppendSealed(out, secretKey, password)) return {};
    }
    Append(out, ChecksumOf(out.data(), out.size()));
    return out;
}

OpenedKey OpenSecretKey(const std::vector<std::uint8_t>& file, std::uint64_t gameId, std::uint8_t player,
                        const std::string& password) {
    UseSodium();
    const std::size_t magic = std::min(file.size(), kMagic.size());
    if (!std::equal(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(magic), kMagic.begin()))
        return {std::nullopt, KeyRefusal::NotKeyFile};
    if (file.size() < kHeaderSize + kChecksumSize) return {std::nullopt, KeyRefusal::Truncated};
    const std::size_t body = file.size() - kChecksumSize;
    if (sodium_memcmp(ChecksumOf(file.data(), body).data(), file.data() + body, kChecksumSize) != 0)
        return {std::nullopt, KeyRefusal::Checksum};
    const std::uint8_t kind = file[kKindAt];
    if (!(kind == kPlain && file.size() == kPlainSize) && !(kind == kSealed && file.size() == kSealedSize))
        return {std::nullopt, KeyRefusal::BadContents};
    if (Get<std::uint64_t>(file.data() + kMagic.size()) != gameId || file[kKindAt - 1] != player)
        return {std::nullopt, KeyRefusal::OtherKey};
    OpenedKey opened;
    if (kind == kPlain) {
        std::array<std::uint8_t, kSecretKeySize> bytes;
        std::copy_n(file.data() + kHeaderSize, kSecretKeySize, bytes.begin());
        opened.key = SecretKey(bytes);
        sodium_memzero(bytes.data(), bytes.size());
    } else {
        opened = OpenSealed(file.data() + kHeaderSize, password);
    }
    if (opened.key && !IsWholeKey(*opened.key)) return {std::nullopt, KeyRefusal::BadContents};
    return opened;
}

std::string KeyRefusalText(KeyRefusal refusal, int player) {
    const std::string file = "Файл ключа игрока " + std::to_string(player);
    switch (refusal) {
        case KeyRefusal::None: return {};
        case KeyRefusal::NoFile: return "Ключа игрока " + std::to_string(player) + " нет на этом компьютере.";
        case KeyRefusal::Unreadable: return file + " не читается.";
        case KeyRefusal::NotKeyFile: return file + " поврежден: это не файл ключа.";
        case KeyRefusal::Truncated: return file + " поврежден: он обрезан.";
        case KeyRefusal::Checksum: return file + " поврежден: контрольная сумма не сходится.";
        case KeyRefusal::BadContents: return file + " поврежден: в нем нет верного ключа.";
        case KeyRefusal::OtherKey: return file + " принадлежит другой игре или другому игроку.";
        case KeyRefusal::WrongPassword: return "Неверный пароль";
    }
    return {};
}

}  // namespace tarq::trust
