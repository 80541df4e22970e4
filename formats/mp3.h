#pragma once

// The reader of MP3 files: where the frames are among the tags and junk around them, what the
// first frame and the VBR header frame say, and the frames one at a time, to feed a decoder.
// Everything goes through a ByteSource; nothing is read whole.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "formats/wave.h"
#include "platform/decoder.h"

namespace quillory {

// An MPEG audio layer III frame header.
struct Mp3FrameHeader {
    unsigned version = 1;  // 1, 2, or 25 for MPEG 2.5
    unsigned kilobitsPerSecond = 0;
    unsigned rate = 0;
    unsigned channels = 0;
    bool padded = false;
    bool crc = false;  // two bytes of CRC follow the header
    unsigned samplesPerFrame = 0;
    unsigned frameBytes = 0;  // header and padding included

    // Frames of one stream: same version, rate and channels.
    bool sameStream(const Mp3FrameHeader& other) const {
        return version == other.version && rate == other.rate && channels == other.channels;
    }
};

// The header in these 4 bytes; nothing for a free-format, layer I or II, or reserved value.
std::optional<Mp3FrameHeader> parseMp3Header(const unsigned char* bytes);

// The size of the ID3v2 tags at `offset` (several may follow each other), 0 for none.
std::uint64_t id3v2Size(ByteSource& in, std::uint64_t offset);

struct Mp3Layout {
    bool found = false;            // a frame followed by another of the same stream (or the end)
    std::uint64_t firstFrame = 0;  // the first frame of sound (after the VBR header frame)
    std::uint64_t end = 0;         // where the ID3v1 and APE tags at the end begin
    Mp3FrameHeader first;          // the first frame's header (the VBR header frame's if any)
    std::uint64_t frameCount = 0;  // of sound frames, from the VBR header; 0 without one
    bool gapless = false;          // a LAME tag gave the encoder's delay and padding
    unsigned encoderDelay = 0;
    unsigned encoderPadding = 0;
};

// Skips the tags at the start and junk up to `junkLimit` bytes after them, finds the first
// frame, and reads a Xing/Info or VBRI frame with its LAME tag.
Mp3Layout describeMp3(ByteSource& in, std::uint64_t junkLimit = 1 << 20);

// Bytes of a source through a buffer, for reading many small pieces in order.
class ByteWindow {
public:
    explicit ByteWindow(ByteSource& in) : in_(in) {}
    // The `count` bytes at `at`; null when the source ends before them. Valid until the next
    // call.
    const unsigned char* at(std::uint64_t at, std::size_t count);

private:
    ByteSource& in_;
    std::string buffer_;
    std::uint64_t bufferAt_ = 0;
};

// The frames of sound of a described stream, in order; junk between frames and a last frame
// cut short are skipped.
class Mp3Frames : public CompressedFrames {
public:
    Mp3Frames(std::unique_ptr<ByteSource> in, const Mp3Layout& layout);
    bool next(std::string& frame) override;

private:
    std::unique_ptr<ByteSource> in_;
    ByteWindow window_;
    Mp3FrameHeader first_;
    std::uint64_t next_;
    std::uint64_t end_;
};

// The stream for a decoder: the layout's numbers, and the frames (an estimate of their count
// from the first frame's size when there is no VBR header).
Mp3Stream mp3Stream(std::unique_ptr<ByteSource> in, const Mp3Layout& layout);

}  // namespace quillory
