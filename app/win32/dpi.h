#pragma once

#include <windows.h>

namespace quillory {

// WM_DPICHANGED, which Windows 8.1 and later send to a window moved to a screen of another scale
// (the headers name it for Windows 7 and later only).
inline constexpr UINT kDpiChanged = 0x02E0;

// The dots per inch of the screen that the window is on: its monitor's on Windows 10 (1607) and
// later, the system's before.
int WindowDpi(HWND window);

}  // namespace quillory
