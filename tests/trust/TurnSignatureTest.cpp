// Signed turns and first states: every field is covered, a foreign key or a
// foreign order is refused.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "trust/TurnSignature.h"

namespace tarq::trust {
namespace {

constexpr std::uint64_t kGame = 0x1234567890ABCDEFull;

std::vector<Order> TurnOrders() {
    return {{2, cmd::Step{5, 10, 11}},
            {2, cmd::StartConstruction{6, 12, 3, 1}},
            {2, cmd::Step{5, 11, 11}},
            {2, cmd::EndTurn{}}};
}

TEST(Keys, SignatureVerifiesUnderItsKeyAndBytesOnly) {
    const KeyPair pair = NewKeyPair();
    const KeyPair other = NewKeyPair();
    EXPECT_TRUE(IsWholeKey(pair.secretKey));
    EXPECT_EQ(PublicKeyOf(pair.secretKey), pair.publicKey);
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8};
    const Signature signature = Sign(pair.secretKey, bytes);
    EXPECT_TRUE(Verify(pair.publicKey, bytes, signature));
    EXPECT_FALSE(Verify(other.publicKey, bytes, signature));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::vector<std::uint8_t> changed = bytes;
        changed[i] ^= 1;
        EXPECT_FALSE(Verify(pair.publicKey, changed, signature)) << "byte " << i;
    }
    for (std::size_t i = 0; i < signature.size(); i += 7) {
        Signature changed = signature;
        changed[i] ^= 0x40;
        EXPECT_FALSE(Verify(pair.publicKey, bytes, changed)) << "signature byte " << i;
    }
}

// Each case changes one thing between signing and checking.
TEST(TurnSignature, CoversEveryField) {
    const KeyPair pair = NewKeyPair();
    const TurnSignature honest =
        SignTurn(pair.secretKey, kGame, {2, 17, 0xAAAAAAAAAAAAAAAAull, 0xBBBBBBBBBBBBBBBBull, {}}, TurnOrders());
    struct Case {
        const char* what;
        std::function<void(std::uint64_t&, TurnSignature&, std::vector<Order>&)> change;
    };
    const Case cases[] = {
        {"nothing", [](auto&, auto&, auto&) {}},
        {"game id", [](auto& game, auto&, auto&) { game ^= 1; }},
        {"player",
         [](auto&, auto& t, auto& orders) {
             t.player = 3;
             for (Order& o : orders) o.player = 3;
         }},
        {"turn", [](auto&, auto& t, auto&) { ++t.turn; }},
        {"hash before", [](auto&, auto& t, auto&) { t.stateHashBefore ^= 1ull << 40; }},
        {"hash after", [](auto&, auto& t, auto&) { t.stateHashAfter ^= 1; }},
        {"signature", [](auto&, auto& t, auto&) { t.signature[63] ^= 1; }},
        {"an order's field", [](auto&, auto&, auto& orders) { std::get<cmd::Step>(orders[2].command).col = 12; }},
        {"an order's kind",
         [](auto&, auto&, auto& orders) {
             orders[0].command = cmd::MoveSite{10, 11};
         }},
        {"orders swapped", [](auto&, auto&, auto& orders) { std::swap(orders[0], orders[2]); }},
        {"an order dropped", [](auto&, auto&, auto& orders) { orders.erase(orders.begin() + 1); }},
        {"an order added",
         [](auto&, auto&, auto& orders) {
             orders.insert(orders.begin(), {2, cmd::Step{5, 9, 9}});
         }},
        {"no orders", [](auto&, auto&, auto& orders) { orders.clear(); }},
    };
    for (const Case& c : cases) {
        std::uint64_t game = kGame;
        TurnSignature turn = honest;
        std::vector<Order> orders = TurnOrders();
        c.change(game, turn, orders);
        EXPECT_EQ(VerifyTurn(pair.publicKey, game, turn, orders), &c == &cases[0]) << c.what;
    }
    EXPECT_FALSE(VerifyTurn(NewKeyPair().publicKey, kGame, honest, TurnOrders()));
}

// Player 2 cannot sign orders for player 3's units into their own turn.
TEST(TurnSignature, RefusesOrdersOfAnotherPlayerEvenWhenSigned) {
    const KeyPair pair = NewKeyPair();
    std::vector<Order> orders = TurnOrders();
    orders[1].player = 3;
    const TurnSignature turn = SignTurn(pair.secretKey, kGame, {2, 5, 1, 2, {}}, orders);
    EXPECT_TRUE(Verify(pair.publicKey, TurnBytes(kGame, turn, orders), turn.signature));
    EXPECT_FALSE(VerifyTurn(pair.publicKey, kGame, turn, orders));
}

TEST(FirstStateSignature, CoversGamePlayerAndHash) {
    const KeyPair pair = NewKeyPair();
    const FirstStateSignature honest = SignFirstState(pair.secretKey, kGame, 1, 0xC0FFEE);
    EXPECT_TRUE(VerifyFirstState(pair.publicKey, kGame, honest));
    EXPECT_FALSE(VerifyFirstState(pair.publicKey, kGame + 1, honest));
    EXPECT_FALSE(VerifyFirstState(NewKeyPair().publicKey, kGame, honest));
    FirstStateSignature changed = honest;
    changed.player = 2;
    EXPECT_FALSE(VerifyFirstState(pair.publicKey, kGame, changed));
    changed = honest;
    changed.stateHash ^= 1;
    EXPECT_FALSE(VerifyFirstState(pair.publicKey, kGame, changed));
    // Neither kind of signature passes for the other.
    const TurnSignature turn{1, 0, 0xC0FFEE, 0, honest.signature};
    EXPECT_FALSE(VerifyTurn(pair.publicKey, kGame, turn, {}));
}

}  // namespace
}  // namespace tarq::trust
