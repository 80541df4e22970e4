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

std::optional<SpeechSample> readSpeechFile(std::string_view bytes) {
    if (bytes.size() < kSpeechHeaderSize || bytes.substr(0, 4) != "FORM" ||
        bytes.substr(8, 8) != "SAMPFRMT" || readBigEndian(bytes, 16, 4) != kFormatBlockSize ||
        bytes.substr(36, 4) != "DATA") {
        return std::nullopt;
    }
    const std::uint64_t formSize = readBigEndian(bytes, 4, 4);
    const std::uint64_t dataSize = readBigEndian(bytes, 40, 4);
    if (formSize > bytes.size() - 8 || dataSize > bytes.size() - kSpeechHeaderSize) {
        return std::nullopt;
    }
    SpeechSample sample{};
    std::copy_n(bytes.begin() + 20, kFormatBlockSize, sample.format.begin());
    const FormatFields format = readFormatBlock(sample.format);
    if (format.tag != kTagPcm || format.channels == 0 || format.rate == 0 ||
        format.blockAlign == 0 || format.bits == 0) {
        return std::nullopt;
    }
    sample.samples = bytes.substr(kSpeechHeaderSize, dataSize);
    return sample;
}

std::string waveImage(const SpeechSample& sample) {
    const std::uint64_t size = sample.samples.size();
    const std::size_t pad = size & 1;
    ByteBuilder image(44 + size + pad);
    image.text("RIFF").littleEndian(36 + size + pad, 4).text("WAVE");
    image.text("fmt ").littleEndian(kFormatBlockSize, 4).bytes(sample.format);
    image.text("data").littleEndian(size, 4).text(sample.samples).zeros(pad);
    return image.take();
}

std::uint64_t playingTimeMs(const SpeechSample& sample) {
    const FormatFields format = readFormatBlock(sample.format);
    const std::uint64_t frames = sample.samples.size() / format.blockAlign;
    return (frames * 1000 + format.rate - 1) / format.rate;
}

}  // namespace quillory
