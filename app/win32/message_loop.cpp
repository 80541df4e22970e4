#include "app/win32/message_loop.h"

#include <windows.h>

#include "app/win32/form_window.h"

namespace quillory {
namespace {

// A key for the form it was typed in: a shortcut of its menu, or a key of the dialog keys.
bool IsFormKey(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    const HWND window = GetAncestor(message.hwnd, GA_ROOT);
    const FormWindow* form = FormWindow::FormOf(window);
    if (form == nullptr) {
        return false;
    }
    // A control that wants the key has it before the shortcuts: an open drop-down list closes
    // on Esc.
    const bool wanted =
        message.message == WM_KEYDOWN && (SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam,
                                                       reinterpret_cast<LPARAM>(&message)) &
                                          DLGC_WANTMESSAGE);
    if (!wanted && form->accelerators() &&
        TranslateAcceleratorW(window, form->accelerators(), &message)) {
        return true;
    }
    return IsDialogMessageW(window, &message);
}

void Dispatch(MSG& message) {
    if (!IsFormKey(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int RunMessageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void DispatchWaitingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void RunModalLoop(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

}  // namespace quillory
