#include "app/toolkit/TLabel.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillory {

void TLabel::SetCaption(const std::string& caption) {
    caption_ = caption;
#ifdef _WIN32
    if (handle_) {
        SetWindowTextA(static_cast<HWND>(handle_), caption_.c_str());
    }
#endif
    AutoSize();
}

void TLabel::AutoSize() {
#ifdef _WIN32
    if (!handle_) {
        return;
    }
    const auto hwnd = static_cast<HWND>(handle_);
    HDC dc = GetDC(hwnd);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &extent);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    Width = caption_.empty() ? 3 : extent.cx;
    Height = metrics.tmHeight;
    SetWindowPos(hwnd, nullptr, 0, 0, Width, Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(GetParent(hwnd), nullptr, TRUE);
#endif
}

}  // namespace quillory
