#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

namespace quillory::fuzz {

// A promise of the code under test; a broken one stops the fuzzer with the input that broke it.
inline void check(bool promise) {
    if (!promise) {
        std::abort();
    }
}

inline std::uint32_t bigEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

}  // namespace quillory::fuzz
