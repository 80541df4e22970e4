#pragma once

#include <windows.h>

namespace quillory {

// Makes a push button work by the mouse (and BM_CLICK) alone, without ever taking the keyboard
// focus from the control that has it: it presses while the left button is held over it and
// reports BN_CLICKED to its parent when released over it.
void NeverTakeFocus(HWND button);

}  // namespace quillory
