#include "trust/TurnSignature.h"

#include <algorithm>
#include <string_view>

#include "core/CommandCodec.h"
#include "trust/BigEndian.h"

namespace tarq::trust {

namespace {

// The tags end in a zero byte, so neither is the start of the other.
constexpr std::string_view kTurnTag{"TARQ turn 1", 12};
constexpr std::string_view kFirstStateTag{"TARQ first state 1", 19};

void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

}  // namespace

std::vector<std::uint8_t> TurnBytes(std::uint64_t gameId, const TurnSignature& turn, std::span<const Order> orders) {
    std::vector<std::uint8_t> out;
    out.reserve(64 + orders.size() * 8);
    PutTag(out, kTurnTag);
    Put(out, gameId);
    Put(out, turn.player);
    Put(out, turn.turn);
    Put(out, static_cast<std::uint32_t>(orders.size()));
    for (const Order& order : orders) EncodeOrder(order, out);
    Put(out, turn.stateHashBefore);
    Put(out, turn.stateHashAfter);
    return out;
}

TurnSignature SignTurn(const SecretKey& secretKey, std::uint64_t gameId, TurnSignature turn,
                       std::span<const Order> orders) {
    turn.signature = Sign(secretKey, TurnBytes(gameId, turn, orders));
    return turn;
}

bool VerifyTurn(const PublicKey& publicKey, std::uint64_t gameId, const TurnSignature& turn,
                std::span<const Order> orders) {
    const bool ownOrders =
        std::all_of(orders.begin(), orders.end(), [&](const Order& o) { return o.player == turn.player; });
    return ownOrders && Verify(publicKey, TurnBytes(gameId, turn, orders), turn.signature);
}

std::vector<std::uint8_t> FirstStateBytes(std::uint64_t gameId, const FirstStateSignature& first) {
    std::vector<std::uint8_t> out;
    PutTag(out, kFirstStateTag);
    Put(out, gameId);
    Put(out, first.player);
    Put(out, first.stateHash);
    return out;
}

FirstStateSignature SignFirstState(const SecretKey& secretKey, std::uint64_t gameId, std::uint8_t player,
                                   std::uint64_t stateHash) {
    FirstStateSignature first{player, stateHash, {}};
    first.signature = Sign(secretKey, FirstStateBytes(gameId, first));
    return first;
}

bool VerifyFirstState(const PublicKey& publicKey, std::uint64_t gameId, const FirstStateSignature& first) {
    return Verify(publicKey, FirstStateBytes(gameId, first), first.signature);
}

}  // namespace tarq::trust
