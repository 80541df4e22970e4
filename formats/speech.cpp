#include "formats/speech.h"

#include <algorithm>

#include "formats/byte_order.h"

namespace quillory {

std::string speechFileHeader(const FormatBlock& format, std::uint32_t sampleBytes) {
    ByteBuilder header(kSpeechHeaderSize);
    header.text("FORM").bigEndian(kSpeechHeaderSize - 8 + std::uint64_t{sampleBytes}, 4);
    header.text("SAMP");
    header.text("FRMT").bigEndian(kFormatBlockSize, 4).bytes(format);
    header.text("DATA").bigEndian(sampleBytes, 4);
    return header.take();
}

std::optional<SpeechHeader> readSpeechHeader(std::string_view header, std::uint64_t fileLength) {
    if (header.size() < kSpeechHeaderSize || fileLength < kSpeechHeaderSize ||
        header.substr(0, 4) != "FORM" || header.substr(8, 8) != "SAMPFRMT" ||
        readBigEndian(header, 16, 4) != kFormatBlockSize || header.substr(36, 4) != "DATA") {
        return std::nullopt;
    }
    const std::uint64_t formSize = readBigEndian(header, 4, 4);
    const std::uint64_t dataSize = readBigEndian(header, 40, 4);
    SpeechHeader found{};
    std::copy_n(header.begin() + 20, kFormatBlockSize, found.format.begin());
    if (formSize > fileLength - 8 || dataSize > fileLength - kSpeechHeaderSize ||
        !isVoice(found.format)) {
        return std::nullopt;
    }
    found.sampleBytes = static_cast<std::uint32_t>(dataSize);
    return found;
}

std::optional<SpeechSample> readSpeechFile(std::string_view bytes) {
    const std::optional<SpeechHeader> header = readSpeechHeader(bytes, bytes.size());
    if (!header) {
        return std::nullopt;
    }
    return SpeechSample{header->format, bytes.substr(kSpeechHeaderSize, header->sampleBytes)};
}

}  // namespace quillory
