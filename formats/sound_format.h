#pragma once

// The 16-byte format block that WAVE files and speech sample files share, and what a voice is:
// the sound a speech sample file holds. The import writes nothing else, the player plays
// nothing else.
#include <array>
#include <cstddef>
#include <cstdint>

namespace quillory {

inline constexpr std::size_t kFormatBlockSize = 16;
using FormatBlock = std::array<unsigned char, kFormatBlockSize>;

inline constexpr unsigned kTagPcm = 1;

// The fields of a format block, which holds them little-endian in this order.
struct FormatFields {
    unsigned tag = 0;
    unsigned channels = 0;
    std::uint32_t rate = 0;      // frames a second
    std::uint32_t byteRate = 0;  // bytes a second
    unsigned blockAlign = 0;     // bytes a frame
    unsigned bits = 0;           // bits a sample
};

FormatFields readFormatBlock(const FormatBlock& block);
FormatBlock makeFormatBlock(const FormatFields& fields);

// Sound in whole frames: at least one channel, a rate above 0, samples of whole bytes, and
// frames of one sample of each channel.
bool hasWholeFrames(const FormatFields& format);

// A voice: PCM of 8 or 16 bits a sample, in whole frames.
bool isVoice(const FormatBlock& block);

}  // namespace quillory
