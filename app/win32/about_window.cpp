#include "app/win32/about_window.h"

#include "app/error_box.h"
#include "app/ids.h"
#include "app/win32/controls.h"

namespace quillory {
namespace {

constexpr int kFontHeight = 11;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr int kModalCancel = 2;

// A dialog's system menu: Move and Close only.
void TrimSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

}  // namespace

AboutWindow::AboutWindow(TAboutBox& form, Ui& ui) : form_(form), ui_(ui) {}

AboutWindow::~AboutWindow() { Destroy(); }

void AboutWindow::Create(HWND owner) {
    RegisterFormClass(ids::kAboutBoxClass, nullptr, nullptr);
    if (CreateFor(form_, ids::kAboutBoxClass, kStyle, kExStyle, owner, nullptr)) {
        TrimSystemMenu(hwnd());
    }
}

LRESULT AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            form_.AttachHandle(hwnd());
            CreateControls(hwnd(), form_, fonts_, kFontHeight, glyphs_);
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            // The close box ends the showing; the window stays for the next one.
            form_.ModalResult = kModalCancel;
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(form_.OKButton.Id, DC_HASDEFID);
        case WM_DESTROY:
            DetachControls(form_);
            form_.AttachHandle(nullptr);
            return 0;
    }
    return Default(message, wParam, lParam);
}

void AboutWindow::OnCommand(int id, int code) {
    // Escape asks for IDCANCEL, which nothing here answers: the box has no cancel button.
    if (id == form_.OKButton.Id && code == BN_CLICKED) {
        RunHandler(ui_, [this] { form_.OKButton.Click(); });
    }
}

void AboutWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    PaintFrames(dc, form_);
    EndPaint(hwnd(), &paint);
}

}  // namespace quillory
