#include <gtest/gtest.h>

#include <new>
#include <set>
#include <utility>

#include "app/messages.h"
#include "platform/error.h"
#include "platform/filesystem.h"
#include "tests/support/game_folder.h"

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
                    CodeAndMessage{1, "I/O error 1"}, CodeAndMessage{112, "I/O error 112"}),
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

// The first line stays what it always was; each cause the player can remove adds its own words.
TEST(ErrorBoxText, ACauseAddsItsOwnRemedyBelowTheFirstLine) {
    const std::pair<Error, const char*> table[] = {
        {Error(8), "I/O error 8."},
        {Error(19), "I/O error 19."},
        {Error(32), "I/O error 32."},
        {Error(123), "I/O error 123."},
        {Error(206), "I/O error 206."},
        {Error(kPathNotFound, Cause::NotAFolder), "Invalid filename."},
        {Error(kAccessDenied, Cause::FolderInPlace), "File access denied."},
        {Error(kAccessDenied, Cause::AccountMayNotWrite), "File access denied."}};
    std::set<std::string> remedies;
    for (const auto& [error, firstLine] : table) {
        const std::string text = ErrorBoxText(error);
        const std::size_t blank = text.find("\n\n");
        ASSERT_NE(blank, std::string::npos) << firstLine;
        EXPECT_EQ(text.substr(0, blank), firstLine);
        remedies.insert(text.substr(blank));
    }
    EXPECT_EQ(remedies.size(), std::size(table));
    EXPECT_EQ(ErrorBoxText(std::bad_alloc()),
              "std::bad_alloc." + ErrorBoxText(Error(8)).substr(12));
    EXPECT_EQ(ErrorBoxText(Error(kAccessDenied)), "File access denied.");
}

#ifdef _WIN32
// The causes as the system shows them: the codes are what Windows and Wine both answer.
TEST(SystemErrors, TheFileSystemTellsTheCause) {
    FileSystem& fs = systemFileSystem();
    test::GameFolder game;
    game.makeDir("folder");
    game.write("file", "x");
    const auto failure = [](const auto& action) {
        try {
            action();
        } catch (const Error& error) {
            return std::make_pair(error.code(), error.cause());
        }
        return std::make_pair(0, Cause::Unknown);
    };
    using P = std::pair<int, Cause>;
    EXPECT_EQ(failure([&] { fs.create(game.path("folder")); }), P(5, Cause::FolderInPlace));
    EXPECT_EQ(failure([&] { fs.create(game.path("file\\Language\\x.txt")); }),
              P(3, Cause::NotAFolder));
    EXPECT_EQ(failure([&] { fs.openRead(game.path("none\\x.txt")); }), P(3, Cause::Unknown));
    EXPECT_EQ(failure([&] { fs.create(game.path("a?b\\x.txt")); }), P(123, Cause::InvalidName));
}
#endif

}  // namespace
}  // namespace quillory
