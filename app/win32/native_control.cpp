#include "app/win32/native_control.h"

#include <map>
#include <typeindex>

#include "app/win32/form_window.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

std::map<std::type_index, NativeMaker>& makers() {
    static std::map<std::type_index, NativeMaker> registered;
    return registered;
}

}  // namespace

NativeControl::~NativeControl() { DestroyWindowNow(); }

void NativeControl::DestroyWindowNow() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

std::optional<LRESULT> NativeControl::OnFormMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void NativeControl::PaintOnForm(HDC) {}

HWND NativeControl::CreateWindowFor(FormWindow& form, const TControl& control,
                                    const wchar_t* className, const std::string& text, DWORD style,
                                    DWORD exStyle, int height, int fontHeight) {
    const RECT place = form.PlaceOf(control);
    hwnd_ = CreateWindowExW(exStyle, className, WideOf(text).c_str(),
                            WS_CHILD | WS_VISIBLE | (control.TabStop ? WS_TABSTOP : 0) | style,
                            place.left, place.top, place.right - place.left,
                            height != 0 ? form.Scaled(height) : place.bottom - place.top,
                            form.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id)),
                            GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font(fontHeight)), FALSE);
    return hwnd_;
}

std::string WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8Of(text);
}

bool RegisterNativeMaker(const std::type_info& kind, NativeMaker maker) {
    makers()[kind] = maker;
    return true;
}

std::unique_ptr<NativeControl> MakeNative(TControl& control, FormWindow& form) {
    const auto found = makers().find(typeid(control));
    return found == makers().end() ? nullptr : found->second(control, form);
}

}  // namespace quillory
