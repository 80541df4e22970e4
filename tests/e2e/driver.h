#pragma once

// Drives the real program from another process, as a user would: finds its windows by class
// and caption, selects, types, clicks and answers its boxes. Everything on the other side is
// asynchronous, so every look-up polls until a deadline.
#include <windows.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace quillory::e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long the program gets to react to anything (times $QUILLORY_E2E_TIME_SCALE, when set).
inline constexpr auto kDeadline = 10s;

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

// Child windows.
HWND findChild(HWND parent, const std::string& className, const std::string& caption);
HWND findChildById(HWND parent, const std::string& className, int id);
std::vector<HWND> children(HWND parent);
std::string classOf(HWND window);
std::string textOf(HWND window);
// Left, top, width and height of a child window within its parent's client area.
RECT placeInParent(HWND child);
RECT clientRect(HWND window);

// Sends without hanging on a program that stopped answering.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// A click on a button, posted: the handler may open a box and wait for the user.
void click(HWND button);
// Presses and releases a key on a window of the program.
void pressKey(HWND window, WPARAM key);

// The entries of a combo box, read in UTF-16 and turned back into the system's code page.
std::vector<std::string> comboEntries(HWND combo);
int comboSelection(HWND combo);

// The window that has the keyboard focus in the window's thread.
HWND focusOf(HWND window);

// Saves what the screen shows of the window as a 24-bit BMP file; the window is raised for it.
bool saveScreenshot(HWND window, const std::string& path);

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
