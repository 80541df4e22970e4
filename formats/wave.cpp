#include "formats/wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "formats/byte_order.h"
#include "formats/speech.h"

namespace quillory {
namespace {

constexpr std::uint64_t kFormTypeOffset = 8;
constexpr std::uint64_t kFirstChunk = 12;  // after "RIFF" <size> "WAVE"

constexpr unsigned kTagFloat = 3;
constexpr unsigned kTagExtensible = 0xFFFE;
// An extensible format chunk: the format block, its cbSize, then 22 bytes of valid bits, the
// channel mask and the sub-format GUID.
constexpr std::size_t kExtensionSize = 22;
constexpr std::size_t kExtensibleSize = kFormatBlockSize + 2 + kExtensionSize;
// The sub-format GUIDs of the formats that have a tag are the tag in their first two bytes,
// then these 14 bytes.
constexpr unsigned char kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                         0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

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
        const auto size = static_cast<std::uint32_t>(readLittleEndian(header + 4, 4));
        if (std::memcmp(header, id, 4) == 0) {
            return Chunk{position + 8, size};
        }
        position += 8 + std::uint64_t{size} + (size & 1);
    }
    return std::nullopt;
}

// The kind of sound (kTagPcm, kTagFloat, or 0 for another) of an extensible format chunk, and
// its valid bits; 0 when the chunk cannot hold its extension.
unsigned extensibleKind(ByteSource& wave, const Chunk& format, WaveDescription& found) {
    unsigned char extension[2 + kExtensionSize];
    if (format.size < kExtensibleSize ||
        !readExactAt(wave, format.offset + kFormatBlockSize, extension, sizeof extension) ||
        readLittleEndian(extension, 2) < kExtensionSize) {
        return 0;
    }
    const auto valid = static_cast<unsigned>(readLittleEndian(extension + 2, 2));
    found.validBits = valid == 0 ? found.containerBits : valid;
    const unsigned char* guid = extension + 8;
    if (found.validBits > found.containerBits || std::memcmp(guid + 2, kGuidTail, 14) != 0) {
        return 0;
    }
    return static_cast<unsigned>(readLittleEndian(guid, 2));
}

// Decides what becomes of sound of this kind in a file of this format, and the speech sample
// file's format block for it; false for sound the import cannot take.
bool chooseEncoding(unsigned kind, bool extensible, FormatFields file, WaveDescription& found) {
    const unsigned bits = found.containerBits;
    file.tag = kTagPcm;
    if (kind == kTagPcm && (bits == 24 || bits == 32)) {
        found.encoding = SampleEncoding::Integer;
    } else if (kind == kTagFloat && (bits == 32 || bits == 64)) {
        found.encoding = SampleEncoding::Float;
    } else if (kind == kTagPcm && (!extensible || bits == 8 || bits == 16)) {
        // The file's own block but for the tag: its samples are left-justified in their
        // container whatever their valid bits, as PCM's are.
        found.format = makeFormatBlock(file);
        return true;
    } else {
        return false;
    }
    // 16-bit PCM of the same channels and rate; refused when the format block cannot count it.
    const std::uint64_t align = 2 * std::uint64_t{file.channels};
    if (file.channels == 0 || align > 0xFFFF || file.rate * align > 0xFFFFFFFFu) {
        return false;
    }
    file.byteRate = static_cast<std::uint32_t>(file.rate * align);
    file.blockAlign = static_cast<unsigned>(align);
    file.bits = 16;
    found.format = makeFormatBlock(file);
    return true;
}

// Full scale -1..1 to 16 bits, half away from zero; y - whole is exact, so no rounding of an
// added 0.5 can move a value across the half.
int fromUnit(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    const double y = std::clamp(x, -1.0, 1.0) * 32767.0;
    const int whole = static_cast<int>(y);
    const double rest = y - whole;
    return whole + (rest >= 0.5) - (rest <= -0.5);
}

template <std::size_t Step, typename ToSixteen>
void convertEach(const unsigned char* in, std::size_t count, unsigned char* out,
                 ToSixteen toSixteen) {
    for (std::size_t i = 0; i < count; ++i, in += Step, out += 2) {
        writeLittleEndian(out, static_cast<std::uint16_t>(toSixteen(in)), 2);
    }
}

}  // namespace

SampleConverter::SampleConverter(const WaveDescription& wave)
    : encoding_(wave.encoding),
      containerBytes_(wave.containerBits / 8),
      inputFrameBytes_(std::size_t{wave.channels} * containerBytes_),
      outputFrameBytes_(std::size_t{wave.channels} * 2) {}

void SampleConverter::convert(const unsigned char* in, std::size_t frames,
                              unsigned char* out) const {
    const std::size_t count = frames * (outputFrameBytes_ / 2);
    // Integers: their top 16 bits, one more when the bit below them is set (the rest is at
    // least half a step), but no more than 32767; the same as (v + 128) >> 8 for 24 bits.
    const auto roundedTop = [](const unsigned char* top) {
        const auto sixteen = static_cast<std::int16_t>(readLittleEndian(top, 2));
        return std::min(sixteen + (top[-1] >> 7), 32767);
    };
    if (encoding_ == SampleEncoding::Integer && containerBytes_ == 3) {
        convertEach<3>(in, count, out, [&](const unsigned char* at) { return roundedTop(at + 1); });
    } else if (encoding_ == SampleEncoding::Integer) {
        convertEach<4>(in, count, out, [&](const unsigned char* at) { return roundedTop(at + 2); });
    } else if (containerBytes_ == 4) {
        convertEach<4>(in, count, out, [](const unsigned char* at) {
            const auto bits = static_cast<std::uint32_t>(readLittleEndian(at, 4));
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return fromUnit(value);
        });
    } else {
        convertEach<8>(in, count, out, [](const unsigned char* at) {
            const std::uint64_t bits = readLittleEndian(at, 8);
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return fromUnit(value);
        });
    }
}

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
    const FormatFields file = readFormatBlock(found.format);
    found.channels = file.channels;
    found.containerBits = found.validBits = file.bits;
    const bool extensible = file.tag == kTagExtensible;
    const unsigned kind = extensible ? extensibleKind(wave, *format, found) : file.tag;
    if (!chooseEncoding(kind, extensible, file, found)) {
        found.refusal = WaveRefusal::NotPcm;
        return found;
    }
    // The frames as the copy or the conversion takes them, and the voice it gives.
    if (!hasWholeFrames(file) || !isVoice(found.format)) {
        found.refusal = WaveRefusal::BadFormat;
        return found;
    }
    const std::optional<Chunk> data = findChunk(wave, length, "data");
    if (!data) {
        found.refusal = WaveRefusal::NoData;
        return found;
    }
    found.samplesOffset = data->offset;
    const std::uint64_t present = length - std::min(length, data->offset);
    const bool untold = data->size == 0 || data->size == 0xFFFFFFFFu;
    found.sampleBytes = untold ? present : std::min<std::uint64_t>(data->size, present);
    std::uint64_t speechBytes = found.sampleBytes;
    if (found.encoding != SampleEncoding::Copy) {
        const SampleConverter converter(found);
        speechBytes =
            found.sampleBytes / converter.inputFrameBytes() * converter.outputFrameBytes();
    }
    if (speechBytes > kMostSpeechBytes) {
        found.refusal = WaveRefusal::TooLong;
        return found;
    }
    found.speechBytes = static_cast<std::uint32_t>(speechBytes);
    return found;
}

}  // namespace quillory
