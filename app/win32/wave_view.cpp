// The native window of TWaveView: an owner-drawn static control that the form asks to draw the
// picture, through a bitmap so that it does not flicker as it changes while recording.
#include <windows.h>

#include <algorithm>

#include "app/toolkit/TWaveView.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

class NativeWaveView : public NativeControl, public TWaveView::Widget {
public:
    NativeWaveView(TWaveView& view, FormWindow& form) : view_(view), picture_(view.Shown()) {
        CreateWindowFor(form, view, L"STATIC", "", SS_OWNERDRAW);
        view.widget.Attach(*this);
    }
    ~NativeWaveView() override { view_.widget.Detach(); }

    const TWaveView::Picture& Shown() const override { return picture_; }
    void Show(const TWaveView::Picture& picture) override {
        picture_ = picture;
        InvalidateRect(hwnd(), nullptr, FALSE);
    }

    std::optional<LRESULT> OnFormMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message != WM_DRAWITEM) {
            return std::nullopt;
        }
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const RECT& area = item.rcItem;
        const int width = area.right - area.left, height = area.bottom - area.top;
        const HDC dc = CreateCompatibleDC(item.hDC);
        const HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        Draw(dc, RECT{0, 0, width, height});
        BitBlt(item.hDC, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return TRUE;
    }

private:
    // The kept part on the window's colour, the trimmed ends on the face colour, each column a
    // line up and down from the middle as high as its peak; a sunken frame around.
    void Draw(HDC dc, RECT frame) const {
        FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        const int top = frame.top + 1, bottom = frame.bottom - 1, middle = (top + bottom) / 2;
        const RECT kept{1 + picture_.KeptFrom, top, 1 + picture_.KeptTo, bottom};
        FillRect(dc, &kept, GetSysColorBrush(COLOR_WINDOW));
        const int half = (bottom - top) / 2;
        for (int column = 0; column < static_cast<int>(picture_.Peaks.size()); ++column) {
            const int reach =
                std::max(1, static_cast<int>(std::int64_t{picture_.Peaks[column]} * half / 32768));
            const bool inside = column >= picture_.KeptFrom && column < picture_.KeptTo;
            const RECT line{1 + column, middle - reach, 2 + column, middle + reach};
            FillRect(dc, &line, GetSysColorBrush(inside ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT));
        }
        if (picture_.Position >= 0) {
            const HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
            const RECT line{1 + picture_.Position, top, 2 + picture_.Position, bottom};
            FillRect(dc, &line, red);
            DeleteObject(red);
        }
    }

    TWaveView& view_;
    TWaveView::Picture picture_;
};

[[maybe_unused]] const bool registered = RegisterNative<TWaveView, NativeWaveView>();

}  // namespace
}  // namespace quillory
