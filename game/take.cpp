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
// -1 dBFS: 32768 * 10^(-1/20), rounded down.
constexpr int kEvenPeak = 29204;

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

bool Clipped(std::string_view samples) { return PeakOf(samples) >= 32767; }

std::string EvenedOut(std::string_view samples) {
    const int peak = PeakOf(samples);
    std::string evened(samples.substr(0, samples.size() / kTakeFrameBytes * kTakeFrameBytes));
    if (peak == 0) {
        return evened;
    }
    for (std::size_t frame = 0; frame < evened.size() / kTakeFrameBytes; ++frame) {
        // Rounded towards zero, so that no sample passes the peak aimed at.
        const auto value =
            static_cast<std::int16_t>(std::int64_t{SampleAt(evened, frame)} * kEvenPeak / peak);
        evened[frame * 2] = static_cast<char>(value & 0xFF);
        evened[frame * 2 + 1] = static_cast<char>((value >> 8) & 0xFF);
    }
    return evened;
}

void AddWindowPeaks(std::string_view samples, std::vector<int>& peaks) {
    const std::size_t windowBytes = kWindowFrames * kTakeFrameBytes;
    for (std::size_t at = peaks.size() * windowBytes; at + windowBytes <= samples.size();
         at += windowBytes) {
        peaks.push_back(PeakOf(samples.substr(at, windowBytes)));
    }
}

std::vector<int> ColumnPeaks(const std::vector<int>& windows, std::size_t span, int columns) {
    std::vector<int> peaks;
    const auto count = static_cast<std::size_t>(std::max(columns, 0));
    span = std::max(span, windows.size());
    for (std::size_t column = 0; column < count && span * column / count < windows.size();
         ++column) {
        const std::size_t from = span * column / count;
        const std::size_t to =
            std::min(windows.size(), std::max(from + 1, span * (column + 1) / count));
        peaks.push_back(*std::max_element(windows.begin() + static_cast<std::ptrdiff_t>(from),
                                          windows.begin() + static_cast<std::ptrdiff_t>(to)));
    }
    return peaks;
}

VoiceSound TakeVoice(std::string_view samples) {
    return {TakeFormatBlock(), static_cast<std::uint32_t>(samples.size()),
            std::make_unique<MemorySamples>(std::string(samples))};
}

}  // namespace quillory
