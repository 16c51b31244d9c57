// The players' secret keys on this machine: one file per game and player in
// the user's data folder, readable by the user alone, the key sealed with the
// player's password when they have one (SealedKey.h).
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "trust/SealedKey.h"

namespace tarq::trust {

// <XDG data home>/tarq/keys: the game's own data folder, whatever the name of
// the program that asks (a test, a tool).
QString KeyFolder();

class KeyStore {
public:
    explicit KeyStore(QString folder = KeyFolder()) : folder_(std::move(folder)) {}

    // <folder>/<game id in 16 hex digits>-<player>.key
    QString FilePath(std::uint64_t gameId, int player) const;

    // Keeps player `player`'s secret key, sealed with `password` unless it is
    // empty, replacing the one kept before only once the new file is whole.
    // Empty when done, else the cause in the player's words.
    QString Store(const SecretKey& secretKey, std::uint64_t gameId, std::uint8_t player,
                  const std::string& password) const;

    OpenedKey Open(std::uint64_t gameId, std::uint8_t player, const std::string& password) const;

    // Seals player `player`'s key again with `newPassword` (plain when
    // empty); the key is opened with `oldPassword` first. Empty when done,
    // else the cause.
    QString ChangePassword(std::uint64_t gameId, std::uint8_t player, const std::string& oldPassword,
                           const std::string& newPassword) const;

private:
    QString folder_;
};

}  // namespace tarq::trust
