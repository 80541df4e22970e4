#pragma once

// The game's speech sample file:
//   "FORM" <size> "SAMP" "FRMT" 00 00 00 10 <16-byte WAVE format block> "DATA" <size> <samples>
// with big-endian sizes; the format block keeps the WAVE file's little-endian fields.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/wave.h"

namespace quillory {

inline constexpr std::size_t kSpeechHeaderSize = 44;

// The 44 bytes before the samples of a speech sample file with this format and this many
// sound bytes.
std::string speechFileHeader(const FormatBlock& format, std::uint32_t sampleBytes);

}  // namespace quillory
