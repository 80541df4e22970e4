#pragma once

// The reader of RIFF WAVE files: what a file holds, told from its chunk list, or why it cannot
// be a speech sample. It reads through a ByteSource, so that a file of any size is never read
// whole; failures of the source itself (a read error of the disk) pass through as they come.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/sound_format.h"

namespace quillory {

// Bytes that can be read at any offset.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() = 0;
    // Reads up to `count` bytes at `offset`; fewer only at the end.
    virtual std::size_t readAt(std::uint64_t offset, void* into, std::size_t count) = 0;
};

// Bytes in memory as a source.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t size() override { return bytes_.size(); }
    std::size_t readAt(std::uint64_t offset, void* into, std::size_t count) override;

private:
    std::string_view bytes_;
};

// Why a file cannot be imported. The reader stops at the first of these, in this order.
enum class WaveRefusal {
    None,
    Empty,        // no byte at all
    TooShort,     // ends before its form type
    NotWave,      // the form type is not "WAVE"
    NoFormat,     // no "fmt " chunk, or the file ends inside its format block
    ShortFormat,  // a "fmt " chunk smaller than a format block
    NotPcm,       // no sound the import can take: compressed, or a format it does not know
    BadFormat,    // no channel, no rate, frames other than one sample of each channel, or a
                  // sample size neither copied nor converted: no voice
    NoData,       // no "data" chunk
    TooLong,      // more sound than the 32-bit sizes of a speech sample file can count
};

// What becomes of the sound bytes in the speech sample file.
enum class SampleEncoding {
    Copy,     // PCM as it is: the bytes go unchanged
    Integer,  // PCM of 24 or 32 bits a sample: converted to 16 bits
    Float,    // IEEE floating point of 32 or 64 bits a sample: converted to 16 bits
};

struct WaveDescription {
    WaveRefusal refusal = WaveRefusal::None;
    // The form type was "WAVE", whatever came after it.
    bool isWave = false;
    // The format block of the speech sample file: the file's own first 16 bytes for PCM
    // (tag 1); a PCM block (tag 1, the file's channels and rate, its block alignment and bits
    // for a copy, those of 16-bit samples for a conversion) for the others.
    FormatBlock format{};
    SampleEncoding encoding = SampleEncoding::Copy;
    unsigned channels = 0;
    unsigned containerBits = 0;  // bits a sample takes in the file
    unsigned validBits = 0;      // of those, the ones that carry sound
    // Where the sound bytes start, and how many of them the file really has: no more than the
    // data chunk declares, unless it declares 0 or FFFFFFFF (a writer to a pipe, which could
    // not know): then up to the end of the file.
    std::uint64_t samplesOffset = 0;
    std::uint64_t sampleBytes = 0;
    // The size of the speech sample file's DATA: sampleBytes for a copy; for a conversion,
    // 2 bytes for each sample of the whole frames in sampleBytes.
    std::uint32_t speechBytes = 0;
};

// Turns whole frames of a converted encoding into 16-bit PCM, little-endian: integers rounded
// to the nearest from their top bits, floating point clamped to -1..1, scaled by 32767 and
// rounded to the nearest (half away from zero), NaN as 0.
class SampleConverter {
public:
    // `wave` has no refusal and an encoding other than Copy.
    explicit SampleConverter(const WaveDescription& wave);
    // The bytes of one frame in the file (one sample of each channel).
    std::size_t inputFrameBytes() const { return inputFrameBytes_; }
    // The bytes of one frame in the speech sample file.
    std::size_t outputFrameBytes() const { return outputFrameBytes_; }
    // Converts `frames` frames at `in` into `out`, which has room for them.
    void convert(const unsigned char* in, std::size_t frames, unsigned char* out) const;

private:
    SampleEncoding encoding_;
    unsigned containerBytes_;
    std::size_t inputFrameBytes_;
    std::size_t outputFrameBytes_;
};

// Walks the chunk list from offset 12 by the chunks' sizes (with the pad byte after an odd
// size), so that bytes inside a chunk are never taken for a chunk header; the first "fmt " and
// the first "data" chunk count. Taken: PCM (tag 1) of 8 or 16 bits and extensible PCM
// (tag FFFE, PCM sub-format) of 8 or 16 bits, copied; PCM of 24 or 32 bits (tag 1 or
// extensible, valid bits up to the container's) and floating point of 32 or 64 bits (tag 3 or
// the extensible float sub-format), converted. Other extensible and tagged sound is NotPcm, and
// so is an extensible block whose extension is cut short or names more valid bits than its
// container, and a conversion whose 16-bit format block cannot hold its block alignment (more
// than 32767 channels) or its bytes a second. PCM of another size, and a file whose frames are
// not whole (hasWholeFrames, with the container's bits), is BadFormat: what is taken is written
// as a voice. Sound that would make the speech sample file's FORM size pass 32 bits is TooLong.
WaveDescription describeWave(ByteSource& wave);

}  // namespace quillory
