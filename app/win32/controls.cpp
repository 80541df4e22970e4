#include "app/win32/controls.h"

#include <commctrl.h>

#include "app/win32/speed_button.h"

namespace quillory {
namespace {

// Tab stops go to the controls that have a tab order.
HWND CreateChild(HWND parent, int id, const char* className, const std::string& text, DWORD style,
                 DWORD exStyle, const TControl& control, int height, POINT origin) {
    const bool tabStop = control.TabOrder >= 0;
    return CreateWindowExA(exStyle, className, text.c_str(),
                           WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0) | style,
                           origin.x + control.Left, origin.y + control.Top, control.Width, height,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void SetFont(HWND control, HFONT font) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

HWND CreateLabel(HWND parent, int id, TLabel& label, HFONT font, POINT origin) {
    const HWND hwnd = CreateChild(parent, id, WC_STATICA, label.Caption(), SS_LEFT | SS_NOPREFIX, 0,
                                  label, label.Height, origin);
    SetFont(hwnd, font);
    label.AttachHandle(hwnd);
    label.AutoSize();
    return hwnd;
}

HWND CreateButton(HWND parent, int id, TButton& button, HFONT font) {
    const DWORD style = button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    const HWND hwnd =
        CreateChild(parent, id, WC_BUTTONA, button.Caption, style, 0, button, button.Height, {});
    SetFont(hwnd, font);
    if (button.ButtonKind == TButton::Kind::Speed) {
        NeverTakeFocus(hwnd);
    }
    button.AttachHandle(hwnd);
    return hwnd;
}

HWND CreateEdit(HWND parent, int id, TEdit& edit, HFONT font) {
    const HWND hwnd = CreateChild(parent, id, WC_EDITA, edit.Text(), ES_LEFT | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, edit, edit.Height, {});
    SetFont(hwnd, font);
    SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
    edit.AttachHandle(hwnd);
    return hwnd;
}

HWND CreateDropDownList(HWND parent, int id, TComboBox& combo, HFONT font, int itemHeight,
                        int visibleItems) {
    // The window's height covers the closed field and the open list with its border.
    const int openHeight = combo.Height + visibleItems * itemHeight + 2;
    const HWND hwnd =
        CreateChild(parent, id, WC_COMBOBOXA, "",
                    WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0, combo,
                    openHeight, {});
    SetFont(hwnd, font);
    SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
    SendMessageA(hwnd, CB_SETITEMHEIGHT, 0, itemHeight);
    SendMessageA(hwnd, CB_SETMINVISIBLE, static_cast<WPARAM>(visibleItems), 0);
    combo.AttachHandle(hwnd);
    combo.Refresh();
    return hwnd;
}

HWND CreateProgressBar(HWND parent, int id, TProgressBar& bar) {
    const HWND hwnd = CreateChild(parent, id, PROGRESS_CLASSA, "", 0, 0, bar, bar.Height, {});
    bar.AttachHandle(hwnd);
    bar.Refresh();
    return hwnd;
}

}  // namespace quillory
