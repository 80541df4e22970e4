#include "app/win32/speed_button.h"

#include <commctrl.h>
#include <windowsx.h>

namespace quillory {
namespace {

constexpr UINT_PTR kSubclassId = 1;

bool IsOver(HWND button, LPARAM lParam) {
    RECT client{};
    GetClientRect(button, &client);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, point) != FALSE;
}

LRESULT CALLBACK SpeedButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(button);
            SendMessageA(button, BM_SETSTATE, TRUE, 0);
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == button) {
                SendMessageA(button, BM_SETSTATE, IsOver(button, lParam), 0);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (GetCapture() == button) {
                ReleaseCapture();
                if (IsOver(button, lParam)) {
                    SendMessageA(GetParent(button), WM_COMMAND,
                                 MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button));
                }
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            SendMessageA(button, BM_SETSTATE, FALSE, 0);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, SpeedButtonProcedure, kSubclassId);
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void NeverTakeFocus(HWND button) {
    SetWindowSubclass(button, SpeedButtonProcedure, kSubclassId, 0);
}

}  // namespace quillory
