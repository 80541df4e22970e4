#include "app/win32/main_window.h"

#include "app/error_box.h"
#include "app/win32/button_glyph.h"
#include "app/win32/controls.h"
#include "app/win32/frames.h"
#include "app/win32/ids.h"
#include "app/win32/list_entry.h"
#include "app/win32/placement.h"
#include "res/resource_ids.h"

namespace quillory {
namespace {

constexpr int kFontHeight = 13;
constexpr int kItemHeight = 16;
constexpr int kDropDownCount = 15;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLORY),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

RECT PlaceOf(const TControl& control) {
    return RECT{control.Left, control.Top, control.Left + control.Width,
                control.Top + control.Height};
}

}  // namespace

MainWindow::MainWindow(TForm1& form, Ui& ui) : form_(form), ui_(ui), font_(kFontHeight) {}

MainWindow::~MainWindow() {
    Destroy();
    for (HIMAGELIST images : glyphs_) {
        ImageList_Destroy(images);
    }
}

void MainWindow::Create() {
    RegisterFormClass(ids::kMainWindowClass, LoadProgramIcon(GetSystemMetrics(SM_CXICON)),
                      LoadProgramIcon(GetSystemMetrics(SM_CXSMICON)));
    HMENU bar = CreateMenu();
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, ids::kMenuAbout, form_.About.Caption.c_str());
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), form_.Help.Caption.c_str());
    if (!CreateFor(form_, ids::kMainWindowClass, kStyle, 0, nullptr, bar)) {
        DestroyMenu(bar);
        return;
    }
    RunHandler(ui_, [this] { form_.FormCreate(); });
}

void MainWindow::Show() {
    if (!hwnd()) {
        return;
    }
    CentreOnScreen(hwnd());
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
    SetFocus(static_cast<HWND>(form_.Textes.Handle()));
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
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
    const HFONT font = font_.handle();
    form_.AttachHandle(window);
    // In the stacking order of the window's description, which also gives the tab order.
    CreateLabel(window, ids::kTypePhrase, form_.TypePhrase, font);
    CreateLabel(window, ids::kLabel1, form_.Label1, font);
    CreateLabel(window, ids::kLabel2, form_.Label2, font);
    CreateLabel(window, ids::kLabel3, form_.Label3, font);
    CreateButton(window, ids::kSpeedButton1, form_.SpeedButton1, font);
    CreateDropDownList(window, ids::kTextes, form_.Textes, font, kItemHeight, kDropDownCount);
    CreateButton(window, ids::kBitBtn1, form_.BitBtn1, font);
    CreateEdit(window, ids::kNouveauTexte, form_.NouveauTexte, font);
    CreateButton(window, ids::kButton1, form_.Button1, font);
    CreateButton(window, ids::kReloadBtn, form_.ReloadBtn, font);
    CreateButton(window, ids::kWavBtn, form_.WavBtn, font);
    CreateButton(window, ids::kDeleteFilesBtn, form_.DeleteFilesBtn, font);
    CreateProgressBar(window, ids::kProgress, form_.Progress);
    for (const TButton* button : {&form_.SpeedButton1, &form_.BitBtn1, &form_.ReloadBtn,
                                  &form_.WavBtn, &form_.DeleteFilesBtn}) {
        if (HIMAGELIST images = SetButtonGlyph(*button)) {
            glyphs_.push_back(images);
        }
    }
    form_.Timer1.AttachWindow(window);
}

TButton* MainWindow::ButtonWithId(int id) {
    switch (id) {
        case ids::kBitBtn1:
            return &form_.BitBtn1;
        case ids::kButton1:
            return &form_.Button1;
        case ids::kReloadBtn:
            return &form_.ReloadBtn;
        case ids::kWavBtn:
            return &form_.WavBtn;
        case ids::kDeleteFilesBtn:
            return &form_.DeleteFilesBtn;
        case ids::kSpeedButton1:
            return &form_.SpeedButton1;
        default:
            return nullptr;
    }
}

void MainWindow::OnCommand(int id, int code) {
    if (id == ids::kMenuAbout) {
        RunHandler(ui_, [this] { form_.About.Click(); });
    } else if (id == ids::kTextes) {
        if (code == CBN_SELCHANGE) {
            const auto list = static_cast<HWND>(form_.Textes.Handle());
            const int index = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
            RunHandler(ui_, [this, index] { form_.Textes.UserSelected(index); });
        }
    } else if (TButton* button = ButtonWithId(id); button && code == BN_CLICKED) {
        RunHandler(ui_, [button] { button->Click(); });
    }
}

void MainWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType == ODT_COMBOBOX && item.CtlID == static_cast<UINT>(ids::kTextes)) {
        item.itemHeight = kItemHeight;
    }
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_COMBOBOX && item.CtlID == static_cast<UINT>(ids::kTextes)) {
        DrawListEntry(item, form_.Textes.Items(static_cast<int>(item.itemID)), font_.handle());
    }
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == static_cast<UINT_PTR>(form_.Timer1.Id())) {
        RunHandler(ui_, [this] { form_.Timer1.Tick(); });
    }
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd(), &paint);
    DrawRaisedFrame(dc, PlaceOf(form_.Bevel1));
    DrawRaisedFrame(dc, PlaceOf(form_.Bevel2));
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
    for (int id :
         {ids::kBitBtn1, ids::kButton1, ids::kReloadBtn, ids::kWavBtn, ids::kDeleteFilesBtn}) {
        if (focus && ButtonWithId(id)->Handle() == focus) {
            return MAKELRESULT(id, DC_HASDEFID);
        }
    }
    return MAKELRESULT(ids::kButton1, DC_HASDEFID);
}

void MainWindow::OnDestroy() {
    // The components outlive their windows: from now on they keep their state to themselves.
    form_.NouveauTexte.SetText(form_.NouveauTexte.Text());
    form_.Timer1.AttachWindow(nullptr);
    for (TControl* control : std::initializer_list<TControl*>{
             &form_.TypePhrase, &form_.Label1, &form_.Label2, &form_.Label3, &form_.SpeedButton1,
             &form_.Textes, &form_.BitBtn1, &form_.NouveauTexte, &form_.Button1, &form_.ReloadBtn,
             &form_.WavBtn, &form_.DeleteFilesBtn, &form_.Progress}) {
        control->AttachHandle(nullptr);
    }
    form_.AttachHandle(nullptr);
    // Closing the main window ends the program.
    PostQuitMessage(0);
}

}  // namespace quillory
