#pragma once

// The reader of RIFF WAVE files: what a file holds, told from its chunk list, or why it cannot
// be a speech sample. It reads through a ByteSource, so that a file of any size is never read
// whole; failures of the source itself (a read error of the disk) pass through as they come.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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

inline constexpr std::size_t kFormatBlockSize = 16;
using FormatBlock = std::array<unsigned char, kFormatBlockSize>;

// Why a file cannot be imported. The reader stops at the first of these, in this order.
enum class WaveRefusal {
    None,
    Empty,        // no byte at all
    TooShort,     // ends before its form type
    NotWave,      // the form type is not "WAVE"
    NoFormat,     // no "fmt " chunk, or the file ends inside its format block
    ShortFormat,  // a "fmt " chunk smaller than a format block
    NotPcm,       // the format tag is not PCM
    NoData,       // no "data" chunk
};

struct WaveDescription {
    WaveRefusal refusal = WaveRefusal::None;
    // The form type was "WAVE", whatever came after it.
    bool isWave = false;
    // The first 16 bytes of the "fmt " chunk, as the file has them.
    FormatBlock format{};
    // Where the sound bytes start, and how many of them the file really has: no more than the
    // data chunk declares and no more than a speech sample file can count.
    std::uint64_t samplesOffset = 0;
    std::uint32_t sampleBytes = 0;
};

// Walks the chunk list from offset 12 by the chunks' sizes (with the pad byte after an odd
// size), so that bytes inside a chunk are never taken for a chunk header; the first "fmt " and
// the first "data" chunk count.
WaveDescription describeWave(ByteSource& wave);

}  // namespace quillory
