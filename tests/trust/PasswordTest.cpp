// Player passwords and the growing wait after wrong ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "trust/PasswordTries.h"
#include "trust/Passwords.h"

namespace tarq::trust {
namespace {

TEST(Password, RecordOpensWithItsPasswordOnly) {
    const std::string password = "Пароль 1";
    const std::optional<PasswordRecord> record = HashPassword(password);
    ASSERT_TRUE(record);
    EXPECT_TRUE(VerifyPassword(*record, password));
    for (const std::string wrong : {"", "Пароль 2", "пароль 1", "Пароль 1 ", "Пароль"})
        EXPECT_FALSE(VerifyPassword(*record, wrong)) << wrong;
    // A new salt each time: two players with one password have unlike records.
    const std::optional<PasswordRecord> again = HashPassword(password);
    ASSERT_TRUE(again);
    EXPECT_NE(record->salt, again->salt);
    EXPECT_NE(record->hash, again->hash);
}

// A record from a file that asks for a ruinous cost (or none) is refused
// before any hashing, whatever the password.
TEST(Password, RecordOfRefusedCostOpensWithNothing) {
    const std::optional<PasswordRecord> record = HashPassword("x");
    ASSERT_TRUE(record);
    const std::pair<std::uint32_t, std::uint32_t> costs[] = {
        {0, kPasswordMemLimitKiB},        {kMaxPasswordOpsLimit + 1, kPasswordMemLimitKiB},
        {kPasswordOpsLimit, 1},           {kPasswordOpsLimit, kMaxPasswordMemLimitKiB + 1},
        {kPasswordOpsLimit, 0xFFFFFFFFu},
    };
    for (const auto& [ops, mem] : costs) {
        PasswordRecord changed = *record;
        changed.opsLimit = ops;
        changed.memLimitKiB = mem;
        EXPECT_FALSE(VerifyPassword(changed, "x")) << ops << " " << mem;
    }
}

TEST(PasswordTries, DelayDoublesUpToThirtySeconds) {
    const int expected[] = {0, 1, 2, 4, 8, 16, 30, 30};
    for (int failures = 0; failures < 8; ++failures)
        EXPECT_EQ(PasswordTries::DelayAfter(failures).count(), expected[failures]) << failures;
    EXPECT_EQ(PasswordTries::DelayAfter(1000).count(), 30);
}

TEST(PasswordTries, CountsPerGameAndPlayerUntilTheRightPassword) {
    using namespace std::chrono_literals;
    PasswordTries tries;
    const PasswordTries::Clock::time_point t0{};
    const PlayerOfGame one{7, 1}, two{7, 2}, otherGame{8, 1};
    EXPECT_EQ(tries.WaitLeft(one, t0), 0s);
    EXPECT_EQ(tries.Wrong(one, t0), 1s);
    EXPECT_EQ(tries.Wrong(one, t0 + 1s), 2s);
    EXPECT_EQ(tries.Wrong(one, t0 + 3s), 4s);
    EXPECT_EQ(tries.WaitLeft(one, t0 + 4s), 3s);
    EXPECT_EQ(tries.WaitLeft(one, t0 + 7s), 0s);
    EXPECT_EQ(tries.WaitLeft(two, t0 + 4s), 0s);
    EXPECT_EQ(tries.Wrong(otherGame, t0), 1s);
    tries.Right(one);
    EXPECT_EQ(tries.WaitLeft(one, t0 + 4s), 0s);
    EXPECT_EQ(tries.Wrong(one, t0 + 8s), 1s);
    EXPECT_EQ(tries.Wrong(otherGame, t0 + 1s), 2s);
}

}  // namespace
}  // namespace tarq::trust
