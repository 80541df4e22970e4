#pragma once

#include <cstdint>

namespace quillory {

// The game's files keep their sizes as 32-bit big-endian values.
inline void putBigEndian32(void* at, std::uint32_t value) {
    auto* bytes = static_cast<unsigned char*>(at);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
    }
}

}  // namespace quillory
