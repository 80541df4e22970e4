#pragma once

#include <cstdint>

namespace quillory {

// Uncompressed PCM: interleaved frames of `channels` samples of `bits` bits each (in whole
// bytes, little-endian), `rate` frames a second.
struct PcmFormat {
    std::uint32_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t bits = 0;

    bool operator==(const PcmFormat&) const = default;
};

}  // namespace quillory
