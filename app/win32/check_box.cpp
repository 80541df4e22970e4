// The native window of TCheckBox: a check box that checks and clears itself when clicked.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TCheckBox.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

class NativeCheckBox : public NativeControl, public TCheckBox::Widget {
public:
    NativeCheckBox(TCheckBox& box, FormWindow& form) : box_(box) {
        CreateWindowFor(form, box, WC_BUTTONW, box.Caption, BS_AUTOCHECKBOX);
        SetChecked(box.Checked());
        box.widget.Attach(*this);
    }
    ~NativeCheckBox() override { box_.widget.Detach(); }

    bool Checked() const override { return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) override {
        SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    std::optional<LRESULT> OnFormMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            box_.Click();
            return 0;
        }
        return std::nullopt;
    }

private:
    TCheckBox& box_;
};

[[maybe_unused]] const bool registered = RegisterNative<TCheckBox, NativeCheckBox>();

}  // namespace
}  // namespace quillory
