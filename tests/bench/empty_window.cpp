// What the program's start-up is measured against: an empty window of the main window's class,
// caption, frame and client size, shown at the centre of the screen, that closes when asked.
// It starts as the program does (its manifest, empty_window.rc, and the same common controls)
// and has the same menu bar, built with plain menu calls: what any window of this kind costs.
#include <windows.h>

#include <commctrl.h>

#include "app/version.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The main window's menus, item by item; an empty item is a separator.
struct Menu {
    const char* caption;
    const char* items[8];
};
constexpr Menu kMenus[] = {
    {"&Text", {"&Undo change", "Restore &default text", "", "&Save Text\tCtrl+S"}},
    {"&Voice",
     {"&Play\tCtrl+P", "&Stop\tEsc", "", "&Remove voice...", "Restore &previous voice", "",
      "Re&cord...\tCtrl+R", "&Attach WAV..."}},
    {"&Game",
     {"&Run Secret Ops\tCtrl+G", "&Open game folder", "", "Remove custom &communications..."}},
    {"About...", {"About"}},
};

HMENU MenuBar() {
    const HMENU bar = CreateMenu();
    UINT id = 100;
    for (const Menu& menu : kMenus) {
        const HMENU popup = CreatePopupMenu();
        for (const char* item : menu.items) {
            if (item == nullptr) {
                break;
            }
            if (*item == '\0') {
                AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuA(popup, MF_STRING, id++, item);
            }
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.caption);
    }
    return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TForm1";
    RegisterClassExA(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT outer{0, 0, 738, 288};
    AdjustWindowRectEx(&outer, style, TRUE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const HWND window = CreateWindowExA(0, "TForm1", "Quillory  v" QUILLORY_VERSION, style,
                                        (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                        nullptr, MenuBar(), instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
