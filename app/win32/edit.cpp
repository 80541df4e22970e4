// The native window of TEdit: a single-line edit without a length limit.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TEdit.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

class NativeEdit : public NativeControl, public TextWidget {
public:
    NativeEdit(TEdit& edit, FormWindow& form) : edit_(edit) {
        const HWND hwnd = CreateWindowFor(form, edit, WC_EDITW, edit.Text(),
                                          ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
        edit.widget.Attach(*this);
    }
    ~NativeEdit() override { edit_.widget.Detach(); }

    // In UTF-8: whatever the user typed, also what the system's code page cannot hold.
    std::string Text() const override { return WindowText(hwnd()); }
    void SetText(const std::string& text) override { SetWindowTextW(hwnd(), WideOf(text).c_str()); }
    void Focus() override { SetFocus(hwnd()); }

private:
    TEdit& edit_;
};

[[maybe_unused]] const bool registered = RegisterNative<TEdit, NativeEdit>();

}  // namespace
}  // namespace quillory
