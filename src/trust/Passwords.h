// Player passwords, kept only as a salted Argon2id hash: memory-hard, so that
// trying passwords against a record taken from a game file costs every guess
// the time and memory it costs here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tarq::trust {

// The cost of one hash. Twice libsodium's "interactive" memory: one hash
// takes about 0.2 s on the project's 2-core machine (bench/trust_bench), so a
// machine twice as fast still spends over 0.1 s per guess, while a player
// asked for the password at the handover hardly waits.
constexpr std::uint32_t kPasswordOpsLimit = 2;
constexpr std::uint32_t kPasswordMemLimitKiB = 128 * 1024;

// The costs a record read from a file may ask for: anything dearer (a file
// made to hang or exhaust the machine that opens it) is refused.
constexpr std::uint32_t kMaxPasswordOpsLimit = 4 * kPasswordOpsLimit;
constexpr std::uint32_t kMaxPasswordMemLimitKiB = 4 * kPasswordMemLimitKiB;

// What a game file stores of a password: the cost it was hashed at, the
// random salt and the hash. The password itself is nowhere.
struct PasswordRecord {
    std::uint32_t opsLimit = 0;
    std::uint32_t memLimitKiB = 0;
    std::array<std::uint8_t, 16> salt{};
    std::array<std::uint8_t, 32> hash{};
    bool operator==(const PasswordRecord&) const = default;
};

// The password (UTF-8) hashed at the fixed cost with a new random salt;
// nothing when the memory the hash needs cannot be had.
std::optional<PasswordRecord> HashPassword(const std::string& password);

// True when `password` is the one `record` was made from. False as well for
// a record whose cost lies outside what PasswordCostAccepted takes.
bool VerifyPassword(const PasswordRecord& record, const std::string& password);

// Whether a record's cost is one this program hashes at: at least libsodium's
// minimum, at most the kMax... limits.
bool PasswordCostAccepted(std::uint32_t opsLimit, std::uint32_t memLimitKiB);

// The key of `size` bytes that `password` and `salt` make at the given cost
// (Argon2id); false when the cost is refused or the memory cannot be had.
bool DerivePasswordKey(std::uint8_t* key, std::size_t size, const std::string& password,
                       const std::array<std::uint8_t, 16>& salt, std::uint32_t opsLimit, std::uint32_t memLimitKiB);

}  // namespace tarq::trust
