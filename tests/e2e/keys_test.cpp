// The text workflow by the keyboard, from the list of texts where the focus starts: the
// category label drawn whole after each move, Esc on the open list, the keys of the menu bar
// and of the Text menu, the marks of changed texts, and the question before the game starts.
#include <windows.h>

#include <functional>

#include "app/ids.h"
#include "tests/e2e/fixture.h"

namespace quillory::e2e {
namespace {

constexpr LPARAM kAltDown = LPARAM{1} << 29;

// A key pressed and released with Alt held (`alt`), or a system key alone (F10, Alt itself).
void systemKey(HWND window, WPARAM key, bool alt) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
    const LPARAM flags = 1 | (scan << 16) | (alt ? kAltDown : 0);
    post(window, WM_SYSKEYDOWN, key, flags);
    post(window, WM_SYSKEYUP, key, flags | (LPARAM{3} << 30));
}

// Alt and a letter: the menu bar's mnemonic.
void altLetter(HWND window, char letter) {
    post(window, WM_SYSKEYDOWN, VK_MENU, 1 | kAltDown);
    post(window, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 | kAltDown);
    post(window, WM_SYSKEYUP, VK_MENU, 1 | (LPARAM{3} << 30));
}

class Keys : public ProgramTest {
protected:
    bool listOpen() const { return send(textes_, CB_GETDROPPEDSTATE) != 0; }
    bool menuOpen() const { return !program_->topWindows("#32768").empty(); }
    // Opens a menu with `keys` and chooses in it with `then`, until `done`: a window of a test
    // running beside this one that takes the activation closes an open menu, so again.
    void inTheMenu(const std::function<void()>& keys, const std::function<void()>& then,
                   const std::function<bool()>& done, const std::string& what) {
        for (int attempt = 0; attempt < 5 && !done(); ++attempt) {
            SetForegroundWindow(main_);
            keys();
            settle(main_);  // the keys handled: the menu is open, unless it was closed meanwhile
            if (menuOpen()) {
                then();
                // The choice closes the menu and posts its command: both handled.
                settle(main_);
                settle(main_);
            }
            if (menuOpen()) {
                closeMenu();
            }
        }
        EXPECT_TRUE(done()) << what;
    }
    void closeMenu() {
        send(main_, WM_CANCELMODE);
        waitUntil([&] { return !menuOpen(); }, "the menu to close");
    }
    bool changedMark(int slot) const {
        return (send(textes_, CB_GETITEMDATA, static_cast<WPARAM>(slot)) & 2) != 0;
    }
};

TEST_F(Keys, TheTextWorkflowByTheKeyboardFromTheList) {
    std::vector<std::string> texts = defaultTexts();
    texts[11] = "Wingmen, back in line!";
    makeDirs(game_.path("language\\pilots"));
    writeFile(game_.path(kCommFile), commFile(texts));
    ASSERT_TRUE(CopyFileA(fakeGamePath().c_str(), game_.path("Secretops.exe").c_str(), FALSE));
    makeDirs(game_.path("audio\\speech"));
    for (int slot : {11, 12}) {
        writeFile(game_.path(speechName(slot)),
                  speechFile(formatBlock(1, 1, 8000, 8), pattern(99)));
    }
    start();
    NamedLock noStarts(kStartLock);
    RaisedForCapture raised(main_);
    // The open list follows the mouse: keep the pointer away from it.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);

    // The label after each move with the arrow keys, read off the screen as it is: each glyph
    // where it belongs, the whole text drawn.
    for (const auto& [from, phrase] :
         {std::pair{9, "Form on my wing."}, std::pair{37, "Mission accomplished."},
          std::pair{10, "My wing, return to formation."}}) {
        select(from);
        pressKey(textes_, VK_DOWN);
        waitUntil([&] { return categoryShown() == phrase; }, phrase);
    }
    screenshot(main_, "label-after-moves");

    // Esc closes the open list, and nothing else.
    pressKey(textes_, VK_F4);
    waitUntil([&] { return listOpen(); }, "the list to open");
    pressKey(textes_, VK_ESCAPE);
    waitUntil([&] { return !listOpen(); }, "Esc to close the list");
    EXPECT_EQ(selection(), 11);

    // F10 and Alt from the list open the menu bar, and Down its first menu.
    for (const auto& [key, alt] : {std::pair<WPARAM, bool>{VK_F10, false}, {VK_MENU, true}}) {
        bool opened = false;
        inTheMenu(
            [&, key = key, alt = alt] {
                systemKey(textes_, key, alt);
                post(main_, WM_KEYDOWN, VK_DOWN);
            },
            [&] { opened = true; }, [&] { return opened; },
            key == VK_F10 ? "F10 to open the menu" : "Alt to open the menu");
    }

    // The Text menu by Alt+T, and its items by their letters: Restore default text, Undo change.
    const auto textMenu = [&] { altLetter(textes_, 't'); };
    inTheMenu(
        textMenu, [&] { post(main_, WM_CHAR, 'd'); },
        [&] { return entries()[11] == defaultTexts()[11]; }, "the default wording");
    EXPECT_TRUE(changedMark(11));
    EXPECT_EQ(edited(), defaultTexts()[11]);
    inTheMenu(
        textMenu, [&] { post(main_, WM_CHAR, 'u'); }, [&] { return entries()[11] == texts[11]; },
        "the file's text again");
    EXPECT_FALSE(changedMark(11));

    post(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    post(edit_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    type("Back to the carrier!");
    pressKey(edit_, VK_RETURN);
    waitUntil([&] { return changedMark(11); }, "the change mark");
    texts[11] = "Back to the carrier!";
    EXPECT_EQ(entries(), texts);
    // The marks in the open list, opened with a click, for the README.
    select(9);
    post(textes_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    post(textes_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    waitUntil([&] { return listOpen(); }, "the list to open again");
    const std::vector<HWND> lists = program_->topWindows("ComboLBox");
    if (!lists.empty()) {
        RECT window{}, list{};
        GetWindowRect(main_, &window);
        GetWindowRect(lists[0], &list);
        list.bottom = list.top + 6 * 16 + 2;
        RECT both{};
        UnionRect(&both, &window, &list);
        Sleep(200 * timeScale());
        screenshot(both, "main-window-marks");
    }
    pressKey(textes_, VK_ESCAPE);
    waitUntil([&] { return !listOpen(); }, "the list to close");
    select(11);

    // "Run Secret Ops" with a changed text: Cancel starts nothing, Yes saves, then starts.
    const std::string ask = "Save changes to the text comm file before starting the game ?";
    MessageBoxView question = clickForBox("Run Secret Ops");
    expectBox(question, ask, "", {kYes, kNo, kCancel}, BoxIcon::Question);
    program_->answer(question, kCancel);
    expectUsable();
    question = clickForBox("Run Secret Ops");
    program_->answer(question, kYes);
    waitUntil([&] { return fileExists(game_.path("started.txt")); }, "the game to start");
    EXPECT_EQ(commFileOnDisk(), commFile(texts));
    EXPECT_FALSE(changedMark(11));

    // Ctrl+S's item, then Alt+F4 from the list with nothing to save.
    inTheMenu(
        textMenu, [&] { post(main_, WM_CHAR, 's'); }, [&] { return program_->messageBoxOpen(); },
        "Save Text from the Text menu");
    program_->answer(program_->waitForMessageBox(), kCancel);
    expectUsable();
    systemKey(textes_, VK_F4, true);
    expectEndsWithoutBox();
    EXPECT_EQ(program_->waitForExit(), 0);
}

// Enter in the edit presses "Change" however the edit got the focus, also after Tab walked the
// default style onto "Revert Text": it neither asks to revert nor reverts.
TEST_F(Keys, EnterInTheEditPressesChange) {
    std::vector<std::string> texts = defaultTexts();
    makeDirs(game_.path("language\\pilots"));
    writeFile(game_.path(kCommFile), commFile(texts));
    start();
    select(11);
    const auto clickInto = [&](HWND window) {
        post(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        post(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        waitUntil([&] { return focusOf(main_) == window; }, "the focus in " + classOf(window));
    };
    const auto tabTo = [&](HWND target) {
        pressKey(focusOf(main_), VK_TAB);
        waitUntil([&] { return focusOf(main_) == target; }, "Tab to " + textOf(target));
    };
    clickInto(edit_);
    tabTo(button("Change"));
    tabTo(button("Revert Text"));
    clickInto(edit_);
    type("Back to the carrier!");
    pressKey(edit_, VK_RETURN);
    pressKey(edit_, VK_RETURN);
    // Posted after both keys: handled once they are.
    post(textes_, CB_SETCURSEL, 12);
    waitUntil([&] { return selection() == 12 || program_->messageBoxOpen(); }, "both Enters");
    ASSERT_FALSE(program_->messageBoxOpen()) << program_->waitForMessageBox().text;
    texts[11] = "Back to the carrier!";
    EXPECT_EQ(entries(), texts);

    // Into the edit by Tab, the whole round from the edit, over "Revert Text" again.
    select(12);
    for (const char* caption :
         {"Change", "Revert Text", "Attach WAV", "Remove custom communications"}) {
        tabTo(button(caption));
    }
    tabTo(textes_);
    tabTo(button("Save Text"));
    tabTo(edit_);
    type("Wingmen, break and attack!");
    pressKey(edit_, VK_RETURN);
    texts[12] = "Wingmen, break and attack!";
    waitUntil([&] { return entries() == texts || program_->messageBoxOpen(); }, "Enter by Tab");
    ASSERT_FALSE(program_->messageBoxOpen()) << program_->waitForMessageBox().text;

    closeWindow();
    program_->answer(program_->waitForMessageBox(), kYes);
    EXPECT_EQ(program_->waitForExit(), 0);
    EXPECT_EQ(commFileOnDisk(), commFile(texts));
}

}  // namespace
}  // namespace quillory::e2e
