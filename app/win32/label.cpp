// The native window of TLabel: a static text that sizes itself to its caption.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TLabel.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

class NativeLabel : public NativeControl, public TextWidget {
public:
    NativeLabel(TLabel& label, FormWindow& form) : label_(label) {
        CreateWindowFor(form, label, WC_STATICA, "", SS_LEFT | SS_NOPREFIX, 0, label.Height,
                        label.FontHeight);
        SetText(label.Caption());
        label.widget.Attach(*this);
    }
    ~NativeLabel() override { label_.widget.Detach(); }

    std::string Text() const override { return WindowText(hwnd()); }

    // Sets the text and sizes the label to it, in its own font.
    void SetText(const std::string& caption) override {
        const HWND label = hwnd();
        SetWindowTextA(label, caption.c_str());
        HDC dc = GetDC(label);
        const auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
        const HGDIOBJ old = SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        // An empty label keeps a sliver of width, as at design time.
        SetWindowPos(label, nullptr, 0, 0, caption.empty() ? 3 : extent.cx, metrics.tmHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(GetParent(label), nullptr, TRUE);
    }

private:
    TLabel& label_;
};

[[maybe_unused]] const bool registered = RegisterNative<TLabel, NativeLabel>();

}  // namespace
}  // namespace quillory
