#pragma once

// The game's communication text file: an 88-byte IFF header
// (FORM DATA / FORM LANG / INFO / TEXT) followed by 40 zero-terminated texts. Its three size
// fields are 32-bit big-endian; every other header byte is kept as it was read.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillory {

inline constexpr std::size_t kCommTextCount = 40;
inline constexpr std::size_t kCommHeaderSize = 88;

using CommTexts = std::array<std::string, kCommTextCount>;

struct CommFile {
    std::string header;  // kCommHeaderSize bytes
    CommTexts texts;
};

// The header the file is created with, its size fields zero.
const std::string& defaultCommHeader();

// The file's bytes. A header that is not kCommHeaderSize bytes long is replaced by the default
// one. Texts must not contain a 0 byte (it would end them early for the reader).
std::string encodeCommFile(std::string_view header, const CommTexts& texts);

// Fails with "Read beyond end of file" when the bytes end inside the header or before the
// 40th terminator, and with kNotCommFile when the header lacks the chunk identifiers of a text
// comm file ("FORM" at 0, "DATA" at 8, "FORM" at 12, "LANG" at 20, "TEXT" at 80). Bytes after
// the 40th terminator are ignored.
CommFile decodeCommFile(std::string_view bytes);

}  // namespace quillory
