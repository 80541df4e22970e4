#include "formats/speech.h"

#include "formats/byte_order.h"

namespace quillory {

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

}  // namespace quillory
