#pragma once

#include <windows.h>

namespace quillory {

// Gives a top-level window the outer size that makes its client area width by height.
void SetClientSize(HWND window, int width, int height);

// Moves a top-level window to the centre of the screen.
void CentreOnScreen(HWND window);

}  // namespace quillory
