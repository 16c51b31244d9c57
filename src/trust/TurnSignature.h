// Signed turns. At END TURN a player signs, with their secret key, the game
// id, their number, the turn, their orders of that turn in the order given,
// and the hashes of the state the turn started from and ended at. Whoever
// receives the file checks the signature with the player's public key: an
// order added, dropped, changed or moved, or a state other than the one the
// orders lead to, no longer matches it. When joining, each player also signs
// the game id and the hash of the game's first state.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Command.h"
#include "trust/Keys.h"

namespace tarq::trust {

struct TurnSignature {
    std::uint8_t player = 0;
    std::uint32_t turn = 0;
    std::uint64_t stateHashBefore = 0;
    std::uint64_t stateHashAfter = 0;
    Signature signature{};
    bool operator==(const TurnSignature&) const = default;
};

// What the signature of a turn covers: a tag of its own (so that no other
// signed text can pass for a turn), the game id, the player, the turn, the
// number of orders and each order's canonical bytes (EncodeOrder), the hash
// before and the hash after; numbers big-endian.
std::vector<std::uint8_t> TurnBytes(std::uint64_t gameId, const TurnSignature& turn, std::span<const Order> orders);

// `turn` (all but its signature) signed together with `orders`.
TurnSignature SignTurn(const SecretKey& secretKey, std::uint64_t gameId, TurnSignature turn,
                       std::span<const Order> orders);

// True when `turn` is `publicKey`'s signature of these orders and hashes, and
// every order is the signing player's own: a player cannot sign orders for
// someone else's units into their turn.
bool VerifyTurn(const PublicKey& publicKey, std::uint64_t gameId, const TurnSignature& turn,
                std::span<const Order> orders);

// A player's signature of the game's first state, given when joining.
struct FirstStateSignature {
    std::uint8_t player = 0;
    std::uint64_t stateHash = 0;
    Signature signature{};
    bool operator==(const FirstStateSignature&) const = default;
};

std::vector<std::uint8_t> FirstStateBytes(std::uint64_t gameId, const FirstStateSignature& first);
FirstStateSignature SignFirstState(const SecretKey& secretKey, std::uint64_t gameId, std::uint8_t player,
                                   std::uint64_t stateHash);
bool VerifyFirstState(const PublicKey& publicKey, std::uint64_t gameId, const FirstStateSignature& first);

}  // namespace tarq::trust
