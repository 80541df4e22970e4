#include "formats/speech.h"

#include <cstring>

#include "formats/byte_order.h"

namespace quillory {
namespace {

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::uint32_t field(const FormatBlock& format, std::size_t at, std::size_t count) {
    return littleEndian(format.data() + at, count);
}

}  // namespace

std::string speechFileHeader(const FormatBlock& format, std::uint32_t sampleBytes) {
    std::string header(kSpeechHeaderSize, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(header.data());
    header.replace(0, 4, "FORM");
    putBigEndian32(bytes + 4, static_cast<std::uint32_t>(kSpeechHeaderSize - 8) + sampleBytes);
    header.replace(8, 8, "SAMPFRMT");
    putBigEndian32(bytes + 16, kFormatBlockSize);
    header.replace(20, kFormatBlockSize, reinterpret_cast<const char*>(format.data()),
                   kFormatBlockSize);
    header.replace(36, 4, "DATA");
    putBigEndian32(bytes + 40, sampleBytes);
    return header;
}

std::optional<SpeechSample> readSpeechFile(std::string_view bytes) {
    if (bytes.size() < kSpeechHeaderSize || bytes.substr(0, 4) != "FORM" ||
        bytes.substr(8, 8) != "SAMPFRMT" || bigEndian32(bytes, 16) != kFormatBlockSize ||
        bytes.substr(36, 4) != "DATA") {
        return std::nullopt;
    }
    const std::uint64_t formSize = bigEndian32(bytes, 4);
    const std::uint64_t dataSize = bigEndian32(bytes, 40);
    if (formSize > bytes.size() - 8 || dataSize > bytes.size() - kSpeechHeaderSize) {
        return std::nullopt;
    }
    SpeechSample sample{};
    std::memcpy(sample.format.data(), bytes.data() + 20, kFormatBlockSize);
    const std::uint32_t channels = field(sample.format, 2, 2);
    const std::uint32_t rate = field(sample.format, 4, 4);
    const std::uint32_t align = field(sample.format, 12, 2);
    const std::uint32_t bits = field(sample.format, 14, 2);
    if (field(sample.format, 0, 2) != 1 || channels == 0 || rate == 0 || align == 0 || bits == 0) {
        return std::nullopt;
    }
    sample.samples = bytes.substr(kSpeechHeaderSize, dataSize);
    return sample;
}

std::string waveImage(const SpeechSample& sample) {
    const auto size = static_cast<std::uint32_t>(sample.samples.size());
    const std::uint32_t pad = size & 1;
    std::string image(44, '\0');
    auto* header = reinterpret_cast<unsigned char*>(image.data());
    std::memcpy(header, "RIFF", 4);
    putLittleEndian(header + 4, 36 + size + pad, 4);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    putLittleEndian(header + 16, kFormatBlockSize, 4);
    std::memcpy(header + 20, sample.format.data(), kFormatBlockSize);
    std::memcpy(header + 36, "data", 4);
    putLittleEndian(header + 40, size, 4);
    image.append(sample.samples);
    image.append(pad, '\0');
    return image;
}

std::uint64_t playingTimeMs(const SpeechSample& sample) {
    const std::uint64_t frames = sample.samples.size() / field(sample.format, 12, 2);
    const std::uint64_t rate = field(sample.format, 4, 4);
    return (frames * 1000 + rate - 1) / rate;
}

}  // namespace quillory
