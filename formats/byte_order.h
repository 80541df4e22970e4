#pragma once

#include <cstddef>
#include <cstdint>

namespace quillory {

// WAVE files keep their numbers little-endian; the game's files keep their sizes as 32-bit
// big-endian values.

inline std::uint32_t littleEndian(const unsigned char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = (value << 8) | bytes[i - 1];
    }
    return value;
}

inline void putLittleEndian(unsigned char* at, std::uint32_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

inline void putBigEndian32(void* at, std::uint32_t value) {
    auto* bytes = static_cast<unsigned char*>(at);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
    }
}

}  // namespace quillory
