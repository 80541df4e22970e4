// The native window of TMemo: a read-only edit of several lines, wrapped at its width, whose
// scroll bar shows only when the text has more lines than it shows.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TMemo.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

class NativeMemo : public NativeControl, public TextWidget {
public:
    NativeMemo(TMemo& memo, FormWindow& form) : memo_(memo) {
        CreateWindowFor(form, memo, WC_EDITA, "",
                        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE);
        SetText(memo.Text());
        memo.widget.Attach(*this);
    }
    ~NativeMemo() override { memo_.widget.Detach(); }

    std::string Text() const override { return WindowText(hwnd()); }
    void SetText(const std::string& text) override {
        const HWND edit = hwnd();
        // Wrapped without the scroll bar first, then with it where the lines do not fit.
        ShowScrollBar(edit, SB_VERT, FALSE);
        SetWindowTextA(edit, text.c_str());
        ShowScrollBar(edit, SB_VERT, LinesShown() < SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    }

private:
    // How many whole lines the edit shows.
    LRESULT LinesShown() const {
        RECT area{};
        SendMessageA(hwnd(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        HDC dc = GetDC(hwnd());
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd(), WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(hwnd(), dc);
        return metrics.tmHeight > 0 ? (area.bottom - area.top) / metrics.tmHeight : 1;
    }

    TMemo& memo_;
};

[[maybe_unused]] const bool registered = RegisterNative<TMemo, NativeMemo>();

}  // namespace
}  // namespace quillory
