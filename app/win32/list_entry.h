#pragma once

#include <string>

#include <windows.h>

namespace quillory {

// Draws one entry of an owner-drawn list as the list would: the background (the selection
// colour when selected), the text in the matching colour 2 pixels in from the left at the top,
// and the focus rectangle when the entry has the focus.
void DrawListEntry(const DRAWITEMSTRUCT& item, const std::string& text, HFONT font);

}  // namespace quillory
