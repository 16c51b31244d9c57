// How long a player waits before the next password try is taken, after wrong
// ones: 0 s at first, then 1 s, 2 s, 4 s... doubling up to 30 s, per game and
// player, until a right password resets it. The object only says how long;
// the window does the waiting. It lives as long as the window, so closing
// and opening the password dialog again does not start the count anew.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>

namespace tarq::trust {

struct PlayerOfGame {
    std::uint64_t gameId = 0;
    int player = 0;
    auto operator<=>(const PlayerOfGame&) const = default;
};

class PasswordTries {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kLongestDelay{30};

    // The wait before a try after `failures` wrong ones in a row.
    static std::chrono::seconds DelayAfter(int failures);

    // A wrong password of `who` given at `now`: the wait before the next try.
    std::chrono::seconds Wrong(const PlayerOfGame& who, Clock::time_point now);
    // The right password: the next wrong one starts the count again.
    void Right(const PlayerOfGame& who);
    // How long `who` must still wait at `now` before a try is taken.
    Clock::duration WaitLeft(const PlayerOfGame& who, Clock::time_point now) const;

private:
    struct Count {
        int failures = 0;
        Clock::time_point nextTry;
    };
    std::map<PlayerOfGame, Count> counts_;
};

}  // namespace tarq::trust
