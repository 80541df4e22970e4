#pragma once

// The game's speech sample file:
//   "FORM" <size> "SAMP" "FRMT" 00 00 00 10 <16-byte WAVE format block> "DATA" <size> <samples>
// with big-endian sizes; the format block keeps the WAVE file's little-endian fields.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/wave.h"

namespace quillory {

inline constexpr std::size_t kSpeechHeaderSize = 44;

// The 44 bytes before the samples of a speech sample file with this format and this many
// sound bytes.
std::string speechFileHeader(const FormatBlock& format, std::uint32_t sampleBytes);

// The sound of a speech sample file.
struct SpeechSample {
    FormatBlock format;
    std::string_view samples;  // within the bytes it was read from
};

// The sound of a speech sample file as the import writes it: "FORM", "SAMP", "FRMT" of 16
// bytes holding a PCM format block with channels, rate, alignment and bits, "DATA" and its
// bytes, no size beyond the file. Nothing for any other bytes.
std::optional<SpeechSample> readSpeechFile(std::string_view bytes);

// The same told from the first kSpeechHeaderSize bytes of a file of `fileLength` bytes, for a
// reader that goes on to stream the samples: the format block and how many sample bytes follow.
struct SpeechHeader {
    FormatBlock format;
    std::uint32_t sampleBytes;
};
std::optional<SpeechHeader> readSpeechHeader(std::string_view header, std::uint64_t fileLength);

}  // namespace quillory
