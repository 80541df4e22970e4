// The native window of TProgressBar.
#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TProgressBar.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

class NativeProgressBar : public NativeControl, public TProgressBar::Widget {
public:
    NativeProgressBar(TProgressBar& bar, FormWindow& form) : bar_(bar) {
        CreateWindowFor(form, bar, PROGRESS_CLASSW, "", 0);
        SetMax(bar.Max());
        SetPosition(bar.Position());
        bar.widget.Attach(*this);
    }
    ~NativeProgressBar() override { bar_.widget.Detach(); }

    int Position() const override {
        return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0));
    }
    void SetPosition(int position) override {
        SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
        UpdateWindow(hwnd());
    }
    int Max() const override {
        return static_cast<int>(SendMessageW(hwnd(), PBM_GETRANGE, FALSE, 0));
    }
    void SetMax(int max) override {
        SendMessageW(hwnd(), PBM_SETRANGE32, 0, max);
        UpdateWindow(hwnd());
    }

private:
    TProgressBar& bar_;
};

[[maybe_unused]] const bool registered = RegisterNative<TProgressBar, NativeProgressBar>();

}  // namespace
}  // namespace quillory
