#include "app/win32/frames.h"

namespace quillory {
namespace {

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

}  // namespace

void DrawRaisedFrame(HDC dc, const RECT& rect) {
    // The shadow one pixel down and right, the highlight over it.
    const RECT shadow{rect.left + 1, rect.top + 1, rect.right, rect.bottom};
    const RECT highlight{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
    FrameRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
    FrameRect(dc, &highlight, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

void DrawPanelBorder(HDC dc, const RECT& rect) {
    DrawBevel(dc, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    DrawBevel(dc, inner, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

}  // namespace quillory
