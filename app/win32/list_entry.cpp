#include "app/win32/list_entry.h"

#include <algorithm>

namespace quillory {
namespace {

// A speaker with two sound waves, 12 by 10 pixels, at the right end of `line`.
void DrawSpeaker(HDC dc, const RECT& line, COLORREF colour) {
    const int x = line.right - kMarkWidth + 1;
    const int y = line.top + (line.bottom - line.top - 10) / 2;
    const HPEN pen = CreatePen(PS_SOLID, 1, colour);
    const HBRUSH brush = CreateSolidBrush(colour);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    const POINT body[] = {{x, y + 3},     {x + 2, y + 3}, {x + 5, y},
                          {x + 5, y + 9}, {x + 2, y + 6}, {x, y + 6}};
    Polygon(dc, body, 6);
    const POINT nearWave[] = {{x + 7, y + 3}, {x + 8, y + 4}, {x + 8, y + 6}, {x + 7, y + 7}};
    Polyline(dc, nearWave, 4);
    const POINT farWave[] = {{x + 9, y + 1}, {x + 11, y + 3}, {x + 11, y + 6}, {x + 9, y + 8}};
    Polyline(dc, farWave, 4);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

void DrawListEntry(const DRAWITEMSTRUCT& item, const std::string& text, bool marked, HFONT font) {
    const HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF colour = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const COLORREF oldColour = SetTextColor(dc, colour);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT textRect = rect;
    if (marked) {
        textRect.right = std::max(textRect.left, textRect.right - kMarkWidth - 2);
    }
    // Every character is at least a pixel wide: no more of a long text can show.
    const auto shown = static_cast<int>(std::min<std::size_t>(
        text.size(), static_cast<std::size_t>(std::max<LONG>(0, rect.right - rect.left))));
    ExtTextOutA(dc, rect.left + 2, rect.top, ETO_CLIPPED, &textRect, text.data(),
                static_cast<UINT>(shown), nullptr);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    if (marked) {
        DrawSpeaker(dc, rect, colour);
    }
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(dc, &rect);
    }
}

}  // namespace quillory
