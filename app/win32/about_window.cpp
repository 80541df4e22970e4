#include "app/win32/about_window.h"

#include "app/error_box.h"
#include "app/win32/controls.h"
#include "app/win32/frames.h"
#include "app/win32/ids.h"

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

AboutWindow::AboutWindow(TAboutBox& form, Ui& ui) : form_(form), ui_(ui), font_(kFontHeight) {}

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
            OnCreate();
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
            return MAKELRESULT(ids::kOKButton, DC_HASDEFID);
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return Default(message, wParam, lParam);
}

HFONT AboutWindow::FontOf(const TLabel& label) {
    if (label.FontHeight == 0) {
        return font_.handle();
    }
    std::unique_ptr<Font>& font = labelFonts_[label.FontHeight];
    if (!font) {
        font = std::make_unique<Font>(label.FontHeight);
    }
    return font->handle();
}

void AboutWindow::OnCreate() {
    const HWND window = hwnd();
    form_.AttachHandle(window);
    const POINT panel{form_.Panel1.Left, form_.Panel1.Top};
    for (TLabel* label : {&form_.ProductName, &form_.Version, &form_.Label2, &form_.Comments,
                          &form_.Label3, &form_.Label1}) {
        CreateLabel(window, -1, *label, FontOf(*label), panel);
    }
    CreateButton(window, ids::kOKButton, form_.OKButton, font_.handle());
}

void AboutWindow::OnCommand(int id, int code) {
    // Escape asks for IDCANCEL, which nothing here answers: the box has no cancel button.
    if (id == ids::kOKButton && code == BN_CLICKED) {
        RunHandler(ui_, [this] { form_.OKButton.Click(); });
    }
}

void AboutWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    const TPanel& panel = form_.Panel1;
    DrawPanelBorder(
        dc, RECT{panel.Left, panel.Top, panel.Left + panel.Width, panel.Top + panel.Height});
    EndPaint(hwnd(), &paint);
}

void AboutWindow::OnDestroy() {
    for (TControl* control : std::initializer_list<TControl*>{
             &form_.ProductName, &form_.Version, &form_.Label2, &form_.Comments, &form_.Label3,
             &form_.Label1, &form_.OKButton}) {
        control->AttachHandle(nullptr);
    }
    form_.AttachHandle(nullptr);
}

}  // namespace quillory
