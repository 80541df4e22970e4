// TBevel and TPanel have no window of their own: they draw their frames on the form, with lines
// one pixel wide for each whole 96 dots per inch of the screen.
#include "app/toolkit/TBevel.h"
#include "app/toolkit/TPanel.h"
#include "app/toolkit/scale.h"
#include "app/win32/form_window.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

// A frame `width` pixels wide just inside `rect`.
void Frame(HDC dc, const RECT& rect, int width, int colour) {
    const HBRUSH brush = GetSysColorBrush(colour);
    for (int i = 0; i < width; ++i) {
        const RECT ring{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
        FrameRect(dc, &ring, brush);
    }
}

// A line `width` pixels wide along the top and left edges inside `rect`, another along the
// bottom and right.
void DrawBevel(HDC dc, const RECT& rect, int width, int topLeft, int bottomRight) {
    const RECT top{rect.left, rect.top, rect.right - width, rect.top + width};
    const RECT left{rect.left, rect.top, rect.left + width, rect.bottom - width};
    const RECT bottom{rect.left, rect.bottom - width, rect.right, rect.bottom};
    const RECT right{rect.right - width, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, GetSysColorBrush(topLeft));
    FillRect(dc, &left, GetSysColorBrush(topLeft));
    FillRect(dc, &bottom, GetSysColorBrush(bottomRight));
    FillRect(dc, &right, GetSysColorBrush(bottomRight));
}

// A raised bevel frame: a ridge of one highlight and one shadow line all around.
class NativeBevel : public NativeControl {
public:
    NativeBevel(TBevel& bevel, FormWindow& form)
        : place_(form.PlaceOf(bevel)), width_(LineWidth(form.Dpi())) {}
    void PaintOnForm(HDC dc) override {
        // The shadow one line down and right, the highlight over it.
        const RECT shadow{place_.left + width_, place_.top + width_, place_.right, place_.bottom};
        const RECT highlight{place_.left, place_.top, place_.right - width_,
                             place_.bottom - width_};
        Frame(dc, shadow, width_, COLOR_BTNSHADOW);
        Frame(dc, highlight, width_, COLOR_BTNHIGHLIGHT);
    }

private:
    RECT place_;
    int width_;
};

// A panel's border: an outer lowered bevel and an inner raised one, one line each.
class NativePanel : public NativeControl {
public:
    NativePanel(TPanel& panel, FormWindow& form)
        : place_(form.PlaceOf(panel)), width_(LineWidth(form.Dpi())) {}
    void PaintOnForm(HDC dc) override {
        DrawBevel(dc, place_, width_, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        const RECT inner{place_.left + width_, place_.top + width_, place_.right - width_,
                         place_.bottom - width_};
        DrawBevel(dc, inner, width_, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    }

private:
    RECT place_;
    int width_;
};

[[maybe_unused]] const bool bevels = RegisterNative<TBevel, NativeBevel>();
[[maybe_unused]] const bool panels = RegisterNative<TPanel, NativePanel>();

}  // namespace
}  // namespace quillory
