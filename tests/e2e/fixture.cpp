#include "tests/e2e/fixture.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "app/ids.h"
#include "tests/e2e/named_lock.h"

namespace quillory::e2e {
namespace {

// The file name field of the common open dialog.
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47C;  // cmb13

}  // namespace

std::string programPath() {
    // QUILLORY_PROGRAM: another build of the program, the one of the package say, by its Unix
    // or Windows path.
    const char* chosen = std::getenv("QUILLORY_PROGRAM");
    if (chosen == nullptr || *chosen == '\0') {
        return windowsPath(QUILLORY_EXE);
    }
    return chosen[0] == '/' ? windowsPath(chosen) : chosen;
}

std::string testData(const std::string& relative) {
    return readFile(windowsPath(std::string(QUILLORY_TEST_DATA) + "/" + relative)).value_or("");
}
std::string fakeGamePath() { return windowsPath(QUILLORY_FAKE_GAME); }
std::string screenshotFolder() { return windowsPath(QUILLORY_SCREENSHOTS); }

void expectBox(const MessageBoxView& box, const std::string& text, const std::string& caption,
               const std::set<int>& buttons, BoxIcon icon) {
    ASSERT_NE(box.window, nullptr) << "expected the box \"" << text << "\"";
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, caption) << "caption of \"" << text << "\"";
    EXPECT_EQ(box.buttons, buttons) << "buttons of \"" << text << "\"";
    EXPECT_STREQ(toString(iconOf(box)), toString(icon)) << "icon of \"" << text << "\"";
}

void ProgramTest::start() {
    startWith([&] { install_record::set("REG_SZ", game_.dir()); });
    attach();
}

void ProgramTest::startWith(const std::function<void()>& makeRecord) {
    // The record is machine-wide and tests run in parallel: keep it until the program has
    // read it, at its start.
    NamedLock lock(kStartLock);
    makeRecord();
    program_ = std::make_unique<Program>(programPath(), work_.dir());
    ASSERT_TRUE(program_->started());
    waitUntil([&] { return !program_->topWindows().empty() || !program_->running(); },
              "the program's first window");
}

void ProgramTest::attach() {
    main_ = program_->mainWindow();
    ASSERT_NE(main_, nullptr);
    textes_ = findChildById(main_, "ComboBox", ids::kTextes);
    edit_ = findChildById(main_, "Edit", ids::kNouveauTexte);
    progress_ = findChildById(main_, PROGRESS_CLASSA, ids::kProgress);
    ASSERT_NE(textes_, nullptr) << "no drop-down list of texts";
    ASSERT_NE(edit_, nullptr) << "no edit for the new text";
    ASSERT_NE(progress_, nullptr) << "no progress bar";
}

HWND ProgramTest::button(const std::string& caption) {
    HWND found = findChild(main_, "Button", caption);
    EXPECT_NE(found, nullptr) << "no button \"" << caption << "\"";
    return found;
}

void ProgramTest::select(int slot) {
    // What the list does when the user picks an entry: select it, then tell the window.
    send(textes_, CB_SETCURSEL, static_cast<WPARAM>(slot));
    send(GetParent(textes_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(textes_), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(textes_));
}

void ProgramTest::type(const std::string& text) {
    send(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    waitUntil([&] { return edited() == text; }, "the edit to hold the typed text");
}

void ProgramTest::clickNow(const std::string& caption) {
    HWND target = button(caption);
    ASSERT_NE(target, nullptr);
    send(target, BM_CLICK);
}

MessageBoxView ProgramTest::clickForBox(const std::string& caption) {
    HWND target = button(caption);
    if (target == nullptr) {
        return {};
    }
    click(target);
    return program_->waitForMessageBox();
}

void ProgramTest::closeWindow() { post(main_, WM_SYSCOMMAND, SC_CLOSE); }

void ProgramTest::chooseFile(const std::string& path) {
    HWND dialog = program_->waitForWindow("#32770", "Select a WAV file...");
    ASSERT_NE(dialog, nullptr);
    if (path.empty()) {
        click(GetDlgItem(dialog, IDCANCEL));
    } else {
        // The file name field: an edit of its own, or the edit of a combo box of that id.
        HWND name = findChildById(dialog, "Edit", kFileNameEdit);
        if (name == nullptr) {
            name = findChildById(dialog, "Edit", kFileNameCombo);
        }
        ASSERT_NE(name, nullptr) << "no file name field in the open dialog";
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideOf(path).c_str()));
        click(GetDlgItem(dialog, IDOK));
    }
    waitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); },
              "the open dialog to close");
}

std::vector<std::string> ProgramTest::entries() const { return comboEntries(textes_); }
int ProgramTest::selection() const { return comboSelection(textes_); }
std::string ProgramTest::edited() const { return textOf(edit_); }
std::string ProgramTest::categoryShown() const { return labelText(main_, {104, 16}); }

void ProgramTest::expectOwnedByTheApplication(const MessageBoxView& box) {
    ASSERT_NE(box.owner, nullptr) << "\"" << box.text << "\" has no owner";
    EXPECT_FALSE(IsWindowVisible(box.owner)) << "\"" << box.text << "\" is owned by a shown window";
    DWORD process = 0;
    GetWindowThreadProcessId(box.owner, &process);
    EXPECT_EQ(process, program_->id());
    for (HWND window : program_->topWindows()) {
        if (window != box.window) {
            EXPECT_FALSE(IsWindowEnabled(window)) << classOf(window) << " \"" << textOf(window)
                                                  << "\" stays usable under \"" << box.text << "\"";
        }
    }
}

void ProgramTest::expectUsable() {
    waitUntil([&] { return IsWindowEnabled(main_) != FALSE; }, "the main window to take input");
}

void ProgramTest::expectEndsWithoutBox() {
    bool boxSeen = false;
    waitUntil(
        [&] {
            boxSeen = program_->messageBoxOpen();
            return boxSeen || !program_->running();
        },
        "the program to end");
    ASSERT_FALSE(boxSeen) << "a box came: \"" << program_->waitForMessageBox().text << "\"";
    EXPECT_EQ(program_->waitForExit(), 0);
}

std::optional<std::string> ProgramTest::commFileOnDisk() const {
    return readFile(game_.path(kCommFile));
}

void ProgramTest::expectCommFile(const std::string& bytes) { expectFile(kCommFile, bytes); }

void ProgramTest::expectFile(const std::string& relative, const std::string& bytes) {
    // The program writes its files from its window's thread: once that has handled everything
    // asked of it, the file is whole. Reading it earlier could also spoil the write, as Wine
    // does not replace a file that another program has open.
    if (main_ != nullptr && program_->running()) {
        settle(main_);
    }
    const std::string path = game_.path(relative);
    if (!waitUntil([&] { return readFile(path) == bytes; }, relative + " to hold its bytes")) {
        const std::optional<std::string> found = readFile(path);
        ADD_FAILURE() << relative << ": "
                      << (found ? std::to_string(found->size()) + " bytes" : "missing")
                      << ", expected " << bytes.size() << " bytes";
    }
}

void ProgramTest::screenshot(HWND window, const std::string& name) {
    RaisedForCapture raised(window);
    RECT area{};
    GetWindowRect(window, &area);
    screenshot(area, name);
}

void ProgramTest::screenshot(const RECT& screenArea, const std::string& name) {
    makeDirs(screenshotFolder());
    const std::string path = screenshotFolder() + "\\" + name + ".bmp";
    ASSERT_TRUE(saveScreenshot(screenArea, path)) << path;
    std::printf("screenshot of %s: %s\n", name.c_str(), path.c_str());
}

}  // namespace quillory::e2e
