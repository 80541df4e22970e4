#include "app/win32/list_entry.h"

#include <algorithm>

namespace quillory {

void DrawListEntry(const DRAWITEMSTRUCT& item, const std::string& text, HFONT font) {
    const HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const COLORREF oldColour =
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    // Every character is at least a pixel wide: no more of a long text can show.
    const auto shown = static_cast<int>(
        std::min<std::size_t>(text.size(), static_cast<std::size_t>(rect.right - rect.left)));
    ExtTextOutA(dc, rect.left + 2, rect.top, ETO_CLIPPED, &rect, text.data(),
                static_cast<UINT>(shown), nullptr);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &rect);
    }
}

}  // namespace quillory
