#include "formats/commfile.h"

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "formats/byte_order.h"
#include "platform/error.h"

namespace quillory {

// The INFO chunk: its size, then its data, 47 bytes, and the pad byte after them.
constexpr std::uint32_t kInfoSize = 47;

const std::string& defaultCommHeader() {
    static const std::string header = [] {
        ByteBuilder bytes(kCommHeaderSize);
        bytes.text("FORM").bigEndian(0, 4).text("DATA");
        bytes.text("FORM").bigEndian(0, 4).text("LANG");
        bytes.text("INFO").bigEndian(kInfoSize, 4);
        bytes.text("English").zeros(1).littleEndian(1, 4).littleEndian(0, 4);
        bytes.text("Player_1Communications").zeros(1).littleEndian(1, 4);
        bytes.littleEndian(kCommTextCount, 4).zeros(1);
        bytes.text("TEXT").bigEndian(0, 4);
        return bytes.take();
    }();
    return header;
}

std::string encodeCommFile(std::string_view header, const CommTexts& texts) {
    std::string bytes(header.size() == kCommHeaderSize ? header : defaultCommHeader());
    for (const std::string& text : texts) {
        bytes += text;
        bytes += '\0';
    }
    // The three sizes, each of the bytes after it to the end of the file.
    for (const std::size_t field : {4, 16, 84}) {
        writeBigEndian(bytes, field, bytes.size() - field - 4, 4);
    }
    return bytes;
}

CommFile decodeCommFile(std::string_view bytes) {
    if (bytes.size() < kCommHeaderSize) {
        throw Error(kReadBeyondEnd);
    }
    // The chunk identifiers of the header; its sizes and other fields may be anything.
    for (const auto& [at, id] : {std::pair<std::size_t, std::string_view>{0, "FORM"},
                                 {8, "DATA"},
                                 {12, "FORM"},
                                 {20, "LANG"},
                                 {80, "TEXT"}}) {
        if (bytes.substr(at, id.size()) != id) {
            throw Error(kNotCommFile);
        }
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
