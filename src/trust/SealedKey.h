// A player's secret key as it is kept on their machine: sealed with a key
// that their password makes (Argon2id, then XSalsa20-Poly1305), or plain when
// the player has no password (the file is then readable by its owner alone).
// The file names its game and player and ends in a checksum, so that a
// damaged file is told apart from a wrong password and a key is never taken
// for another game's or player's.
//
// Layout (numbers big-endian): "TARQKEY1", game id u64, player u8, kind u8
// (0 plain, 1 sealed); plain: the secret key (64); sealed: ops limit u32,
// memory limit in KiB u32, salt (16), nonce (24), the sealed key (64 + 16);
// then BLAKE2b-256 of everything before it (32).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "trust/Keys.h"

namespace tarq::trust {

enum class KeyRefusal {
    None,
    NoFile,         // there is no key file (KeyStore)
    Unreadable,     // the key file cannot be read (KeyStore)
    NotKeyFile,     // the file does not start as a key file does
    Truncated,      // too short to hold even the header and the checksum
    Checksum,       // its checksum does not match: changed or damaged
    BadContents,    // a whole file whose contents make no key: a cost out of bounds, halves that disagree
    OtherKey,       // a key of another game or another player
    WrongPassword,  // the password does not open it
};

struct OpenedKey {
    std::optional<SecretKey> key;
    KeyRefusal refusal = KeyRefusal::None;
};

// The key file's bytes for `secretKey` of player `player` of game `gameId`;
// sealed with `password` unless it is empty. Empty when the memory the
// password's hash needs cannot be had.
std::vector<std::uint8_t> SealSecretKey(const SecretKey& secretKey, std::uint64_t gameId, std::uint8_t player,
                                        const std::string& password);

// The secret key from a key file's bytes, expected to be `player`'s of game
// `gameId`; `password` opens a sealed one and is not asked of a plain one.
OpenedKey OpenSecretKey(const std::vector<std::uint8_t>& file, std::uint64_t gameId, std::uint8_t player,
                        const std::string& password);

// Why player `player`'s key was refused, in the player's words (UTF-8).
std::string KeyRefusalText(KeyRefusal refusal, int player);

}  // namespace tarq::trust
