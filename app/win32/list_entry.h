#pragma once

#include <string>

#include <windows.h>

namespace quillory {

// Draws one entry of an owner-drawn list as the list would: the background (the selection
// colour when selected), the text in the matching colour 2 pixels in from the left at the top,
// and the focus rectangle when the entry has the focus. A marked entry has a small speaker at
// the right end of its line, in the colour of its text, which the text does not run into.
void DrawListEntry(const DRAWITEMSTRUCT& item, const std::string& text, bool marked, HFONT font);

// The width the speaker takes at the right end of a marked entry.
inline constexpr int kMarkWidth = 16;

}  // namespace quillory
