#pragma once

// The native side of a form's controls. Each kind of control has one file here that makes its
// native window and registers itself for the component's type (RegisterNative below); the form
// window makes the native control of each component through that registry, passes it the
// messages its window sends to the form, and knows no kind of control.
#include <memory>
#include <optional>
#include <string>
#include <typeinfo>

#include <windows.h>

#include "app/toolkit/TControl.h"

namespace quillory {

class FormWindow;

class NativeControl {
public:
    NativeControl() = default;
    // Destroys the control's window, if it has one.
    virtual ~NativeControl();
    NativeControl(const NativeControl&) = delete;
    NativeControl& operator=(const NativeControl&) = delete;

    // Null for a control drawn on the form itself.
    HWND hwnd() const { return hwnd_; }

    // A message that the control's window sent to the form (WM_COMMAND, WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR...): the control answers it, or nothing for the default.
    virtual std::optional<LRESULT> OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws what the control shows on the form's own surface, with the form's WM_PAINT.
    virtual void PaintOnForm(HDC dc);
    // The button the form declares as the one Enter presses when no push button has the focus.
    virtual bool IsDefaultButton() const { return false; }

protected:
    // Makes the control's child window in `form` at its place, with its tab stop, its id and a
    // font of `fontHeight` pixels (0: the form's); `height` (0: the control's) and the font
    // in the design's pixels, scaled as the form is. The text is in UTF-8, as every text here.
    HWND CreateWindowFor(FormWindow& form, const TControl& control, const wchar_t* className,
                         const std::string& text, DWORD style, DWORD exStyle = 0, int height = 0,
                         int fontHeight = 0);
    // Destroys the control's window before what it shows goes.
    void DestroyWindowNow();

private:
    HWND hwnd_ = nullptr;
};

// A window's whole text, in UTF-8.
std::string WindowText(HWND window);

// Makes the native control of a component of the registered kind.
using NativeMaker = std::unique_ptr<NativeControl> (*)(TControl& control, FormWindow& form);
bool RegisterNativeMaker(const std::type_info& kind, NativeMaker maker);

// Registers `Native`, constructed from the component and the form window, as the native
// control of the components of type `Control`. Its file does it once, at start-up:
//   [[maybe_unused]] const bool registered = RegisterNative<TButton, NativeButton>();
template <typename Control, typename Native>
bool RegisterNative() {
    return RegisterNativeMaker(
        typeid(Control), [](TControl& control, FormWindow& form) -> std::unique_ptr<NativeControl> {
            return std::make_unique<Native>(static_cast<Control&>(control), form);
        });
}

// The native control of `control`; null for a kind that has none registered.
std::unique_ptr<NativeControl> MakeNative(TControl& control, FormWindow& form);

}  // namespace quillory
