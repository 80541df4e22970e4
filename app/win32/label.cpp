// The native side of TLabel: no window of its own. The form draws the caption at the label's
// place, in the label's font, on the form's face; the label is as wide and as high as its text.
#include <windows.h>

#include "app/toolkit/TLabel.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP;

class NativeLabel : public NativeControl, public TextWidget {
public:
    NativeLabel(TLabel& label, FormWindow& form)
        : label_(label), form_(form.hwnd()), font_(form.Font(label.FontHeight)) {
        const RECT place = form.PlaceOf(label);
        area_ = RECT{place.left, place.top, place.left, place.top};
        SetText(label.Caption());
        label.widget.Attach(*this);
    }
    ~NativeLabel() override {
        label_.widget.Detach();
        InvalidateRect(form_, &area_, TRUE);
    }

    std::string Text() const override { return text_; }

    // Where the old text stood and where the new one stands are drawn again, the whole of both.
    void SetText(const std::string& caption) override {
        if (caption == text_ && area_.right > area_.left) {
            return;
        }
        InvalidateRect(form_, &area_, TRUE);
        text_ = caption;
        wide_ = WideOf(caption);
        const SIZE size = Measure();
        area_.right = area_.left + size.cx;
        area_.bottom = area_.top + size.cy;
        InvalidateRect(form_, &area_, TRUE);
    }

    void PaintOnForm(HDC dc) override {
        const HGDIOBJ old = SelectObject(dc, font_);
        const int mode = SetBkMode(dc, TRANSPARENT);
        const COLORREF colour = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT area = area_;
        DrawTextW(dc, wide_.c_str(), static_cast<int>(wide_.size()), &area, kTextFormat);
        SetTextColor(dc, colour);
        SetBkMode(dc, mode);
        SelectObject(dc, old);
    }

private:
    // The text's size in the label's font; an empty label keeps a sliver of width, as at design
    // time, and the font's height.
    SIZE Measure() const {
        const HDC dc = GetDC(form_);
        const HGDIOBJ old = SelectObject(dc, font_);
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide_.c_str(), static_cast<int>(wide_.size()), &extent);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(form_, dc);
        return SIZE{wide_.empty() ? 3 : extent.cx, metrics.tmHeight};
    }

    TLabel& label_;
    HWND form_;
    HFONT font_;
    std::string text_;
    std::wstring wide_;
    RECT area_{};
};

[[maybe_unused]] const bool registered = RegisterNative<TLabel, NativeLabel>();

}  // namespace
}  // namespace quillory
