#include "formats/commfile.h"

#include <gtest/gtest.h>

#include "game/slots.h"
#include "platform/error.h"
#include "tests/support/error_code.h"

namespace quillory {
namespace {

std::string sizeFields(const std::string& bytes) {
    return bytes.substr(4, 4) + bytes.substr(16, 4) + bytes.substr(84, 4);
}

std::string be(unsigned a, unsigned b, unsigned c) {
    std::string out;
    for (unsigned v : {a, b, c}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            out += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    return out;
}

CommTexts defaultTexts() {
    CommTexts texts;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        texts[static_cast<std::size_t>(slot)] = defaultText(slot);
    }
    return texts;
}

TEST(CommFileEncoding, DefaultHeaderAndTextsGiveThe1184ByteFile) {
    const std::string bytes = encodeCommFile(defaultCommHeader(), defaultTexts());
    ASSERT_EQ(bytes.size(), 1184u);
    EXPECT_EQ(sizeFields(bytes), be(1176, 1164, 1096));
    EXPECT_EQ(bytes.substr(0, 4), "FORM");
    EXPECT_EQ(bytes.substr(8, 8), "DATAFORM");
    EXPECT_EQ(bytes.substr(20, 8), "LANGINFO");
    EXPECT_EQ(bytes.substr(28, 4), std::string("\0\0\0\x2F", 4));
    EXPECT_EQ(bytes.substr(32, 8), std::string("English\0", 8));
    EXPECT_EQ(bytes.substr(48, 23), std::string("Player_1Communications\0", 23));
    EXPECT_EQ(bytes.substr(71, 9), std::string("\x01\0\0\0\x28\0\0\0\0", 9));
    EXPECT_EQ(bytes.substr(80, 4), "TEXT");
    EXPECT_EQ(bytes.substr(88, 29), std::string("All craft, break and attack!\0", 29));
    EXPECT_EQ(bytes.substr(bytes.size() - 16), std::string("Mission Failed.\0", 16));
}

TEST(CommFileEncoding, DefaultHeaderHasZeroSizes) {
    const std::string& header = defaultCommHeader();
    ASSERT_EQ(header.size(), kCommHeaderSize);
    EXPECT_EQ(sizeFields(header), std::string(12, '\0'));
}

TEST(CommFileEncoding, EmptyTextsGive128Bytes) {
    const std::string bytes = encodeCommFile(defaultCommHeader(), CommTexts{});
    ASSERT_EQ(bytes.size(), 128u);
    EXPECT_EQ(sizeFields(bytes), be(120, 108, 40));
    EXPECT_EQ(bytes.substr(88), std::string(40, '\0'));
}

TEST(CommFileEncoding, OddTotalGetsNoPadByte) {
    CommTexts texts;
    texts[5] = "odd";
    const std::string bytes = encodeCommFile(defaultCommHeader(), texts);
    ASSERT_EQ(bytes.size(), 131u);
    EXPECT_EQ(sizeFields(bytes), be(123, 111, 43));
}

TEST(CommFileEncoding, ForeignHeaderKeptButForTheSizes) {
    std::string foreign(kCommHeaderSize, '\0');
    for (std::size_t i = 0; i < foreign.size(); ++i) {
        foreign[i] = static_cast<char>(0xA0 + i);
    }
    const std::string bytes = encodeCommFile(foreign, CommTexts{});
    for (std::size_t i = 0; i < kCommHeaderSize; ++i) {
        const bool sizeField = (i >= 4 && i < 8) || (i >= 16 && i < 20) || (i >= 84 && i < 88);
        if (!sizeField) {
            EXPECT_EQ(bytes[i], foreign[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(sizeFields(bytes), be(120, 108, 40));
}

TEST(CommFileEncoding, HeaderOfAnotherLengthIsReplacedByTheDefault) {
    for (const std::string& header : {std::string(), std::string(40, 'x'), std::string(89, 'x')}) {
        const std::string bytes = encodeCommFile(header, CommTexts{});
        ASSERT_EQ(bytes.size(), 128u);
        EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8, 4), "FORMDATA");
        EXPECT_EQ(bytes.substr(20, 4), "LANG");
    }
}

TEST(CommFileDecoding, RoundTripKeepsEveryByte) {
    CommTexts texts = defaultTexts();
    texts[3] = "\xE9t\xE9 \xFF\x80\x01 high bytes";
    texts[7] = "";
    texts[39] = std::string(10000, 'L');
    const CommFile file = decodeCommFile(encodeCommFile(defaultCommHeader(), texts));
    EXPECT_EQ(file.texts, texts);
    EXPECT_EQ(file.header.substr(0, 4), "FORM");
    EXPECT_EQ(file.header.size(), kCommHeaderSize);
}

TEST(CommFileDecoding, IgnoresBytesAfterTheFortiethTextAndWrongSizes) {
    std::string bytes = encodeCommFile(defaultCommHeader(), defaultTexts());
    bytes[5] = '\x7F';  // a wrong size field
    bytes += std::string("trailing\0junk", 13);
    const CommFile file = decodeCommFile(bytes);
    EXPECT_EQ(file.texts, defaultTexts());
    EXPECT_EQ(file.header, bytes.substr(0, kCommHeaderSize));
}

TEST(CommFileDecoding, TruncatedFilesReadBeyondTheEnd) {
    const std::string bytes = encodeCommFile(defaultCommHeader(), defaultTexts());
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{87}, std::size_t{88},
                               std::size_t{100}, bytes.size() - 1}) {
        EXPECT_EQ(
            test::errorCodeOf([&] { decodeCommFile(std::string_view(bytes).substr(0, length)); }),
            kReadBeyondEnd)
            << "length " << length;
    }
}

}  // namespace
}  // namespace quillory
