// Small helpers shared by the test programs.
#pragma once

#include <cstddef>
#include <string>

namespace tarq::testing {

// Number of characters (code points) of a UTF-8 string.
inline std::size_t Utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (const char ch : s)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace tarq::testing
