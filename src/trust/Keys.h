// Ed25519 key pairs and signatures. Each player of a game has a key pair: the
// public key travels in the game file, the secret key stays on the player's
// machine (KeyStore.h) and signs what the player did, so that anyone holding
// the file can check who did it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarq::trust {

constexpr std::size_t kPublicKeySize = 32;
constexpr std::size_t kSecretKeySize = 64;
constexpr std::size_t kSignatureSize = 64;

using PublicKey = std::array<std::uint8_t, kPublicKeySize>;
using Signature = std::array<std::uint8_t, kSignatureSize>;
using ByteView = std::span<const std::uint8_t>;

// A secret key; its bytes are wiped when it goes, so that no copy of it
// lingers in freed memory.
class SecretKey {
public:
    SecretKey();
    explicit SecretKey(const std::array<std::uint8_t, kSecretKeySize>& bytes);
    SecretKey(const SecretKey&) = default;
    SecretKey& operator=(const SecretKey&) = default;
    ~SecretKey();

    const std::array<std::uint8_t, kSecretKeySize>& Bytes() const { return bytes_; }
    std::array<std::uint8_t, kSecretKeySize>& Bytes() { return bytes_; }

private:
    std::array<std::uint8_t, kSecretKeySize> bytes_;
};

struct KeyPair {
    PublicKey publicKey{};
    SecretKey secretKey;
};

KeyPair NewKeyPair();

// The public key that belongs to `secretKey` (it is kept inside it).
PublicKey PublicKeyOf(const SecretKey& secretKey);

// False when the secret key's halves disagree: its public half is not the
// one its seed makes (a damaged or made-up key).
bool IsWholeKey(const SecretKey& secretKey);

Signature Sign(const SecretKey& secretKey, ByteView bytes);
bool Verify(const PublicKey& publicKey, ByteView bytes, const Signature& signature);

// Makes sure libsodium is ready; every function of this folder calls it.
void UseSodium();

}  // namespace tarq::trust
