#include "app/toolkit/TProgressBar.h"

#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <commctrl.h>
#endif

namespace quillory {

void TProgressBar::SetPosition(int position) {
    position_ = position < 0 ? 0 : position > max_ ? max_ : position;
    Refresh();
}

void TProgressBar::SetMax(int max) {
    max_ = max;
    if (position_ > max_) {
        position_ = max_;
    }
    Refresh();
}

void TProgressBar::Refresh() {
#ifdef _WIN32
    if (handle_) {
        const auto hwnd = static_cast<HWND>(handle_);
        SendMessageA(hwnd, PBM_SETRANGE32, 0, max_);
        SendMessageA(hwnd, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
        UpdateWindow(hwnd);
    }
#endif
}

}  // namespace quillory
