#include "app/win32/application_window.h"

#include "platform/wide_win32.h"

namespace quillory {
namespace {

constexpr wchar_t kClassName[] = L"TApplication";

}  // namespace

ApplicationWindow::ApplicationWindow(const char* title) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, WideOf(title).c_str(), WS_POPUP, 0, 0, 0,
                            0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

ApplicationWindow::~ApplicationWindow() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

}  // namespace quillory
