// The end of the user's session (log-off, shutdown, restart) with unsaved texts: the question
// that closing the window asks comes first. Cancel keeps the program and its texts; Yes saves
// them and lets the session end. wineboot ends the session of the whole Wine prefix, the
// programs of other tests too: this test runs alone (e2e.end-session).
#include <future>

#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

using EndSession = ProgramTest;

std::future<int> endTheSession() {
    return std::async(std::launch::async,
                      [] { return runCommand("wineboot.exe --end-session --shutdown"); });
}

TEST_F(EndSession, AsksTheClosingQuestionFirst) {
    std::vector<std::string> texts = defaultTexts();
    makeDirs(game_.path("language\\pilots"));
    writeFile(game_.path(kCommFile), commFile(texts));
    start();
    select(11);
    type("Back to the carrier!");
    clickNow("Change");

    std::future<int> ending = endTheSession();
    MessageBoxView question = program_->waitForMessageBox();
    expectBox(question, kSaveQuestion, "", {kYes, kNo, kCancel}, BoxIcon::Question);
    program_->answer(question, kCancel);
    EXPECT_NE(ending.get(), 0) << "the session ended";
    expectUsable();
    EXPECT_TRUE(program_->running());
    EXPECT_EQ(commFileOnDisk(), commFile(texts));

    ending = endTheSession();
    question = program_->waitForMessageBox();
    expectBox(question, kSaveQuestion, "", {kYes, kNo, kCancel}, BoxIcon::Question);
    program_->answer(question, kYes);
    texts[11] = "Back to the carrier!";
    expectCommFile(commFile(texts));
    EXPECT_EQ(ending.get(), 0);
    EXPECT_EQ(program_->waitForExit(), 0);
}

}  // namespace
}  // namespace quillory::e2e
