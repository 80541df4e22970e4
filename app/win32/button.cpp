// The native window of TButton: a push button; with a glyph the image stands left of its
// caption; a speed button works by the mouse alone and never takes the keyboard focus.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "app/toolkit/TButton.h"
#include "app/toolkit/scale.h"
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

// The layout of a picture's pixels: 32 bits each, rows from the top.
BITMAPINFO LayoutOf(const Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The pixels of a bitmap as a picture; the colour of its bottom-left pixel is transparent.
Image ImageOf(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    Image image{size.bmWidth, size.bmHeight, {}};
    image.Pixels.resize(static_cast<std::size_t>(image.Width) * image.Height);
    BITMAPINFO info = LayoutOf(image);
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.Height), image.Pixels.data(), &info,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!image.Pixels.empty()) {
        const std::uint32_t transparent =
            image.Pixels[static_cast<std::size_t>(image.Height - 1) * image.Width] & 0xFFFFFF;
        for (std::uint32_t& pixel : image.Pixels) {
            pixel = (pixel & 0xFFFFFF) == transparent ? 0 : pixel | 0xFF000000;
        }
    }
    return image;
}

// A 32-bit bitmap of the picture, its alpha premultiplied as image lists take it.
HBITMAP BitmapOf(const Image& image) {
    const BITMAPINFO info = LayoutOf(image);
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        std::memcpy(bits, image.Pixels.data(), image.Pixels.size() * sizeof image.Pixels[0]);
    }
    return bitmap;
}

// Shows the program's bitmap resource left of the button's caption, at the form's scale. The
// colour of the glyph's bottom-left pixel is transparent. With 2 glyphs the bitmap holds the
// normal image and the one for the disabled button side by side. Returns the image list that
// the button shows, for the caller to destroy after the button; null when there is none.
HIMAGELIST SetGlyph(HWND button, const TGlyph& glyph, const FormWindow& form) {
    if (glyph.Resource == 0) {
        return nullptr;
    }
    const auto glyphs =
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(glyph.Resource),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!glyphs) {
        return nullptr;
    }
    const Image source = ImageOf(glyphs);
    DeleteObject(glyphs);
    const int count = glyph.Count > 1 ? glyph.Count : 1;
    const int width = source.Width / count;
    const int height = source.Height;

    // One image for each button state, at the form's scale: the disabled one where the bitmap
    // has it, the normal one everywhere else.
    Image images[2];
    for (int image = 0; image < std::min(count, 2); ++image) {
        Image one{width, height, {}};
        for (int y = 0; y < height; ++y) {
            const auto row = source.Pixels.begin() + y * source.Width + image * width;
            one.Pixels.insert(one.Pixels.end(), row, row + width);
        }
        images[image] = ScaledImage(one, form.Scaled(width), form.Scaled(height));
    }
    const int shownWidth = images[0].Width, shownHeight = images[0].Height;
    Image strip{shownWidth * kStateCount, shownHeight, {}};
    strip.Pixels.resize(static_cast<std::size_t>(strip.Width) * strip.Height);
    for (int state = 0; state < kStateCount; ++state) {
        const Image& image = images[state == kDisabledState && count > 1 ? 1 : 0];
        for (int y = 0; y < shownHeight; ++y) {
            std::copy_n(image.Pixels.begin() + y * shownWidth, shownWidth,
                        strip.Pixels.begin() + y * strip.Width + state * shownWidth);
        }
    }
    const HBITMAP bitmap = BitmapOf(strip);
    HIMAGELIST list = ImageList_Create(shownWidth, shownHeight, ILC_COLOR32, kStateCount, 0);
    ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);

    BUTTON_IMAGELIST shown{};
    shown.himl = list;
    shown.margin = RECT{form.Scaled(4), 0, 0, 0};
    shown.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&shown));
    return list;
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
        images_ = SetGlyph(hwnd, button.Image, form);
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
