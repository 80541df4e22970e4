// The native window of TButton: a push button; with a glyph the image stands left of its
// caption; a speed button works by the mouse alone and never takes the keyboard focus.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "app/toolkit/TButton.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

// The button states in the order of an image list that has one image for each: normal, hot,
// pressed, disabled, defaulted, stylus hot.
constexpr int kStateCount = 6;
constexpr int kDisabledState = 3;
constexpr UINT_PTR kSpeedSubclass = 1;

// A memory device context with a bitmap selected, restored and deleted at the end.
class BitmapDc {
public:
    explicit BitmapDc(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, bitmap)) {}
    ~BitmapDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    BitmapDc(const BitmapDc&) = delete;
    BitmapDc& operator=(const BitmapDc&) = delete;

    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Shows the program's bitmap resource left of the button's caption. The colour of the glyph's
// bottom-left pixel is transparent. With 2 glyphs the bitmap holds the normal image and the one
// for the disabled button side by side. Returns the image list that the button shows, for the
// caller to destroy after the button; null when there is none.
HIMAGELIST SetGlyph(HWND button, const TGlyph& glyph) {
    if (glyph.Resource == 0) {
        return nullptr;
    }
    const auto glyphs =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(glyph.Resource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!glyphs) {
        return nullptr;
    }
    BITMAP size{};
    GetObjectW(glyphs, sizeof size, &size);
    const int count = glyph.Count > 1 ? glyph.Count : 1;
    const int width = size.bmWidth / count;
    const int height = size.bmHeight;

    // Lay out one image for each button state: the disabled one where the bitmap has it, the
    // normal one everywhere else.
    HDC screen = GetDC(nullptr);
    const HBITMAP strip = CreateCompatibleBitmap(screen, width * kStateCount, height);
    ReleaseDC(nullptr, screen);
    COLORREF transparent = 0;
    {
        BitmapDc source(glyphs);
        BitmapDc target(strip);
        transparent = GetPixel(source.dc(), 0, height - 1);
        for (int state = 0; state < kStateCount; ++state) {
            const int image = state == kDisabledState && count > 1 ? 1 : 0;
            BitBlt(target.dc(), state * width, 0, width, height, source.dc(), image * width, 0,
                   SRCCOPY);
        }
    }
    DeleteObject(glyphs);

    HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, kStateCount, 0);
    ImageList_AddMasked(images, strip, transparent);
    DeleteObject(strip);

    BUTTON_IMAGELIST shown{};
    shown.himl = images;
    shown.margin = RECT{4, 0, 0, 0};
    shown.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&shown));
    return images;
}

bool IsOver(HWND button, LPARAM lParam) {
    RECT client{};
    GetClientRect(button, &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

// A push button that works by the mouse (and BM_CLICK) alone, without ever taking the keyboard
// focus from the control that has it: it presses while the left button is held over it and
// reports BN_CLICKED to its parent when released over it.
LRESULT CALLBACK SpeedButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(button);
            SendMessageW(button, BM_SETSTATE, TRUE, 0);
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == button) {
                SendMessageW(button, BM_SETSTATE, IsOver(button, lParam), 0);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (GetCapture() == button) {
                ReleaseCapture();
                if (IsOver(button, lParam)) {
                    SendMessageW(GetParent(button), WM_COMMAND,
                                 MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button));
                }
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            SendMessageW(button, BM_SETSTATE, FALSE, 0);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, SpeedButtonProcedure, kSpeedSubclass);
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

class NativeButton : public NativeControl, public TButton::Widget {
public:
    NativeButton(TButton& button, FormWindow& form) : button_(button) {
        const DWORD style =
            button.ButtonKind == TButton::Kind::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        const HWND hwnd = CreateWindowFor(form, button, WC_BUTTONW, button.Caption(), style);
        if (button.ButtonKind == TButton::Kind::Speed) {
            SetWindowSubclass(hwnd, SpeedButtonProcedure, kSpeedSubclass, 0);
        }
        images_ = SetGlyph(hwnd, button.Image);
        SetEnabled(button.Enabled());
        button.widget.Attach(*this);
    }
    ~NativeButton() override {
        button_.widget.Detach();
        DestroyWindowNow();
        if (images_) {
            ImageList_Destroy(images_);
        }
    }

    std::optional<LRESULT> OnFormMessage(UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            button_.Click();
            return 0;
        }
        return std::nullopt;
    }

    bool IsDefaultButton() const override { return button_.ButtonKind == TButton::Kind::Default; }

    std::string Text() const override { return WindowText(hwnd()); }
    void SetText(const std::string& caption) override {
        SetWindowTextW(hwnd(), WideOf(caption).c_str());
    }
    bool Enabled() const override { return IsWindowEnabled(hwnd()) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(hwnd(), enabled); }

private:
    TButton& button_;
    HIMAGELIST images_ = nullptr;
};

[[maybe_unused]] const bool registered = RegisterNative<TButton, NativeButton>();

}  // namespace
}  // namespace quillory
