// The native window of TMemo: a read-only edit of several lines, wrapped at its width, with a
// vertical scroll bar.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TMemo.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

class NativeMemo : public NativeControl, public TextWidget {
public:
    NativeMemo(TMemo& memo, FormWindow& form) : memo_(memo) {
        CreateWindowFor(form, memo, WC_EDITW, memo.Text(),
                        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE);
        memo.widget.Attach(*this);
    }
    ~NativeMemo() override { memo_.widget.Detach(); }

    std::string Text() const override { return WindowText(hwnd()); }
    void SetText(const std::string& text) override { SetWindowTextW(hwnd(), WideOf(text).c_str()); }

private:
    TMemo& memo_;
};

[[maybe_unused]] const bool registered = RegisterNative<TMemo, NativeMemo>();

}  // namespace
}  // namespace quillory
