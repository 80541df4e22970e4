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

}  // namespace quillory
