// TBevel and TPanel have no window of their own: they draw their frames on the form.
#include "app/toolkit/TBevel.h"
#include "app/toolkit/TPanel.h"
#include "app/win32/native_control.h"

namespace quillory {
namespace {

RECT PlaceOf(const TControl& control) {
    return RECT{control.Left, control.Top, control.Left + control.Width,
                control.Top + control.Height};
}

// One line along the top and left edges inside `rect`, another along the bottom and right.
void DrawBevel(HDC dc, const RECT& rect, int topLeft, int bottomRight) {
    const RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
    const RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    const RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    const RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, GetSysColorBrush(topLeft));
    FillRect(dc, &left, GetSysColorBrush(topLeft));
    FillRect(dc, &bottom, GetSysColorBrush(bottomRight));
    FillRect(dc, &right, GetSysColorBrush(bottomRight));
}

// A raised bevel frame: a ridge of one highlight and one shadow line all around.
class NativeBevel : public NativeControl {
public:
    NativeBevel(TBevel& bevel, FormWindow&) : place_(PlaceOf(bevel)) {}
    void PaintOnForm(HDC dc) override {
        // The shadow one pixel down and right, the highlight over it.
        const RECT shadow{place_.left + 1, place_.top + 1, place_.right, place_.bottom};
        const RECT highlight{place_.left, place_.top, place_.right - 1, place_.bottom - 1};
        FrameRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
        FrameRect(dc, &highlight, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }

private:
    RECT place_;
};

// A panel's border: an outer lowered bevel and an inner raised one, one pixel each.
class NativePanel : public NativeControl {
public:
    NativePanel(TPanel& panel, FormWindow&) : place_(PlaceOf(panel)) {}
    void PaintOnForm(HDC dc) override {
        DrawBevel(dc, place_, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        const RECT inner{place_.left + 1, place_.top + 1, place_.right - 1, place_.bottom - 1};
        DrawBevel(dc, inner, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    }

private:
    RECT place_;
};

[[maybe_unused]] const bool bevels = RegisterNative<TBevel, NativeBevel>();
[[maybe_unused]] const bool panels = RegisterNative<TPanel, NativePanel>();

}  // namespace
}  // namespace quillory
