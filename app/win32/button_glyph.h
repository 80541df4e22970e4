#pragma once

#include <windows.h>

#include <commctrl.h>

#include "app/toolkit/TButton.h"

namespace quillory {

// Shows the button's glyph, the program's bitmap resource `GlyphResource`, left of its caption.
// The colour of the glyph's bottom-left pixel is transparent. With NumGlyphs 2 the bitmap holds
// the normal image and the one for the disabled button side by side. Returns the image list
// that the button shows, for the caller to destroy after the button; null when there is none.
HIMAGELIST SetButtonGlyph(const TButton& button);

}  // namespace quillory
