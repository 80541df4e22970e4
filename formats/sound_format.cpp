#include "formats/sound_format.h"

#include <algorithm>
#include <string>

#include "formats/byte_order.h"

namespace quillory {

FormatFields readFormatBlock(const FormatBlock& block) {
    const unsigned char* at = block.data();
    return {static_cast<unsigned>(readLittleEndian(at, 2)),
            static_cast<unsigned>(readLittleEndian(at + 2, 2)),
            static_cast<std::uint32_t>(readLittleEndian(at + 4, 4)),
            static_cast<std::uint32_t>(readLittleEndian(at + 8, 4)),
            static_cast<unsigned>(readLittleEndian(at + 12, 2)),
            static_cast<unsigned>(readLittleEndian(at + 14, 2))};
}

FormatBlock makeFormatBlock(const FormatFields& fields) {
    ByteBuilder bytes(kFormatBlockSize);
    bytes.littleEndian(fields.tag, 2).littleEndian(fields.channels, 2);
    bytes.littleEndian(fields.rate, 4).littleEndian(fields.byteRate, 4);
    bytes.littleEndian(fields.blockAlign, 2).littleEndian(fields.bits, 2);
    const std::string built = bytes.take();
    FormatBlock block{};
    std::copy(built.begin(), built.end(), block.begin());
    return block;
}

bool hasWholeFrames(const FormatFields& format) {
    return format.channels > 0 && format.rate > 0 && format.bits > 0 && format.bits % 8 == 0 &&
           format.blockAlign == format.channels * (format.bits / 8);
}

bool isVoice(const FormatBlock& block) {
    const FormatFields format = readFormatBlock(block);
    return format.tag == kTagPcm && (format.bits == 8 || format.bits == 16) &&
           hasWholeFrames(format);
}

}  // namespace quillory
