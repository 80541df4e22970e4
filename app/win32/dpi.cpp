#include "app/win32/dpi.h"

#include "platform/system_library_win32.h"

namespace quillory {

int WindowDpi(HWND window) {
    static SystemFunction<UINT WINAPI(HWND)> dpiForWindow("user32.dll", "GetDpiForWindow");
    if (auto* function = dpiForWindow.get()) {
        if (const UINT dpi = function(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace quillory
