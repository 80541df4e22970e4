#pragma once

// Helpers for tests that show the program's real windows (Windows builds only).
#ifdef _WIN32

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace quillory::test {

// Held by a test for as long as it shows windows and moves the keyboard focus: such tests in
// the other test processes of the run wait for their turn, so that none of them takes the
// activation from another. A holder that died leaves the turn to the next.
class ScreenTurn {
public:
    ScreenTurn();

private:
    // Gives the turn back and closes the mutex.
    struct Release {
        void operator()(void* mutex) const;
    };
    std::unique_ptr<void, Release> mutex_;
};

// Makes the windows that this test creates from now on use common controls 6, as the
// program's manifest asks for it; false when that failed.
bool UseCommonControls6();

// Runs the program's own message loop until `condition` holds or the time is up; false when
// the time ran out. The time is only a last guard, generous enough for a busy machine.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

// The window's whole text.
std::string TextOf(HWND window);

// Lets every message that is waiting run.
void Settle();

// Runs `action` once, `delayMs` from now, from whatever message loop runs then (a message box's
// or a dialog's own loop too). Returns what Cancel takes.
UINT_PTR Later(DWORD delayMs, std::function<void()> action);
// Drops an action that has not run yet.
void Cancel(UINT_PTR later);

}  // namespace quillory::test

#endif  // _WIN32
