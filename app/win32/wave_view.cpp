// The native window of TWaveView: an owner-drawn static control that the form asks to draw the
// picture, through a bitmap of its own so that it does not flicker as it changes while
// recording; the columns of each colour in one call.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

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
    ~NativeWaveView() override {
        view_.widget.Detach();
        if (memory_) {
            DeleteObject(SelectObject(memory_, old_));
            DeleteDC(memory_);
        }
    }

    const TWaveView::Picture& Shown() const override { return picture_; }
    int Columns() const override {
        RECT client{};
        GetClientRect(hwnd(), &client);
        return std::max(0, static_cast<int>(client.right) - 2);
    }
    // Only the columns that changed are drawn again on the screen: while it records, those at
    // the end.
    void Show(const TWaveView::Picture& picture) override {
        const auto& before = picture_.Peaks;
        const auto& after = picture.Peaks;
        std::size_t first = 0;
        while (first < before.size() && first < after.size() && before[first] == after[first]) {
            ++first;
        }
        const bool same = picture.KeptFrom == picture_.KeptFrom &&
                          picture.KeptTo == picture_.KeptTo &&
                          picture.Position == picture_.Position && !Spread(picture);
        RECT changed{};
        GetClientRect(hwnd(), &changed);
        if (same) {
            // Past the longer of the two, both are empty.
            changed.left = 1 + static_cast<int>(first);
            changed.right = 1 + static_cast<int>(std::max(before.size(), after.size()));
        }
        picture_ = picture;
        if (!same || !memory_) {
            InvalidateRect(hwnd(), &changed, FALSE);
            return;
        }
        // Drawn at once rather than through a paint of the control: many times a second while
        // it records, and a paint costs more than the columns do.
        const HDC dc = GetDC(hwnd());
        RECT client{};
        GetClientRect(hwnd(), &client);
        Paint(dc, client, changed);
        ReleaseDC(hwnd(), dc);
    }

    std::optional<LRESULT> OnFormMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message != WM_DRAWITEM) {
            return std::nullopt;
        }
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const RECT& area = item.rcItem;
        const int width = area.right - area.left, height = area.bottom - area.top;
        if (!memory_) {
            memory_ = CreateCompatibleDC(item.hDC);
            old_ = SelectObject(memory_, CreateCompatibleBitmap(item.hDC, width, height));
        }
        // Only the part that is painted.
        RECT part{0, 0, width, height};
        if (GetClipBox(item.hDC, &part) != NULLREGION) {
            OffsetRect(&part, -area.left, -area.top);
            Paint(item.hDC, area, part);
        }
        return TRUE;
    }

private:
    // Whether the picture was made for another number of columns than the frame holds.
    bool Spread(const TWaveView::Picture& picture) const {
        return picture.Columns > 0 && picture.Columns != Columns();
    }

    // The `part` of the picture, from the left top of `area`, through the bitmap.
    void Paint(HDC dc, const RECT& area, const RECT& part) const {
        IntersectClipRect(memory_, part.left, part.top, part.right, part.bottom);
        Draw(memory_, RECT{0, 0, area.right - area.left, area.bottom - area.top});
        SelectClipRgn(memory_, nullptr);
        BitBlt(dc, area.left + part.left, area.top + part.top, part.right - part.left,
               part.bottom - part.top, memory_, part.left, part.top, SRCCOPY);
    }

    // The kept part on the window's colour, the trimmed ends on the face colour, each column a
    // line up and down from the middle as high as its peak; a sunken frame around.
    void Draw(HDC dc, RECT frame) const {
        FillRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
        const int top = frame.top + 1, bottom = frame.bottom - 1, middle = (top + bottom) / 2;
        // Column by column from the left; a picture made for another number of columns (before
        // the window was made, or moved to a screen of another scale) spread over the frame.
        const int inside = static_cast<int>(frame.right - frame.left) - 2;
        const bool spread = Spread(picture_);
        const auto x = [&](int column) {
            return 1 + (spread ? static_cast<int>(std::int64_t{column} * inside / picture_.Columns)
                               : column);
        };
        const RECT white{x(picture_.KeptFrom), top, x(picture_.KeptTo), bottom};
        FillRect(dc, &white, GetSysColorBrush(COLOR_WINDOW));
        const int half = (bottom - top) / 2;
        std::vector<POINT> keptPoints, trimmed;
        for (int column = 0; column < static_cast<int>(picture_.Peaks.size()); ++column) {
            const int reach =
                std::max(1, static_cast<int>(std::int64_t{picture_.Peaks[column]} * half / 32768));
            const bool kept = column >= picture_.KeptFrom && column < picture_.KeptTo;
            auto& points = kept ? keptPoints : trimmed;
            points.push_back({x(column), middle - reach});
            points.push_back({x(column), middle + reach});
        }
        Lines(dc, keptPoints, GetSysColor(COLOR_HIGHLIGHT));
        Lines(dc, trimmed, GetSysColor(COLOR_GRAYTEXT));
        if (picture_.Position >= 0) {
            const HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
            const RECT line{x(picture_.Position), top, x(picture_.Position) + 1, bottom};
            FillRect(dc, &line, red);
            DeleteObject(red);
        }
    }

    // Each pair of points a line.
    static void Lines(HDC dc, const std::vector<POINT>& points, COLORREF colour) {
        if (points.empty()) {
            return;
        }
        const std::vector<DWORD> counts(points.size() / 2, 2);
        const HPEN pen = CreatePen(PS_SOLID, 1, colour);
        const HGDIOBJ old = SelectObject(dc, pen);
        PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
        SelectObject(dc, old);
        DeleteObject(pen);
    }

    TWaveView& view_;
    TWaveView::Picture picture_;
    HDC memory_ = nullptr;  // the picture's bitmap, once drawn
    HGDIOBJ old_ = nullptr;
};

[[maybe_unused]] const bool registered = RegisterNative<TWaveView, NativeWaveView>();

}  // namespace
}  // namespace quillory
