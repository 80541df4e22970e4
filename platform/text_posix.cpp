// Native builds stand in for a Western system: its ANSI code page is taken as ISO 8859-1, whose
// bytes are the first 256 Unicode characters.
#include "platform/text.h"

#include <algorithm>

namespace quillory {
namespace {

// The length of the UTF-8 sequence that starts with `lead`; 1 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

AnsiText AnsiOf(const std::string& utf8) {
    AnsiText text;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = std::min(SequenceLength(lead), utf8.size() - at);
        if (length == 1) {
            text.bytes += static_cast<char>(lead);
        } else if (length == 2 && lead <= 0xC3) {
            text.bytes += static_cast<char>(((lead & 0x03) << 6) | (utf8[at + 1] & 0x3F));
        } else if (text.unstorable.find(utf8.substr(at, length)) == std::string::npos) {
            text.unstorable += utf8.substr(at, length);
        }
        at += length;
    }
    return text;
}

std::string Utf8OfAnsi(const std::string& ansi) {
    std::string utf8;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace quillory
