#include "app/win32/form_window.h"

#include "app/win32/placement.h"

namespace quillory {
namespace {

constexpr char kFormProperty[] = "Quillory.Form";

}  // namespace

FormWindow::~FormWindow() { Destroy(); }

void FormWindow::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

FormWindow* FormWindow::FormOf(HWND window) {
    return window ? static_cast<FormWindow*>(GetPropA(window, kFormProperty)) : nullptr;
}

void FormWindow::RegisterFormClass(const char* className, HICON icon, HICON smallIcon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) {
        return;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

HWND FormWindow::CreateFor(const TForm& form, const char* className, DWORD style, DWORD exStyle,
                           HWND owner, HMENU menu) {
    CreateWindowExA(exStyle, className, form.Caption.c_str(), style, 0, 0, form.ClientWidth,
                    form.ClientHeight, owner, menu, GetModuleHandleA(nullptr), this);
    if (hwnd_) {
        SetClientSize(hwnd_, form.ClientWidth, form.ClientHeight);
    }
    return hwnd_;
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT FormWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT FormWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) {
            focus_ = focus;
        }
        return Default(WM_ACTIVATE, wParam, lParam);
    }
    if (focus_ && IsWindow(focus_) && IsChild(hwnd_, focus_) && !HIWORD(wParam)) {
        SetFocus(focus_);
        return 0;
    }
    return Default(WM_ACTIVATE, wParam, lParam);
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetPropA(window, kFormProperty, reinterpret_cast<HANDLE>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_ACTIVATE) {
        return self->OnActivate(wParam, lParam);
    }
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kFormProperty);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->focus_ = nullptr;
    }
    return result;
}

}  // namespace quillory
