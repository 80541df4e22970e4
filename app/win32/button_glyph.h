#pragma once

#include <windows.h>

#include <commctrl.h>

namespace quillory {

// Shows the program's bitmap resource `resource` left of the button's caption; 0 is none. The
// colour of the glyph's bottom-left pixel is transparent. With 2 glyphs the bitmap holds the
// normal image and the one for the disabled button side by side. Returns the image list that
// the button shows, for the caller to destroy after the button; null when there is none.
HIMAGELIST SetButtonGlyph(HWND button, int resource, int glyphCount);

}  // namespace quillory
