// Fuzz target: any bytes as a communication text file. Build and run with
//   bash tools/fuzz.sh commfile [seconds]
// Besides the sanitizers' findings it stops when:
// - the decoder fails on a file that has its 88 header bytes and 40 terminators after them,
//   succeeds on one that has not, or fails with another code than "Read beyond end of file";
// - the decoded header or texts are not the file's bytes;
// - encoding the decoded file does not give the same bytes back but for the three sizes and
//   whatever followed the 40th text, or the sizes are not the lengths they count.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/commfile.h"
#include "platform/error.h"
#include "tests/fuzz/fuzz_checks.h"
#include "tests/support/bytes.h"

namespace {

using namespace quillory;

using fuzz::check;
using test::readBe32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const bool complete =
        size >= kCommHeaderSize && std::count(input.begin() + kCommHeaderSize, input.end(), '\0') >=
                                       static_cast<long>(kCommTextCount);
    CommFile file;
    try {
        file = decodeCommFile(input);
    } catch (const Error& error) {
        check(error.code() == kReadBeyondEnd);
        check(!complete);
        return 0;
    }
    check(complete);
    check(file.header == input.substr(0, kCommHeaderSize));

    // The texts, each with its terminator, are the bytes after the header.
    std::string texts;
    for (const std::string& text : file.texts) {
        check(text.find('\0') == std::string::npos);
        texts += text;
        texts += '\0';
    }
    check(input.compare(kCommHeaderSize, texts.size(), texts) == 0);

    const std::string encoded = encodeCommFile(file.header, file.texts);
    check(encoded.size() == kCommHeaderSize + texts.size());
    check(encoded.compare(kCommHeaderSize, std::string::npos, texts) == 0);
    for (std::size_t i = 0; i < kCommHeaderSize; ++i) {
        const bool sizeField = (i >= 4 && i < 8) || (i >= 16 && i < 20) || (i >= 84 && i < 88);
        check(sizeField || encoded[i] == input[i]);
    }
    check(readBe32(encoded, 4) == encoded.size() - 8);
    check(readBe32(encoded, 16) == encoded.size() - 20);
    check(readBe32(encoded, 84) == encoded.size() - 88);
    return 0;
}
