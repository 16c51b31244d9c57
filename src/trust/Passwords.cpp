#include "trust/Passwords.h"

#include <sodium.h>

#include "trust/Keys.h"

namespace tarq::trust {

static_assert(sizeof(PasswordRecord::salt) == crypto_pwhash_SALTBYTES);

bool PasswordCostAccepted(std::uint32_t opsLimit, std::uint32_t memLimitKiB) {
    const std::size_t memLimit = std::size_t{memLimitKiB} * 1024;
    return opsLimit >= crypto_pwhash_OPSLIMIT_MIN && opsLimit <= kMaxPasswordOpsLimit &&
           memLimit >= crypto_pwhash_MEMLIMIT_MIN && memLimitKiB <= kMaxPasswordMemLimitKiB;
}

bool DerivePasswordKey(std::uint8_t* key, std::size_t size, const std::string& password,
                       const std::array<std::uint8_t, 16>& salt, std::uint32_t opsLimit, std::uint32_t memLimitKiB) {
    UseSodium();
    if (!PasswordCostAccepted(opsLimit, memLimitKiB)) return false;
    return crypto_pwhash(key, size, password.data(), password.size(), salt.data(), opsLimit,
                         std::size_t{memLimitKiB} * 1024, crypto_pwhash_ALG_ARGON2ID13) == 0;
}

std::optional<PasswordRecord> HashPassword(const std::string& password) {
    UseSodium();
    PasswordRecord record;
    record.opsLimit = kPasswordOpsLimit;
    record.memLimitKiB = kPasswordMemLimitKiB;
    randombytes_buf(record.salt.data(), record.salt.size());
    if (!DerivePasswordKey(record.hash.data(), record.hash.size(), password, record.salt, record.opsLimit,
                           record.memLimitKiB))
        return std::nullopt;
    return record;
}

bool VerifyPassword(const PasswordRecord& record, const std::string& password) {
    std::array<std::uint8_t, sizeof(record.hash)> hash;
    if (!DerivePasswordKey(hash.data(), hash.size(), password, record.salt, record.opsLimit, record.memLimitKiB))
        return false;
    return sodium_memcmp(hash.data(), record.hash.data(), hash.size()) == 0;
}

}  // namespace tarq::trust
