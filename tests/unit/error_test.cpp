#include <gtest/gtest.h>

#include "app/messages.h"
#include "platform/error.h"

namespace quillory {
namespace {

using messages::ErrorBoxText;

struct CodeAndMessage {
    int code;
    const char* message;
};

void PrintTo(const CodeAndMessage& value, std::ostream* out) { *out << value.code; }

class ErrorMessages : public testing::TestWithParam<CodeAndMessage> {};

TEST_P(ErrorMessages, CodeChoosesTheMessage) {
    EXPECT_EQ(ErrorBoxText(Error(GetParam().code)), GetParam().message + std::string("."));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorMessages,
    testing::Values(CodeAndMessage{2, "File not found"}, CodeAndMessage{3, "Invalid filename"},
                    CodeAndMessage{4, "Too many open files"},
                    CodeAndMessage{5, "File access denied"},
                    CodeAndMessage{100, "Read beyond end of file"},
                    CodeAndMessage{101, "Disk full"}, CodeAndMessage{106, "Invalid numeric input"},
                    CodeAndMessage{32, "I/O error 32"}, CodeAndMessage{112, "I/O error 112"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST(ErrorBoxText, FullStopOnlyAfterACharacterAboveTheFullStop) {
    EXPECT_EQ(ErrorBoxText(Error(kDiskFull)), "Disk full.");
    EXPECT_EQ(ErrorBoxText(Error(87)), "I/O error 87.");
    EXPECT_EQ(ErrorBoxText(Error::listIndexOutOfBounds(40)), "List index out of bounds (40)");
    // "'" comes before "." in the character table.
    EXPECT_EQ(ErrorBoxText(Error::invalidDataType("Installed To:")),
              "Invalid data type for 'Installed To:'");
    EXPECT_EQ(ErrorBoxText(std::runtime_error("Done.")), "Done.");
    EXPECT_EQ(ErrorBoxText(std::runtime_error("odd-")), "odd-");
    EXPECT_EQ(ErrorBoxText(std::runtime_error("")), "");
}

}  // namespace
}  // namespace quillory
