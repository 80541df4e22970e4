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
    const std::optional<SpeechHeader> header =
        readSpeechHeader(bytes.substr(0, kSpeechHeaderSize), bytes.size());
    if (!header) {
        return std::nullopt;
    }
    return SpeechSample{header->format, bytes.substr(kSpeechHeaderSize, header->sampleBytes)};
}

std::optional<SpeechHeader> readSpeechHeader(std::string_view bytes, std::uint64_t fileLength) {
    if (bytes.size() < kSpeechHeaderSize || fileLength < kSpeechHeaderSize ||
        bytes.substr(0, 4) != "FORM" || bytes.substr(8, 8) != "SAMPFRMT" ||
        bigEndian32(bytes, 16) != kFormatBlockSize || bytes.substr(36, 4) != "DATA") {
        return std::nullopt;
    }
    const std::uint64_t formSize = bigEndian32(bytes, 4);
    const std::uint32_t dataSize = bigEndian32(bytes, 40);
    if (formSize > fileLength - 8 || dataSize > fileLength - kSpeechHeaderSize) {
        return std::nullopt;
    }
    SpeechHeader header{{}, dataSize};
    std::memcpy(header.format.data(), bytes.data() + 20, kFormatBlockSize);
    const std::uint32_t channels = field(header.format, 2, 2);
    const std::uint32_t rate = field(header.format, 4, 4);
    const std::uint32_t align = field(header.format, 12, 2);
    const std::uint32_t bits = field(header.format, 14, 2);
    if (field(header.format, 0, 2) != 1 || channels == 0 || rate == 0 || align == 0 || bits == 0) {
        return std::nullopt;
    }
    return header;
}

}  // namespace quillory
