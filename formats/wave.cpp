#include "formats/wave.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "formats/byte_order.h"

namespace quillory {
namespace {

constexpr std::uint64_t kFormTypeOffset = 8;
constexpr std::uint64_t kFirstChunk = 12;  // after "RIFF" <size> "WAVE"
// What the 32-bit FORM size of a speech sample file can count besides its 36 header bytes.
constexpr std::uint64_t kMostSampleBytes = 0xFFFFFFFFu - 36;

struct Chunk {
    std::uint64_t offset;  // of its contents
    std::uint32_t size;    // as declared
};

bool readExactAt(ByteSource& wave, std::uint64_t offset, void* into, std::size_t count) {
    return wave.readAt(offset, into, count) == count;
}

std::optional<Chunk> findChunk(ByteSource& wave, std::uint64_t length, const char (&id)[5]) {
    for (std::uint64_t position = kFirstChunk; position + 8 <= length;) {
        unsigned char header[8];
        if (!readExactAt(wave, position, header, sizeof header)) {
            return std::nullopt;
        }
        const std::uint32_t size = littleEndian(header + 4, 4);
        if (std::memcmp(header, id, 4) == 0) {
            return Chunk{position + 8, size};
        }
        position += 8 + std::uint64_t{size} + (size & 1);
    }
    return std::nullopt;
}

}  // namespace

std::size_t MemorySource::readAt(std::uint64_t offset, void* into, std::size_t count) {
    if (offset >= bytes_.size()) {
        return 0;
    }
    const std::size_t got = std::min<std::uint64_t>(count, bytes_.size() - offset);
    std::memcpy(into, bytes_.data() + offset, got);
    return got;
}

WaveDescription describeWave(ByteSource& wave) {
    WaveDescription found;
    const std::uint64_t length = wave.size();
    char formType[4];
    if (length == 0) {
        found.refusal = WaveRefusal::Empty;
    } else if (!readExactAt(wave, kFormTypeOffset, formType, sizeof formType)) {
        found.refusal = WaveRefusal::TooShort;
    } else if (std::memcmp(formType, "WAVE", 4) != 0) {
        found.refusal = WaveRefusal::NotWave;
    }
    if (found.refusal != WaveRefusal::None) {
        return found;
    }
    found.isWave = true;

    const std::optional<Chunk> format = findChunk(wave, length, "fmt ");
    if (format && format->size < kFormatBlockSize) {
        found.refusal = WaveRefusal::ShortFormat;
        return found;
    }
    if (!format || !readExactAt(wave, format->offset, found.format.data(), kFormatBlockSize)) {
        found.refusal = WaveRefusal::NoFormat;
        return found;
    }
    if (littleEndian(found.format.data(), 2) != 1) {
        found.refusal = WaveRefusal::NotPcm;
        return found;
    }
    found.channels = littleEndian(found.format.data() + 2, 2);
    found.containerBits = found.validBits = littleEndian(found.format.data() + 14, 2);
    const std::optional<Chunk> data = findChunk(wave, length, "data");
    if (!data) {
        found.refusal = WaveRefusal::NoData;
        return found;
    }
    found.samplesOffset = data->offset;
    found.sampleBytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(
        {data->size, length - std::min(length, data->offset), kMostSampleBytes}));
    found.speechBytes = found.sampleBytes;
    return found;
}

}  // namespace quillory
