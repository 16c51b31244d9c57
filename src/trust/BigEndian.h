// Unsigned numbers as big-endian bytes, for the byte layouts of this folder.
#pragma once

#include <concepts>
#include <cstdint>
#include <vector>

namespace tarq::trust {

template <std::unsigned_integral T>
void Put(std::vector<std::uint8_t>& out, T value) {
    for (int shift = 8 * (static_cast<int>(sizeof(T)) - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

template <std::unsigned_integral T>
T Get(const std::uint8_t* at) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) value = static_cast<T>((value << 8) | at[i]);
    return value;
}

}  // namespace tarq::trust
