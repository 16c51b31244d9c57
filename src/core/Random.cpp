#include "core/Random.h"

#include <chrono>

namespace tarq {

std::uint32_t RandomSource::ClockSeed() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

}  // namespace tarq
