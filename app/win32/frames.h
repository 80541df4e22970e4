#pragma once

#include <windows.h>

namespace quillory {

// A raised bevel frame: a ridge of one highlight and one shadow line all around `rect`.
void DrawRaisedFrame(HDC dc, const RECT& rect);

// A panel's border: an outer lowered bevel and an inner raised one, one pixel each.
void DrawPanelBorder(HDC dc, const RECT& rect);

}  // namespace quillory
