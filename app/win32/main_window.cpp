#include "app/win32/main_window.h"

#include "app/error_box.h"
#include "app/ids.h"
#include "app/win32/controls.h"
#include "app/win32/list_entry.h"
#include "app/win32/native_widgets.h"
#include "app/win32/placement.h"
#include "platform/wide_win32.h"
#include "res/resource_ids.h"

namespace quillory {
namespace {

constexpr int kFontHeight = 13;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLORY),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

MainWindow::MainWindow(TForm1& form, Ui& ui) : form_(form), ui_(ui), menu_(form.MainMenu1) {}

MainWindow::~MainWindow() {
    Destroy();
    for (HIMAGELIST images : glyphs_) {
        ImageList_Destroy(images);
    }
}

void MainWindow::Create() {
    RegisterFormClass(ids::kMainWindowClass, LoadProgramIcon(GetSystemMetrics(SM_CXICON)),
                      LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)));
    if (!CreateFor(form_, ids::kMainWindowClass, kStyle, 0, nullptr, menu_.handle())) {
        DestroyMenu(menu_.handle());
        return;
    }
    SetAccelerators(menu_.accelerators());
    RunHandler(ui_, [this] { form_.FormCreate(); });
}

void MainWindow::Show() {
    if (!hwnd()) {
        return;
    }
    CentreOnScreen(hwnd());
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
    SetFocus(GetDlgItem(hwnd(), form_.Textes.Id));
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_INITMENUPOPUP:
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_MEASUREITEM:
            OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case DM_GETDEFID:
            return OnGetDefId();
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return Default(message, wParam, lParam);
}

void MainWindow::OnCreate() {
    const HWND window = hwnd();
    form_.AttachHandle(window, [window] { DestroyWindow(window); });
    CreateControls(window, form_, fonts_, kFontHeight, glyphs_);
    DragAcceptFiles(window, TRUE);
    form_.Timer1.widget.Attach(std::make_unique<NativeTimer>(
        window, ids::kTimer1, form_.Timer1.Interval, form_.Timer1.Enabled()));
}

void MainWindow::OnCommand(int id, int code) {
    if (TMenuItem* item = form_.MainMenu1.ItemWithId(id); item && code <= 1) {
        // 0 from the menu, 1 from a shortcut key.
        RunHandler(ui_, [item] { item->Click(); });
        return;
    }
    TControl* control = form_.ControlWithId(id);
    if (auto* combo = dynamic_cast<TComboBox*>(control); combo && code == CBN_SELCHANGE) {
        const int index = combo->ItemIndex();
        RunHandler(ui_, [combo, index] { combo->UserSelected(index); });
    } else if (auto* button = dynamic_cast<TButton*>(control); button && code == BN_CLICKED) {
        RunHandler(ui_, [button] { button->Click(); });
    }
}

void MainWindow::OnInitMenuPopup(HMENU popup) {
    if (TMenuItem* item = menu_.ItemWithPopup(popup)) {
        RunHandler(ui_, [item] { item->Click(); });
    }
}

void MainWindow::OnDropFiles(HDROP drop) {
    // While a box or a dialog of the program is open, the window takes no input, drops neither.
    std::vector<std::string> paths;
    if (IsWindowEnabled(hwnd())) {
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
            path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
            paths.push_back(Utf8Of(path));
        }
    }
    DragFinish(drop);
    if (!paths.empty()) {
        RunHandler(ui_, [this, &paths] { form_.FormDropFiles(paths); });
    }
}

void MainWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType == ODT_COMBOBOX && item.CtlID == static_cast<UINT>(form_.Textes.Id)) {
        item.itemHeight = static_cast<UINT>(form_.Textes.ItemHeight);
    }
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_COMBOBOX && item.CtlID == static_cast<UINT>(form_.Textes.Id)) {
        const int entry = static_cast<int>(item.itemID);
        DrawListEntry(item, form_.Textes.Items(entry), form_.Textes.Marked(entry),
                      fonts_.For(kFontHeight));
    }
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == ids::kTimer1) {
        RunHandler(ui_, [this] { form_.Timer1.Tick(); });
    }
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    PaintFrames(dc, form_);
    EndPaint(hwnd(), &paint);
}

void MainWindow::OnClose() {
    RunHandler(ui_, [this] {
        if (form_.FormCloseQuery()) {
            form_.Close();
        }
    });
}

LRESULT MainWindow::OnGetDefId() {
    // Enter presses the push button that has the focus, else the default button.
    const HWND focus = GetFocus();
    int pressed = form_.Button1.Id;
    for (TControl* control : form_.Controls()) {
        if (dynamic_cast<TButton*>(control) && control->TabStop && focus &&
            GetDlgItem(hwnd(), control->Id) == focus) {
            pressed = control->Id;
        }
    }
    return MAKELRESULT(pressed, DC_HASDEFID);
}

void MainWindow::OnDestroy() {
    DetachControls(form_);
    menu_.Detach();
    form_.Timer1.widget.Detach();
    form_.AttachHandle(nullptr);
    // Closing the main window ends the program.
    PostQuitMessage(0);
}

}  // namespace quillory
