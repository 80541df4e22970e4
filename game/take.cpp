#include "game/take.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "formats/byte_order.h"
#include "formats/sound_format.h"

namespace quillory {
namespace {

constexpr std::size_t kWindowFrames = kTakeFormat.rate / 100;                  // 10 ms
constexpr std::size_t kMarginBytes = kTakeFormat.rate / 10 * kTakeFrameBytes;  // 100 ms
// -40 dBFS: a hundredth of full scale, 327.68.
constexpr int kQuietestHeard = 328;

int SampleAt(std::string_view samples, std::size_t frame) {
    return static_cast<std::int16_t>(readLittleEndian(samples, frame * kTakeFrameBytes, 2));
}

FormatBlock TakeFormatBlock() {
    const unsigned align = kTakeFormat.channels * kTakeFormat.bits / 8;
    return makeFormatBlock({kTagPcm, kTakeFormat.channels, kTakeFormat.rate,
                            kTakeFormat.rate * align, align, kTakeFormat.bits});
}

}  // namespace

std::uint64_t TakeMilliseconds(std::size_t bytes) {
    return std::uint64_t{bytes / kTakeFrameBytes} * 1000 / kTakeFormat.rate;
}

int PeakOf(std::string_view samples) {
    int peak = 0;
    for (std::size_t frame = 0; frame < samples.size() / kTakeFrameBytes; ++frame) {
        peak = std::max(peak, std::abs(SampleAt(samples, frame)));
    }
    return peak;
}

std::optional<TakePart> AudiblePart(std::string_view samples) {
    const std::size_t windowBytes = kWindowFrames * kTakeFrameBytes;
    const std::size_t end = samples.size() / kTakeFrameBytes * kTakeFrameBytes;
    std::optional<std::size_t> first;
    std::size_t last = 0;  // the end of the last window heard
    for (std::size_t at = 0; at < end; at += windowBytes) {
        const std::size_t size = std::min(windowBytes, end - at);
        if (PeakOf(samples.substr(at, size)) >= kQuietestHeard) {
            first = first.value_or(at);
            last = at + size;
        }
    }
    if (!first) {
        return std::nullopt;
    }
    const std::size_t from = *first > kMarginBytes ? *first - kMarginBytes : 0;
    const std::size_t to = std::min(end, last + kMarginBytes);
    return TakePart{from, to - from};
}

VoiceSound TakeVoice(std::string_view samples) {
    return {TakeFormatBlock(), static_cast<std::uint32_t>(samples.size()),
            std::make_unique<MemorySamples>(std::string(samples))};
}

}  // namespace quillory
