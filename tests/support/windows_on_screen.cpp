#ifdef _WIN32

#include "tests/support/windows_on_screen.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <utility>

#include "app/win32/message_loop.h"

namespace quillory::test {
namespace {

std::map<UINT_PTR, std::function<void()>>& PendingActions() {
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = PendingActions().find(id);
    if (found == PendingActions().end()) {
        return;
    }
    const std::function<void()> action = std::move(found->second);
    PendingActions().erase(found);
    action();
}

}  // namespace

ScreenTurn::ScreenTurn() : mutex_(CreateMutexA(nullptr, FALSE, "quillory-unit-screen-turn")) {
    if (mutex_) {
        WaitForSingleObject(mutex_.get(), 120000);
    }
}

void ScreenTurn::Release::operator()(void* mutex) const {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

bool UseCommonControls6() {
    static const bool active = [] {
        const std::string manifest = std::string(QUILLORY_MANIFEST);
        ACTCTXA context{};
        context.cbSize = sizeof context;
        context.lpSource = manifest.c_str();
        const HANDLE handle = CreateActCtxA(&context);
        ULONG_PTR cookie = 0;
        const bool activated = handle != INVALID_HANDLE_VALUE && ActivateActCtx(handle, &cookie);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        return activated;
    }();
    return active;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    // A timer of the thread's own wakes the loop up to look again.
    const UINT_PTR wakeUp = SetTimer(nullptr, 0, 10, nullptr);
    const DWORD start = GetTickCount();
    bool met = false;
    RunModalLoop([&] {
        met = condition();
        return met || GetTickCount() - start > timeoutMs;
    });
    KillTimer(nullptr, wakeUp);
    return met;
}

void Settle() {
    // A timer comes only when no other message waits: once it has run, and a moment has passed
    // for what the system sends on its own (activation, focus), nothing is left waiting.
    bool idle = false;
    const UINT_PTR marker = Later(0, [&] { idle = true; });
    const DWORD start = GetTickCount();
    PumpUntil([&] { return idle && GetTickCount() - start > 100; });
    if (!idle) {
        Cancel(marker);
    }
}

UINT_PTR Later(DWORD delayMs, std::function<void()> action) {
    const UINT_PTR id = SetTimer(nullptr, 0, delayMs, RunPending);
    PendingActions()[id] = std::move(action);
    return id;
}

void Cancel(UINT_PTR later) {
    KillTimer(nullptr, later);
    PendingActions().erase(later);
}

std::string TextOf(HWND window) {
    const auto length = static_cast<std::size_t>(GetWindowTextLengthA(window));
    std::string text(length + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace quillory::test

#endif  // _WIN32
