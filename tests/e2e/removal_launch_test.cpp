// "Remove custom communications", which ends the program, and "Run Secret Ops".
#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

const std::string kRemoveQuestion =
    "This will delete the custom text comm file and IFF speech files.  Are you sure ?";

class Removal : public ProgramTest {
protected:
    void SetUp() override {
        makeDirs(game_.path("audio\\speech"));
        for (const char* name :
             {"00740007.iff", "00740025.iff", "00740039.iff", "00740040.iff", "readme.txt"}) {
            writeFile(game_.path(std::string("audio\\speech\\") + name), name);
        }
    }
    std::vector<std::string> speechFolder() const {
        return listFolder(game_.path("audio\\speech"));
    }
};

TEST_F(Removal, DeletesTheProgramsFilesAndEndsWithoutAskingToSave) {
    start();
    select(3);
    type("never saved");
    clickNow("Change");
    const MessageBoxView box = clickForBox("Remove custom communications");
    expectBox(box, kRemoveQuestion, "", {kOk, kCancel}, BoxIcon::Question);
    EXPECT_EQ(box.owner, main_);
    EXPECT_FALSE(IsWindowEnabled(main_)) << "the question must be modal";
    program_->answer(box, kOk);
    expectEndsWithoutBox();

    // Only the 41 names are deleted; folders go where they became empty.
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{"audio"});
    EXPECT_EQ(speechFolder(), (std::vector<std::string>{"00740040.iff", "readme.txt"}));
}

TEST_F(Removal, LeavesNoFolderBehindWhenOnlyItsFilesWereThere) {
    for (const std::string& name : speechFolder()) {
        if (name != "00740007.iff") {
            DeleteFileA(game_.path("audio\\speech\\" + name).c_str());
        }
    }
    start();
    program_->answer(clickForBox("Remove custom communications"), kOk);
    expectEndsWithoutBox();
    EXPECT_EQ(listFolder(game_.dir()), std::vector<std::string>{});
}

TEST_F(Removal, CancelKeepsEverything) {
    start();
    const std::vector<std::string> before = speechFolder();
    program_->answer(clickForBox("Remove custom communications"), kCancel);
    settle(main_);
    EXPECT_TRUE(program_->running());
    expectUsable();
    EXPECT_EQ(speechFolder(), before);
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
    closeWindow();
    expectEndsWithoutBox();
}

TEST_F(Removal, ReportsFilesThatCouldNotBeDeleted) {
    setReadOnly(game_.path("audio\\speech\\00740025.iff"), true);
    start();
    program_->answer(clickForBox("Remove custom communications"), kOk);
    MessageBoxView report = program_->waitForMessageBox();
    std::string text;
    for (char c : report.text) {
        if (c != '\r') {
            text += c;
        }
    }
    report.text = text;
    expectBox(report,
              "These files could not be deleted:\n" + game_.path("audio\\speech\\00740025.iff"),
              "Error", {kOk}, BoxIcon::Warning);
    program_->answer(report, kOk);
    EXPECT_EQ(program_->waitForExit(), 0);
    EXPECT_EQ(speechFolder(),
              (std::vector<std::string>{"00740025.iff", "00740040.iff", "readme.txt"}));
    EXPECT_FALSE(fileExists(game_.path(kCommFile)));
    setReadOnly(game_.path("audio\\speech\\00740025.iff"), false);
}

using Launcher = ProgramTest;

TEST_F(Launcher, StartsTheGameInItsFolderOnEachClick) {
    ASSERT_TRUE(CopyFileA(fakeGamePath().c_str(), game_.path("Secretops.exe").c_str(), FALSE));
    start();
    click(button("Run Secret Ops"));
    click(button("Run Secret Ops"));
    // The stand-in game notes the folder it was started in, once per start.
    std::string folder = game_.dir();
    folder.pop_back();
    const std::string twice = folder + "\r\n" + folder + "\r\n";
    waitUntil([&] { return readFile(game_.path("started.txt")) == twice; }, "two starts");
    EXPECT_EQ(readFile(game_.path("started.txt")).value_or(""), twice);
    EXPECT_FALSE(program_->messageBoxOpen());
    EXPECT_TRUE(program_->running());
}

TEST_F(Launcher, ReportsAGameThatCannotStart) {
    start();
    const MessageBoxView box = clickForBox("Run Secret Ops");
    expectBox(box, "Cannot start Secretops.exe from " + game_.dir(), "Error", {kOk}, BoxIcon::Stop);
    EXPECT_EQ(box.owner, main_);
    program_->answer(box, kOk);
    EXPECT_TRUE(program_->running());
    expectUsable();
}

}  // namespace
}  // namespace quillory::e2e
