// The secret key's file: it opens with the right password only, and a damaged
// or foreign file is refused with its cause.
#include <gtest/gtest.h>
#include <sodium.h>

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>

#include "trust/KeyStore.h"
#include "trust/SealedKey.h"

namespace tarq::trust {
namespace {

constexpr std::uint64_t kGame = 0xFEEDull;
constexpr std::size_t kChecksumSize = 32;
constexpr std::size_t kKindAt = 17;

using Bytes = std::vector<std::uint8_t>;

// The file with its checksum made right again, as a forger would.
void Rechecksum(Bytes& file) {
    const std::size_t body = file.size() - kChecksumSize;
    crypto_generichash(file.data() + body, kChecksumSize, file.data(), body, nullptr, 0);
}

TEST(SealedKey, OpensWithTheRightPasswordOnly) {
    const KeyPair pair = NewKeyPair();
    const Bytes sealed = SealSecretKey(pair.secretKey, kGame, 2, "секрет");
    ASSERT_FALSE(sealed.empty());
    const OpenedKey opened = OpenSecretKey(sealed, kGame, 2, "секрет");
    ASSERT_TRUE(opened.key);
    EXPECT_EQ(opened.key->Bytes(), pair.secretKey.Bytes());
    for (const std::string wrong : {"", "Секрет", "секрет "}) {
        const OpenedKey refused = OpenSecretKey(sealed, kGame, 2, wrong);
        EXPECT_FALSE(refused.key);
        EXPECT_EQ(refused.refusal, KeyRefusal::WrongPassword) << wrong;
    }
    // Without a password the key is kept plain and opens without one.
    const Bytes plain = SealSecretKey(pair.secretKey, kGame, 2, "");
    EXPECT_EQ(OpenSecretKey(plain, kGame, 2, "").key->Bytes(), pair.secretKey.Bytes());
}

TEST(SealedKey, RefusesDamagedOrForeignFilesWithTheirCause) {
    const KeyPair pair = NewKeyPair();
    const Bytes plain = SealSecretKey(pair.secretKey, kGame, 2, "");
    const Bytes sealed = SealSecretKey(pair.secretKey, kGame, 2, "p");
    struct Case {
        const char* what;
        const Bytes& file;
        std::function<void(Bytes&)> damage;
        KeyRefusal refusal;
    };
    const Case cases[] = {
        {"empty", plain, [](Bytes& f) { f.clear(); }, KeyRefusal::Truncated},
        {"cut in the header", sealed, [](Bytes& f) { f.resize(12); }, KeyRefusal::Truncated},
        {"not a key file", plain, [](Bytes& f) { f[0] = 'X'; }, KeyRefusal::NotKeyFile},
        {"last byte cut", sealed, [](Bytes& f) { f.pop_back(); }, KeyRefusal::Checksum},
        {"a byte added", plain, [](Bytes& f) { f.push_back(0); }, KeyRefusal::Checksum},
        {"key byte flipped", plain, [](Bytes& f) { f[30] ^= 4; }, KeyRefusal::Checksum},
        {"box byte flipped", sealed, [](Bytes& f) { f[f.size() - 40] ^= 4; }, KeyRefusal::Checksum},
        {"unknown kind", plain,
         [](Bytes& f) {
             f[kKindAt] = 7;
             Rechecksum(f);
         },
         KeyRefusal::BadContents},
        {"plain key's halves disagree", plain,
         [](Bytes& f) {
             f[60] ^= 1;
             Rechecksum(f);
         },
         KeyRefusal::BadContents},
        {"ruinous cost", sealed,
         [](Bytes& f) {
             f[kKindAt + 1] = 0x7F;
             Rechecksum(f);
         },
         KeyRefusal::BadContents},
        {"sealed box changed", sealed,
         [](Bytes& f) {
             f[f.size() - 40] ^= 4;
             Rechecksum(f);
         },
         KeyRefusal::WrongPassword},
    };
    for (const Case& c : cases) {
        Bytes file = c.file;
        c.damage(file);
        const OpenedKey opened = OpenSecretKey(file, kGame, 2, "p");
        EXPECT_FALSE(opened.key) << c.what;
        EXPECT_EQ(opened.refusal, c.refusal) << c.what;
    }
    EXPECT_EQ(OpenSecretKey(plain, kGame + 1, 2, "").refusal, KeyRefusal::OtherKey);
    EXPECT_EQ(OpenSecretKey(sealed, kGame, 3, "p").refusal, KeyRefusal::OtherKey);
    EXPECT_EQ(KeyRefusalText(KeyRefusal::Checksum, 2), "Файл ключа игрока 2 поврежден: контрольная сумма не сходится.");
}

TEST(KeyStore, KeepsKeysForTheUserAloneAndChangesTheirPassword) {
    QTemporaryDir dir;
    const KeyStore store(dir.filePath(QStringLiteral("data/keys")));
    const KeyPair pair = NewKeyPair();
    EXPECT_EQ(store.Open(kGame, 1, "").refusal, KeyRefusal::NoFile);
    ASSERT_EQ(store.Store(pair.secretKey, kGame, 1, "старый"), QString());
    namespace fs = std::filesystem;
    const fs::path path = store.FilePath(kGame, 1).toStdString();
    EXPECT_EQ(path.filename(), "000000000000feed-1.key");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(path.parent_path()).permissions(), fs::perms::owner_all);

    EXPECT_EQ(store.ChangePassword(kGame, 1, "новый", "новый"), QStringLiteral("Неверный пароль"));
    ASSERT_EQ(store.ChangePassword(kGame, 1, "старый", "новый"), QString());
    EXPECT_EQ(store.Open(kGame, 1, "старый").refusal, KeyRefusal::WrongPassword);
    const OpenedKey opened = store.Open(kGame, 1, "новый");
    ASSERT_TRUE(opened.key);
    EXPECT_EQ(opened.key->Bytes(), pair.secretKey.Bytes());
    // A file where the folder should be: the cause, and no key file anywhere.
    const KeyStore blocked(dir.filePath(QStringLiteral("data/keys/000000000000feed-1.key")));
    EXPECT_FALSE(blocked.Store(pair.secretKey, kGame, 1, "").isEmpty());
}

}  // namespace
}  // namespace tarq::trust
