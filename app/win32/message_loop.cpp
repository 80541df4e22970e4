#include "app/win32/message_loop.h"

#include <windows.h>

#include "app/win32/form_window.h"

namespace quillory {
namespace {

bool IsDialogKey(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    const HWND form = GetAncestor(message.hwnd, GA_ROOT);
    return form && FormWindow::IsFormWindow(form) && IsDialogMessageA(form, &message);
}

void Dispatch(MSG& message) {
    if (!IsDialogKey(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int RunMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        Dispatch(message);
    }
    return static_cast<int>(message.wParam);
}

void RunModalLoop(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

}  // namespace quillory
