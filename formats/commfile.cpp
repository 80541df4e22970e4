#include "formats/commfile.h"

#include <cstdint>

#include "formats/byte_order.h"
#include "platform/error.h"

namespace quillory {

const std::string& defaultCommHeader() {
    static const std::string header(
        "FORM\0\0\0\0"
        "DATAFORM"
        "\0\0\0\0LANG"
        "INFO\0\0\0\x2F"
        "English\0"
        "\x01\0\0\0\0\0\0\0"
        "Player_1"
        "Communic"
        "ations\0\x01"
        "\0\0\0\x28\0\0\0\0"
        "TEXT\0\0\0\0",
        kCommHeaderSize);
    return header;
}

std::string encodeCommFile(std::string_view header, const CommTexts& texts) {
    std::string bytes(header.size() == kCommHeaderSize ? header : defaultCommHeader());
    for (const std::string& text : texts) {
        bytes += text;
        bytes += '\0';
    }
    const auto length = static_cast<std::uint32_t>(bytes.size());
    putBigEndian32(&bytes[4], length - 8);
    putBigEndian32(&bytes[16], length - 20);
    putBigEndian32(&bytes[84], length - static_cast<std::uint32_t>(kCommHeaderSize));
    return bytes;
}

CommFile decodeCommFile(std::string_view bytes) {
    if (bytes.size() < kCommHeaderSize) {
        throw Error(kReadBeyondEnd);
    }
    CommFile file;
    file.header.assign(bytes.substr(0, kCommHeaderSize));
    std::size_t position = kCommHeaderSize;
    for (std::string& text : file.texts) {
        const std::size_t end = bytes.find('\0', position);
        if (end == std::string_view::npos) {
            throw Error(kReadBeyondEnd);
        }
        text.assign(bytes.substr(position, end - position));
        position = end + 1;
    }
    return file;
}

}  // namespace quillory
