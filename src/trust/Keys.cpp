#include "trust/Keys.h"

#include <sodium.h>

#include <cstdlib>

namespace tarq::trust {

static_assert(kPublicKeySize == crypto_sign_PUBLICKEYBYTES);
static_assert(kSecretKeySize == crypto_sign_SECRETKEYBYTES);
static_assert(kSignatureSize == crypto_sign_BYTES);

void UseSodium() {
    // sodium_init fails only when the system gives no random numbers; nothing
    // here could be made safe without them.
    static const bool ready = sodium_init() >= 0;
    if (!ready) std::abort();
}

SecretKey::SecretKey() : bytes_{} {}

SecretKey::SecretKey(const std::array<std::uint8_t, kSecretKeySize>& bytes) : bytes_(bytes) {}

SecretKey::~SecretKey() { sodium_memzero(bytes_.data(), bytes_.size()); }

KeyPair NewKeyPair() {
    UseSodium();
    KeyPair pair;
    crypto_sign_keypair(pair.publicKey.data(), pair.secretKey.Bytes().data());
    return pair;
}

PublicKey PublicKeyOf(const SecretKey& secretKey) {
    PublicKey key;
    crypto_sign_ed25519_sk_to_pk(key.data(), secretKey.Bytes().data());
    return key;
}

bool IsWholeKey(const SecretKey& secretKey) {
    UseSodium();
    std::array<std::uint8_t, crypto_sign_SEEDBYTES> seed;
    crypto_sign_ed25519_sk_to_seed(seed.data(), secretKey.Bytes().data());
    KeyPair made;
    crypto_sign_seed_keypair(made.publicKey.data(), made.secretKey.Bytes().data(), seed.data());
    sodium_memzero(seed.data(), seed.size());
    return sodium_memcmp(made.secretKey.Bytes().data(), secretKey.Bytes().data(), kSecretKeySize) == 0;
}

Signature Sign(const SecretKey& secretKey, ByteView bytes) {
    UseSodium();
    Signature signature;
    crypto_sign_detached(signature.data(), nullptr, bytes.data(), bytes.size(), secretKey.Bytes().data());
    return signature;
}

bool Verify(const PublicKey& publicKey, ByteView bytes, const Signature& signature) {
    UseSodium();
    return crypto_sign_verify_detached(signature.data(), bytes.data(), bytes.size(), publicKey.data()) == 0;
}

}  // namespace tarq::trust
