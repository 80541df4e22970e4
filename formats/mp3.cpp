#include "formats/mp3.h"

#include <algorithm>
#include <cstring>

#include "formats/byte_order.h"

namespace quillory {
namespace {

constexpr std::size_t kWindowSize = 64 * 1024;
constexpr unsigned kId3v1Size = 128;
constexpr unsigned kId3v1ExtendedSize = 227;  // "TAG+" before the ID3v1 tag
constexpr unsigned kApeFooterSize = 32;
constexpr std::uint32_t kApeHasHeader = 0x80000000u;
constexpr unsigned kLameTagSize = 24;  // up to the encoder delay and padding

// Layer III bit rates in kbit/s by index 1..14.
constexpr unsigned kMpeg1Rates[15] = {0,   32,  40,  48,  56,  64,  80, 96,
                                      112, 128, 160, 192, 224, 256, 320};
constexpr unsigned kMpeg2Rates[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr unsigned kSampleRates[3] = {44100, 48000, 32000};  // MPEG 1; halved for 2, quartered
                                                             // for 2.5

// The frame at `at` if it is one of the stream and ends by `end`, with the next one starting
// right after it (or, if `lastWillDo`, the end there).
std::optional<Mp3FrameHeader> frameAt(ByteWindow& window, std::uint64_t at, std::uint64_t end,
                                      const Mp3FrameHeader* stream, bool lastWillDo) {
    const unsigned char* bytes = at + 4 <= end ? window.at(at, 4) : nullptr;
    std::optional<Mp3FrameHeader> header = bytes ? parseMp3Header(bytes) : std::nullopt;
    if (!header || (stream && !header->sameStream(*stream)) || at + header->frameBytes > end) {
        return std::nullopt;
    }
    const std::uint64_t after = at + header->frameBytes;
    if (after == end) {
        return lastWillDo ? header : std::nullopt;
    }
    const unsigned char* following = after + 4 <= end ? window.at(after, 4) : nullptr;
    const std::optional<Mp3FrameHeader> next = following ? parseMp3Header(following) : std::nullopt;
    if (!next || !next->sameStream(*header)) {
        return std::nullopt;
    }
    return header;
}

// The first frame of the stream at or after `from`, no further than `limit`.
std::optional<std::uint64_t> findFrame(ByteWindow& window, std::uint64_t from, std::uint64_t limit,
                                       std::uint64_t end, const Mp3FrameHeader* stream,
                                       bool lastWillDo) {
    for (std::uint64_t at = from; at <= limit && at + 4 <= end; ++at) {
        const unsigned char* byte = window.at(at, 1);
        if (byte && *byte == 0xFF && frameAt(window, at, end, stream, lastWillDo)) {
            return at;
        }
    }
    return std::nullopt;
}

// Where the tags at the end (ID3v1, APE) begin.
std::uint64_t soundEnd(ByteWindow& window, std::uint64_t size) {
    std::uint64_t end = size;
    if (end >= kId3v1Size) {
        if (const unsigned char* tag = window.at(end - kId3v1Size, 3);
            tag && std::memcmp(tag, "TAG", 3) == 0) {
            end -= kId3v1Size;
            const unsigned char* extended =
                end >= kId3v1ExtendedSize ? window.at(end - kId3v1ExtendedSize, 4) : nullptr;
            if (extended && std::memcmp(extended, "TAG+", 4) == 0) {
                end -= kId3v1ExtendedSize;
            }
        }
    }
    if (end >= kApeFooterSize) {
        if (const unsigned char* footer = window.at(end - kApeFooterSize, kApeFooterSize);
            footer && std::memcmp(footer, "APETAGEX", 8) == 0) {
            const std::uint64_t tagSize = readLittleEndian(footer + 12, 4);
            const auto flags = static_cast<std::uint32_t>(readLittleEndian(footer + 20, 4));
            const std::uint64_t whole = tagSize + ((flags & kApeHasHeader) ? kApeFooterSize : 0);
            end -= std::min(whole, end);
        }
    }
    return end;
}

// An APE tag's header at the start, as some writers put it: its whole size, 0 for none.
std::uint64_t apeHeaderSize(ByteWindow& window, std::uint64_t at) {
    const unsigned char* header = window.at(at, kApeFooterSize);
    if (!header || std::memcmp(header, "APETAGEX", 8) != 0) {
        return 0;
    }
    return kApeFooterSize + readLittleEndian(header + 12, 4);
}

// Reads the Xing/Info or VBRI header of the frame at `at`, and the LAME tag after a Xing one.
bool readVbrHeader(ByteWindow& window, std::uint64_t at, Mp3Layout& layout) {
    const Mp3FrameHeader& frame = layout.first;
    const bool mono = frame.channels == 1;
    const unsigned sideInfo = frame.version == 1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    const unsigned char* bytes = window.at(at, frame.frameBytes);
    if (!bytes) {
        return false;
    }
    const unsigned size = frame.frameBytes;
    const unsigned xing = 4 + (frame.crc ? 2 : 0) + sideInfo;
    if (xing + 8 <= size &&
        (std::memcmp(bytes + xing, "Xing", 4) == 0 || std::memcmp(bytes + xing, "Info", 4) == 0)) {
        const auto flags = static_cast<std::uint32_t>(readBigEndian(bytes + xing + 4, 4));
        unsigned cursor = xing + 8;
        const bool hasFrames = (flags & 1) != 0;
        if (hasFrames && cursor + 4 <= size) {
            layout.frameCount = readBigEndian(bytes + cursor, 4);
        }
        cursor += (hasFrames ? 4 : 0) + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 100 : 0) +
                  ((flags & 8) ? 4 : 0);
        const unsigned char* lame = bytes + cursor;
        if (hasFrames && cursor + kLameTagSize <= size &&
            (std::memcmp(lame, "LAME", 4) == 0 || std::memcmp(lame, "Lavc", 4) == 0 ||
             std::memcmp(lame, "Lavf", 4) == 0)) {
            layout.gapless = true;
            layout.encoderDelay = (unsigned{lame[21]} << 4) | (lame[22] >> 4);
            layout.encoderPadding = ((unsigned{lame[22]} & 0x0F) << 8) | lame[23];
        }
        return true;
    }
    const unsigned vbri = 4 + 32;
    if (vbri + 18 <= size && std::memcmp(bytes + vbri, "VBRI", 4) == 0) {
        layout.frameCount = readBigEndian(bytes + vbri + 14, 4);
        return true;
    }
    return false;
}

}  // namespace

const unsigned char* ByteWindow::at(std::uint64_t at, std::size_t count) {
    if (at < bufferAt_ || at + count > bufferAt_ + buffer_.size()) {
        buffer_.resize(std::max(count, kWindowSize));
        buffer_.resize(in_.readAt(at, buffer_.data(), buffer_.size()));
        bufferAt_ = at;
        if (buffer_.size() < count) {
            return nullptr;
        }
    }
    return reinterpret_cast<const unsigned char*>(buffer_.data()) + (at - bufferAt_);
}

std::optional<Mp3FrameHeader> parseMp3Header(const unsigned char* b) {
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    const unsigned versionBits = (b[1] >> 3) & 3;
    const unsigned layerBits = (b[1] >> 1) & 3;
    const unsigned bitrateIndex = b[2] >> 4;
    const unsigned rateIndex = (b[2] >> 2) & 3;
    if (versionBits == 1 || layerBits != 1 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3 || (b[3] & 3) == 2) {
        return std::nullopt;
    }
    Mp3FrameHeader header;
    header.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    const bool mpeg1 = header.version == 1;
    header.kilobitsPerSecond = (mpeg1 ? kMpeg1Rates : kMpeg2Rates)[bitrateIndex];
    header.rate = kSampleRates[rateIndex] / (mpeg1 ? 1 : header.version == 2 ? 2 : 4);
    header.channels = (b[3] >> 6) == 3 ? 1 : 2;
    header.padded = (b[2] & 2) != 0;
    header.crc = (b[1] & 1) == 0;
    header.samplesPerFrame = mpeg1 ? 1152 : 576;
    header.frameBytes =
        (mpeg1 ? 144000 : 72000) * header.kilobitsPerSecond / header.rate + (header.padded ? 1 : 0);
    return header;
}

std::uint64_t id3v2Size(ByteSource& in, std::uint64_t offset) {
    std::uint64_t at = offset;
    for (unsigned char header[10]; in.readAt(at, header, 10) == 10;) {
        if (std::memcmp(header, "ID3", 3) != 0 || header[3] == 0xFF || header[4] == 0xFF ||
            ((header[6] | header[7] | header[8] | header[9]) & 0x80) != 0) {
            break;
        }
        std::uint64_t size = 0;
        for (int i = 6; i < 10; ++i) {
            size = (size << 7) | header[i];
        }
        at += 10 + size + ((header[5] & 0x10) ? 10 : 0);  // with the footer
    }
    return at - offset;
}

Mp3Layout describeMp3(ByteSource& in, std::uint64_t junkLimit) {
    Mp3Layout layout;
    ByteWindow window(in);
    std::uint64_t start = id3v2Size(in, 0);
    start += apeHeaderSize(window, start);
    layout.end = soundEnd(window, in.size());
    const std::optional<std::uint64_t> first =
        findFrame(window, start, start + junkLimit, layout.end, nullptr, false);
    if (!first) {
        return layout;
    }
    layout.found = true;
    layout.first = *parseMp3Header(window.at(*first, 4));
    layout.firstFrame = *first;
    if (readVbrHeader(window, *first, layout)) {
        layout.firstFrame += layout.first.frameBytes;
        layout.gapless = layout.gapless && layout.frameCount > 0;
    }
    return layout;
}

Mp3Frames::Mp3Frames(std::unique_ptr<ByteSource> in, const Mp3Layout& layout)
    : in_(std::move(in)),
      window_(*in_),
      first_(layout.first),
      next_(layout.firstFrame),
      end_(layout.found ? layout.end : 0) {}

bool Mp3Frames::next(std::string& frame) {
    std::optional<Mp3FrameHeader> header;
    if (const unsigned char* bytes = next_ + 4 <= end_ ? window_.at(next_, 4) : nullptr) {
        header = parseMp3Header(bytes);
    }
    if (!header || !header->sameStream(first_) || next_ + header->frameBytes > end_) {
        // Junk, or a frame cut short: on to the next frame that another follows.
        const std::optional<std::uint64_t> found =
            findFrame(window_, next_ + 1, end_, end_, &first_, true);
        if (!found) {
            next_ = end_;
            return false;
        }
        next_ = *found;
        header = parseMp3Header(window_.at(next_, 4));
    }
    const unsigned char* bytes = window_.at(next_, header->frameBytes);
    frame.assign(reinterpret_cast<const char*>(bytes), header->frameBytes);
    next_ += header->frameBytes;
    return true;
}

Mp3Stream mp3Stream(std::unique_ptr<ByteSource> in, const Mp3Layout& layout) {
    Mp3Stream stream;
    const Mp3FrameHeader& first = layout.first;
    stream.mpeg1 = first.version == 1;
    stream.channels = first.channels;
    stream.rate = first.rate;
    stream.kilobitsPerSecond = first.kilobitsPerSecond;
    stream.samplesPerFrame = first.samplesPerFrame;
    stream.frameCount = layout.frameCount;
    if (stream.frameCount == 0 && first.frameBytes > 0 && layout.end > layout.firstFrame) {
        stream.frameCount = (layout.end - layout.firstFrame) / first.frameBytes;
    }
    stream.gapless = layout.gapless;
    stream.encoderDelay = layout.encoderDelay;
    stream.encoderPadding = layout.encoderPadding;
    stream.frames = std::make_unique<Mp3Frames>(std::move(in), layout);
    return stream;
}

}  // namespace quillory
