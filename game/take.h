#pragma once

// A voice recorded in the program, a take: 22,050 Hz 16-bit mono PCM, little-endian, as the
// microphone gives it. Which part of it is kept, how it sounds, and its speech sample file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/voice_sound.h"
#include "platform/pcm_format.h"

namespace quillory {

inline constexpr PcmFormat kTakeFormat{1, 22050, 16};
inline constexpr std::size_t kTakeFrameBytes = kTakeFormat.channels * kTakeFormat.bits / 8;
// A recording stops by itself at 60 seconds.
inline constexpr std::size_t kLongestTakeBytes = 60 * kTakeFormat.rate * kTakeFrameBytes;

// How long `bytes` of a take last, in milliseconds, rounded down.
std::uint64_t TakeMilliseconds(std::size_t bytes);

// The highest magnitude of the samples: 0 to 32768.
int PeakOf(std::string_view samples);

// The part of a take that is kept, in bytes: without the leading and trailing stretches whose
// peak stays below -40 dBFS in windows of 10 ms, but for 100 ms of margin on each side (as far
// as the take goes). Nothing for a take that is silent throughout.
struct TakePart {
    std::size_t offset;
    std::size_t size;
};
std::optional<TakePart> AudiblePart(std::string_view samples);

// The samples as a voice, in the take's format.
VoiceSound TakeVoice(std::string_view samples);

}  // namespace quillory
