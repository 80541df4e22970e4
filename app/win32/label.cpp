// The native window of TLabel: a static text that sizes itself to its caption.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TLabel.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

class NativeLabel : public NativeControl, public TextWidget {
public:
    NativeLabel(TLabel& label, FormWindow& form) : label_(label) {
        CreateWindowFor(form, label, WC_STATICW, "", SS_LEFT | SS_NOPREFIX, 0, label.Height,
                        label.FontHeight);
        SetText(label.Caption());
        label.widget.Attach(*this);
    }
    ~NativeLabel() override { label_.widget.Detach(); }

    std::string Text() const override { return WindowText(hwnd()); }

    // Sizes the label to the text, in its own font, then sets the text: a static control draws
    // a new text at once, in the size it has then, and a narrower one would break the text
    // onto a hidden second line (holes where the old width ended, once the label grows).
    void SetText(const std::string& caption) override {
        const HWND label = hwnd();
        if (caption == Text()) {
            return;
        }
        const std::wstring wide = WideOf(caption);
        HDC dc = GetDC(label);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
        const HGDIOBJ old = SelectObject(dc, font);
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        RECT before{};
        GetWindowRect(label, &before);
        MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&before), 2);
        // An empty label keeps a sliver of width, as at design time. Nothing of the old text's
        // pixels is kept.
        const int width = caption.empty() ? 3 : extent.cx;
        SetWindowPos(label, nullptr, 0, 0, width, metrics.tmHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        SetWindowTextW(label, wide.c_str());
        InvalidateRect(label, nullptr, TRUE);
        // Where a longer text stood, the form shows again.
        const RECT left{before.left + width, before.top, before.right, before.bottom};
        if (left.right > left.left) {
            InvalidateRect(GetParent(label), &left, TRUE);
        }
    }

private:
    TLabel& label_;
};

[[maybe_unused]] const bool registered = RegisterNative<TLabel, NativeLabel>();

}  // namespace
}  // namespace quillory
