#pragma once

// A voice recorded in the program, a take: 22,050 Hz 16-bit mono PCM, little-endian, as the
// microphone gives it. Which part of it is kept, how it sounds, and its speech sample file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Whether the samples reach full scale: the voice was clipped.
bool Clipped(std::string_view samples);

// The samples scaled so that their peak is at -1 dBFS, never above; silence stays as it is.
std::string EvenedOut(std::string_view samples);

// The peaks of the take's whole 10 ms windows that `peaks` does not hold yet, appended to it:
// a take that grows is read once.
void AddWindowPeaks(std::string_view samples, std::vector<int>& peaks);
// The window peaks gathered into `columns` equal stretches of `span` windows in all (at least
// as many as there are), for drawing the take: only the columns that the windows reach. When
// there are fewer windows than columns, a window spreads over several.
std::vector<int> ColumnPeaks(const std::vector<int>& windows, std::size_t span, int columns);

// The samples as a voice, in the take's format.
VoiceSound TakeVoice(std::string_view samples);

}  // namespace quillory
