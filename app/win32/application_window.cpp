#include "app/win32/application_window.h"

namespace quillory {
namespace {

constexpr char kClassName[] = "TApplication";

}  // namespace

ApplicationWindow::ApplicationWindow(const char* title) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExA(&windowClass);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, title, WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
}

ApplicationWindow::~ApplicationWindow() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

}  // namespace quillory
