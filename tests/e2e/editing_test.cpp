// The editing workflow: picking a slot, "Change", "Save Text", "Revert Text", and closing the
// window with and without unsaved changes.
#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

const std::string kRevertQuestion = "Load text comm file as it was when last saved ?";
const std::string kHeldByAnother =
    "\n\nAnother program has the file open, perhaps the game itself. Close that program, then "
    "try again.";

using Editing = ProgramTest;

TEST_F(Editing, PickingASlotShowsItsTextAndCategoryAndDropsWhatWasTyped) {
    start();
    select(16);
    EXPECT_EQ(edited(), "Time to die, bug!");
    EXPECT_EQ(categoryShown(), "Taunt");

    // What was typed goes only after the player's word.
    type("typed but never changed");
    pressKey(textes_, VK_DOWN);
    const MessageBoxView asked = program_->waitForMessageBox();
    expectBox(asked, "Apply the text you typed to this communication ?", "", {kYes, kNo, kCancel},
              BoxIcon::Question);
    program_->answer(asked, kNo);
    waitUntil([&] { return edited() == "Here's some blackness for you!"; }, "slot 17's text");
    EXPECT_EQ(selection(), 17);
    EXPECT_EQ(categoryShown(), "Taunt");

    for (int slot : {39, 11, 27, 0}) {
        select(slot);
        EXPECT_EQ(edited(), defaultTexts()[slot]) << slot;
        EXPECT_EQ(categoryShown(), category(slot)) << slot;
    }
    EXPECT_EQ(entries(), defaultTexts());
}

TEST_F(Editing, ChangeReplacesTheSlotInMemoryAndSaveWritesAllTexts) {
    start();
    std::vector<std::string> texts = defaultTexts();
    select(3);
    texts[3] = "Cover me, I'm going in!";
    type(texts[3]);
    clickNow("Change");
    EXPECT_EQ(entries(), texts);
    EXPECT_EQ(selection(), 3);
    EXPECT_EQ(edited(), texts[3]);
    EXPECT_EQ(categoryShown(), "Break and attack.");
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));

    const MessageBoxView box = clickForBox("Save Text");
    expectBox(box, kSaveQuestion, "", {kOk, kCancel}, BoxIcon::Question);
    EXPECT_EQ(box.owner, main_);
    EXPECT_FALSE(IsWindowEnabled(main_)) << "the question must be modal";
    screenshot(box.window, "save-question");
    program_->answer(box, kOk);
    expectCommFile(commFile(texts));
    EXPECT_FALSE(program_->messageBoxOpen());
    expectUsable();

    // Saved: closing asks nothing.
    closeWindow();
    expectEndsWithoutBox();
}

TEST_F(Editing, ChangeWithAnEmptyEditEmptiesTheSlot) {
    start();
    std::vector<std::string> texts = defaultTexts();
    select(5);
    type("");
    clickNow("Change");
    texts[5] = "";
    EXPECT_EQ(entries(), texts);
    program_->answer(clickForBox("Save Text"), kOk);
    expectCommFile(commFile(texts));
    EXPECT_EQ(commFileOnDisk().value_or("").size(), 1184u - defaultTexts()[5].size());
}

TEST_F(Editing, LongTextsAndAccentsGoThroughUnchanged) {
    start();
    std::vector<std::string> texts = defaultTexts();
    texts[20] = "Cr\xE8ve, sale bestiole ! " + std::string(5000, 'z') + " \xA9\xFF";
    select(20);
    type(texts[20]);
    clickNow("Change");
    EXPECT_EQ(entries(), texts);
    program_->answer(clickForBox("Save Text"), kOk);
    expectCommFile(commFile(texts));

    program_->answer(clickForBox("Revert Text"), kOk);
    select(21);
    select(20);
    EXPECT_EQ(edited(), texts[20]);
    EXPECT_EQ(entries(), texts);
}

