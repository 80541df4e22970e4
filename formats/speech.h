#pragma once

// The game's speech sample file:
//   "FORM" <size> "SAMP" "FRMT" 00 00 00 10 <16-byte WAVE format block> "DATA" <size> <samples>
// with big-endian sizes; the format block keeps the WAVE file's little-endian fields.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formats/sound_format.h"

namespace quillory {

inline constexpr std::size_t kSpeechHeaderSize = 44;
// The most sound bytes whose FORM size 32 bits still count.
inline constexpr std::uint64_t kMostSpeechBytes = 0xFFFFFFFFu - (kSpeechHeaderSize - 8);

// The 44 bytes before the samples of a speech sample file with this format and this many
// sound bytes.
std::string speechFileHeader(const FormatBlock& format, std::uint32_t sampleBytes);

// The sound of a speech sample file as its header tells it; its samples start at
// kSpeechHeaderSize.
struct SpeechHeader {
    FormatBlock format;
    std::uint32_t sampleBytes;
};

// Checks a speech sample file from its first kSpeechHeaderSize bytes (or more) and its length,
// without its samples: "FORM", "SAMP", "FRMT" of 16 bytes holding a voice (isVoice), "DATA",
// no size beyond the file. Nothing for a file the import cannot have written.
std::optional<SpeechHeader> readSpeechHeader(std::string_view header, std::uint64_t fileLength);

// The sound of a speech sample file.
struct SpeechSample {
    FormatBlock format;
    std::string_view samples;  // within the bytes it was read from
};

// The sound of a whole speech sample file whose header readSpeechHeader takes; nothing for any
// other bytes.
std::optional<SpeechSample> readSpeechFile(std::string_view bytes);

}  // namespace quillory
