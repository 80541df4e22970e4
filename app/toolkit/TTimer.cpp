#include "app/toolkit/TTimer.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillory {

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Sync();
}

void TTimer::AttachWindow(WindowHandle window) {
    window_ = window;
    Sync();
}

void TTimer::Tick() {
    if (enabled_ && OnTimer) {
        OnTimer();
    }
}

void TTimer::Sync() {
#ifdef _WIN32
    if (window_) {
        const auto id = static_cast<UINT_PTR>(Id());
        if (enabled_) {
            SetTimer(static_cast<HWND>(window_), id, Interval, nullptr);
        } else {
            KillTimer(static_cast<HWND>(window_), id);
        }
    }
#endif
}

}  // namespace quillory