TEST_F(Editing, EnterInTheEditPressesChange) {
    start();
    select(2);
    // The user clicks into the edit, types and presses Enter. (Tests running beside this one
    // may take the activation away, and the focus with it: Enter goes to the edit all the same.)
    post(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    post(edit_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    type("Go go go!");
    pressKey(edit_, VK_RETURN);
    waitUntil([&] { return entries()[2] == "Go go go!"; }, "slot 2 to change");
    EXPECT_EQ(selection(), 2);
    EXPECT_FALSE(program_->messageBoxOpen());
}

TEST_F(Editing, RevertReloadsTheSavedTextsAndKeepsTheEdit) {
    start();
    select(1);
    type("Changed my mind");
    clickNow("Change");
    ASSERT_EQ(entries()[1], "Changed my mind");

    const MessageBoxView box = clickForBox("Revert Text");
    expectBox(box, kRevertQuestion, "", {kOk, kCancel}, BoxIcon::Question);
    EXPECT_EQ(box.owner, main_);
    EXPECT_FALSE(IsWindowEnabled(main_)) << "the question must be modal";
    program_->answer(box, kOk);
    waitUntil([&] { return entries() == defaultTexts(); }, "the saved texts");
    EXPECT_EQ(selection(), 1);
    EXPECT_EQ(edited(), "Changed my mind");
    EXPECT_EQ(categoryShown(), "Break and attack.");

    // Nothing is left unsaved after the reload.
    closeWindow();
    expectEndsWithoutBox();
}

TEST_F(Editing, RevertAfterTheFileWasDeletedCreatesItAgain) {
    std::vector<std::string> texts = defaultTexts();
    texts[8] = "Switch, switch!";
    makeDirs(game_.path("language\\pilots"));
    writeFile(game_.path(kCommFile), commFile(texts));
    start();
    ASSERT_EQ(entries(), texts);
    ASSERT_TRUE(DeleteFileA(game_.path(kCommFile).c_str()));

    program_->answer(clickForBox("Revert Text"), kOk);
    waitUntil([&] { return entries() == defaultTexts(); }, "the default texts");
    expectCommFile(commFile(defaultTexts()));
    EXPECT_EQ(selection(), 0);
    EXPECT_FALSE(program_->messageBoxOpen());
}

TEST_F(Editing, CancelOnSaveOrRevertChangesNothing) {
    start();
    std::vector<std::string> texts = defaultTexts();
    select(6);
    texts[6] = "Engage!";
    type(texts[6]);
    clickNow("Change");

    program_->answer(clickForBox("Save Text"), kCancel);
    program_->answer(clickForBox("Revert Text"), kCancel);
    EXPECT_EQ(entries(), texts);
    EXPECT_EQ(selection(), 6);
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
    EXPECT_FALSE(program_->messageBoxOpen());
}

// Closing the window after a "Change" that was not saved asks first.
class ClosingWithUnsavedChanges : public ProgramTest {
protected:
    MessageBoxView changeAndClose() {
        start();
        if (HasFatalFailure()) {
            return {};
        }
        texts_ = defaultTexts();
        select(30);
        texts_[30] = "Mayday!";
        type(texts_[30]);
        clickNow("Change");
        closeWindow();
        const MessageBoxView box = program_->waitForMessageBox();
        expectBox(box, kSaveQuestion, "", {kYes, kNo, kCancel}, BoxIcon::Question);
        return box;
    }
    std::vector<std::string> texts_;
};

TEST_F(ClosingWithUnsavedChanges, YesSavesAndCloses) {
    program_->answer(changeAndClose(), kYes);
    EXPECT_EQ(program_->waitForExit(), 0);
    EXPECT_EQ(commFileOnDisk(), commFile(texts_));
}

TEST_F(ClosingWithUnsavedChanges, NoDropsTheChangesAndCloses) {
    program_->answer(changeAndClose(), kNo);
    EXPECT_EQ(program_->waitForExit(), 0);
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
}

TEST_F(ClosingWithUnsavedChanges, CancelKeepsTheWindowAndTheChanges) {
    program_->answer(changeAndClose(), kCancel);
    EXPECT_TRUE(program_->running());
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(entries(), texts_);
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
}

TEST_F(ClosingWithUnsavedChanges, AFailedSaveKeepsTheWindowOpen) {
    const MessageBoxView question = changeAndClose();
    setReadOnly(game_.path(kCommFile), true);
    program_->answer(question, kYes);
    const MessageBoxView error = program_->waitForMessageBox();
    expectBox(error, "File access denied.", "Quillory", {kOk}, BoxIcon::Stop);
    program_->answer(error, kOk);
    EXPECT_TRUE(program_->running());
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
    setReadOnly(game_.path(kCommFile), false);
}

// The game holds the file while the player saves: the box tells why, and the file stays.
TEST_F(Editing, SavingOverAFileAnotherProgramHoldsSaysSo) {
    start();
    const HANDLE held = CreateFileA(game_.path(kCommFile).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    select(3);
    type("Mine now");
    clickNow("Change");
    program_->answer(clickForBox("Save Text"), kOk);
    const MessageBoxView error = program_->waitForMessageBox();
    CloseHandle(held);
    expectBox(error, "File access denied." + kHeldByAnother, "Quillory", {kOk}, BoxIcon::Stop);
    program_->answer(error, kOk);
    EXPECT_EQ(commFileOnDisk(), commFile(defaultTexts()));
}

// The game holds the file when the program starts: the list does not hold what the file holds,
// so nothing is written over it without the player's word.
TEST_F(Editing, AFileThatCouldNotBeReadIsNotSavedOverWithoutAsking) {
    const std::string file = commFile(defaultTexts());
    makeDirs(game_.path("language\\pilots"));
    writeFile(game_.path(kCommFile), file);
    const HANDLE held = CreateFileA(game_.path(kCommFile).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    startWith([&] { install_record::set("REG_SZ", game_.dir()); });
    const MessageBoxView error = program_->waitForMessageBox();
    expectBox(error, "I/O error 32." + kHeldByAnother, "Quillory", {kOk}, BoxIcon::Stop);
    program_->answer(error, kOk);
    attach();
    CloseHandle(held);
    select(3);
    type("Mine now");
    clickNow("Change");

    const std::string unread =
        "The text comm file could not be read. Save the texts shown in its place ?";
    const MessageBoxView box = clickForBox("Save Text");
    expectBox(box, unread, "", {kOk, kCancel}, BoxIcon::Warning);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(box.window, kCancel), GWL_STYLE) & BS_DEFPUSHBUTTON);
    program_->answer(box, kCancel);
    closeWindow();
    program_->answer(program_->waitForMessageBox(), kYes);
    const MessageBoxView asked = program_->waitForMessageBox();
    EXPECT_EQ(asked.text, unread);
    program_->answer(asked, kCancel);
    expectUsable();
    EXPECT_TRUE(program_->running());
    EXPECT_EQ(commFileOnDisk(), file);
}

}  // namespace
}  // namespace quillory::e2e
