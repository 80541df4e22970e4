#pragma once

// Drives the real program from another process, as a user would: finds its windows by class
// and caption, selects, types, clicks and answers its boxes. Everything on the other side is
// asynchronous, so every look-up polls until a deadline.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/named_lock.h"

namespace quillory::e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long the program gets to react to anything (times $QUILLORY_E2E_TIME_SCALE, when set).
// Every wait ends as soon as what it waits for happens: this is only the last guard against a
// program that never gets there, generous enough for a machine busy with other work.
inline constexpr auto kDeadline = 30s;

// How many times as long every wait lasts: QUILLORY_E2E_TIME_SCALE when that is set, for a
// program that runs slower than usual (the 32-bit build under CPU emulation, say); else 1.
int timeScale();

// Polls `ready` every 20 ms until it returns true; fails the test (and returns false) after
// `deadline`, naming `what` was awaited.
bool waitUntil(const std::function<bool()>& ready, const std::string& what,
               std::chrono::milliseconds deadline = kDeadline);

// Runs a command line to its end and returns its exit code (-1 when it could not start).
int runCommand(const std::string& commandLine);
// One argument quoted for the Windows command line.
std::string quoteArgument(const std::string& argument);

// The icon of a message box, recognised from its pixels on the screen.
enum class BoxIcon { None, Stop, Question, Warning, Information, Unknown };
const char* toString(BoxIcon icon);

// A message box of the program as it is on the screen.
struct MessageBoxView {
    HWND window = nullptr;
    std::string text;
    std::string caption;
    std::set<int> buttons;  // ids of the visible buttons: 1 OK, 2 Cancel, 6 Yes, 7 No
    HWND owner = nullptr;
};

// Text between UTF-8, in which the tests name the files the user picks, and the wide API's.
std::wstring wideOf(const std::string& utf8);
std::string utf8Of(const std::wstring& wide);

// Child windows.
HWND findChild(HWND parent, const std::string& className, const std::string& caption);
HWND findChildById(HWND parent, const std::string& className, int id);
std::vector<HWND> children(HWND parent);
std::string classOf(HWND window);
std::string textOf(HWND window);
// Left, top, width and height of a child window within its parent's client area.
RECT placeInParent(HWND child);
RECT clientRect(HWND window);

// Sends, waiting for the answer no longer than the time a program gets (so without hanging on
// one that stopped answering), but not giving up on one that Wine thinks hung while it is only
// slow, under CPU emulation say. A message that the program did not take in that time is
// dropped unhandled (so Wine does): the test fails then, rather than go on without it.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Waits until the thread of `window` has handled every message posted to it before (keys,
// clicks, commands, drops) and returned from what they started, or opened a box on the way: a
// message posted after them, which highlights a button of the window (or the window itself, a
// button) and which the thread handles in turn, and a second that lets the button go. False
// (and the test fails) when that did not come.
bool settle(HWND window);
// A click on a button, posted: the handler may open a box and wait for the user.
void click(HWND button);
// Presses and releases a key on a window of the program.
void pressKey(HWND window, WPARAM key);

// The entries of a combo box, read in UTF-16 and turned back into the system's code page.
std::vector<std::string> comboEntries(HWND combo);
int comboSelection(HWND combo);

// The window that has the keyboard focus in the window's thread.
HWND focusOf(HWND window);

// Puts the window in the top left corner of the screen, above every other, while the screen
// is read: the windows of tests running beside this one open in the middle of the screen, and
// their windows take turns in the corner through a lock shared by all of them.
class RaisedForCapture {
public:
    explicit RaisedForCapture(HWND window);
    ~RaisedForCapture();
    RaisedForCapture(const RaisedForCapture&) = delete;
    RaisedForCapture& operator=(const RaisedForCapture&) = delete;

private:
    NamedLock lock_;
    HWND window_;
    RECT place_{};
};

// Saves what the screen shows of the window as a 24-bit BMP file; the window is raised for it.
bool saveScreenshot(HWND window, const std::string& path);
// The same for an area of the screen as it is.
bool saveScreenshot(const RECT& screenArea, const std::string& path);

// What the screen shows of an area, pixel by pixel, as 0xRRGGBB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // row by row from the top

    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
    // How many pixels of the rectangle (in this image) are not `colour`.
    int countOther(const RECT& area, std::uint32_t colour) const;
};
Pixels capture(const RECT& screenArea);
// The window's own area of the screen, with the window raised above the others while it is read.
Pixels captureRaised(HWND window);
// A system colour (COLOR_...) as the pixels hold it.
std::uint32_t systemRgb(int colour);

// A length of the forms' 96-DPI design at `dpi`, as the program scales it.
inline int scaled(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }

// A memory device context with the font of the forms' captions at a scale: "MS Sans Serif"
// of the design at 96 DPI, "Tahoma" at any other.
struct CaptionDc {
    CaptionDc(int cellHeight, int dpi);
    ~CaptionDc();
    CaptionDc(const CaptionDc&) = delete;
    CaptionDc& operator=(const CaptionDc&) = delete;
    // The caption's size; `flags` DT_NOPREFIX for a label's, none for a button's (mnemonics).
    RECT extent(const std::string& caption, UINT flags) const;
    HDC dc;
    HFONT font;
};

// A label's caption as a form shows it: in that font, on the form's background.
Pixels drawnCaption(const std::string& caption, int cellHeight, int dpi);

// The text that a label of the form shows at `at` in its client area, read off the screen as
// the user reads it (a label has no window of its own): glyph by glyph in the forms' font at
// 96 dots per inch, "MS Sans Serif" with cells of `fontHeight` pixels; "?" where no glyph fits.
// The form is raised while it is read.
std::string labelText(HWND form, POINT at, int fontHeight = 13);

// Drops files on a window of `program` as the shell does: a WM_DROPFILES whose HDROP (the
// DROPFILES block and the wide names) is written into the program's own memory.
void dropFiles(const class Program& program, HWND window,
               const std::vector<std::string>& utf8Paths);

// Which of the system's message box icons the box shows.
BoxIcon iconOf(const MessageBoxView& box);

// The program under test, started in its own process.
class Program {
public:
    // Starts `exe` with `workingDir` as its current directory.
    Program(const std::string& exe, const std::string& workingDir);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return process_.hProcess != nullptr; }
    DWORD id() const { return process_.dwProcessId; }

    // Visible top-level windows of the program, optionally of one class.
    std::vector<HWND> topWindows(const std::string& className = "") const;
    // The visible main window; null (and the test fails) when it does not come.
    HWND mainWindow();
    // A visible window of the class and caption; null (and the test fails) when none comes.
    HWND waitForWindow(const std::string& className, const std::string& caption);
    // The message box now open, if any.
    bool messageBoxOpen() const;
    // Waits for a message box and reads it; `window` is null when none came.
    MessageBoxView waitForMessageBox();
    // Clicks a button of the box and waits until the box is gone.
    void answer(const MessageBoxView& box, int button);

    // Waits for the program to end; its exit code, or -1 if it did not end in time.
    int waitForExit(std::chrono::milliseconds deadline = kDeadline);
    bool running() const;

private:
    // How the program ended, for a failure's message; empty while it runs.
    std::string ended() const;

    PROCESS_INFORMATION process_{};
};

// Message box buttons.
inline constexpr int kOk = IDOK, kCancel = IDCANCEL, kYes = IDYES, kNo = IDNO;

}  // namespace quillory::e2e
