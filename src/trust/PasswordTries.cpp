#include "trust/PasswordTries.h"

#include <algorithm>

namespace tarq::trust {

std::chrono::seconds PasswordTries::DelayAfter(int failures) {
    if (failures <= 0) return std::chrono::seconds{0};
    // 2^(failures - 1), capped before the shift could overflow.
    const int shift = std::min(failures - 1, 5);
    return std::min(std::chrono::seconds{std::int64_t{1} << shift}, kLongestDelay);
}

std::chrono::seconds PasswordTries::Wrong(const PlayerOfGame& who, Clock::time_point now) {
    Count& count = counts_[who];
    ++count.failures;
    const std::chrono::seconds delay = DelayAfter(count.failures);
    count.nextTry = now + delay;
    return delay;
}

void PasswordTries::Right(const PlayerOfGame& who) { counts_.erase(who); }

PasswordTries::Clock::duration PasswordTries::WaitLeft(const PlayerOfGame& who, Clock::time_point now) const {
    const auto found = counts_.find(who);
    if (found == counts_.end() || found->second.nextTry <= now) return Clock::duration::zero();
    return found->second.nextTry - now;
}

}  // namespace tarq::trust
