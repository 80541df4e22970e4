#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/setup.h"
#include "tests/support/expected.h"

namespace quillory::e2e {

// What the program must show and write.
using namespace quillory::test;

// Held while a program of a test starts (and reads the installation record): a test that needs
// its program to keep the activation for a moment (an open menu or list closes when another
// window takes it) holds it too, so that no program of another test opens meanwhile.
inline constexpr char kStartLock[] = "quillory-e2e-starts";

// One run of the program: a fresh game folder, the installation record pointing at it, and the
// program started on it, with its main window's controls at hand.
class ProgramTest : public ::testing::Test {
protected:
    static constexpr char kCommFile[] = "language\\pilots\\player_1.eng";
    static constexpr char kSaveQuestion[] = "Save changes to the text comm file ?";

    // Starts the program with the record pointing at the game folder and waits for its window.
    void start();
    // Starts it after `makeRecord` wrote the registry record; returns once the program has read
    // the record (a window or a box of it is on the screen, or it ended).
    void startWith(const std::function<void()>& makeRecord);
    // Finds the main window and its controls.
    void attach();

    // Acting as the user.
    HWND button(const std::string& caption);
    void select(int slot);
    // Types the text (in the system's code page) into the edit; returns once the edit holds it.
    void type(const std::string& text);
    // Clicks a button whose handler does not wait for the user, and returns when it is done.
    void clickNow(const std::string& caption);
    // Clicks a button that asks or reports something, and returns the box.
    MessageBoxView clickForBox(const std::string& caption);
    // Closes the main window by its system menu, as the close box and Alt+F4 do.
    void closeWindow();
    // In the open dialog that the program shows now: types the path (UTF-8) and presses Open,
    // or cancels the dialog when the path is empty.
    void chooseFile(const std::string& path);

    // What the window shows.
    std::vector<std::string> entries() const;
    int selection() const;
    std::string edited() const;
    std::string categoryShown() const;

    // The standard error box: owned by the program's own hidden window, not by the main window,
    // and modal to every window of the program.
    void expectOwnedByTheApplication(const MessageBoxView& box);
    // Waits until the main window takes input again, after a box or the About box closed.
    void expectUsable();
    // Waits for the program to end by itself, with no box on the way.
    void expectEndsWithoutBox();
    // The communication text file as it is on disk.
    std::optional<std::string> commFileOnDisk() const;
    // Waits until the communication text file holds `bytes`.
    void expectCommFile(const std::string& bytes);
    // The same for any file of the game folder.
    void expectFile(const std::string& relative, const std::string& bytes);

    // Saves a screenshot of the window (or of an area of the screen as it is) under the build
    // folder and says where.
    void screenshot(HWND window, const std::string& name);
    void screenshot(const RECT& screenArea, const std::string& name);

    TempFolder game_{"Game Dir"};
    TempFolder work_{"work"};  // the program's working directory
    std::unique_ptr<Program> program_;
    HWND main_ = nullptr;
    HWND textes_ = nullptr;
    HWND edit_ = nullptr;
    HWND progress_ = nullptr;
};

// Checks every visible property of a box at once.
void expectBox(const MessageBoxView& box, const std::string& text, const std::string& caption,
               const std::set<int>& buttons, BoxIcon icon);

// A file of tests/data, by its path there.
std::string testData(const std::string& relative);

// The path of the program under test, of the stand-in for the game, of the screenshots.
std::string programPath();
std::string fakeGamePath();
std::string screenshotFolder();

}  // namespace quillory::e2e
