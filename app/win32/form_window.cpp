#include "app/win32/form_window.h"

#include <shellapi.h>

#include <map>
#include <string>

#include "app/error_box.h"
#include "app/toolkit/TMainMenu.h"
#include "app/toolkit/TTimer.h"
#include "app/toolkit/scale.h"
#include "app/win32/dpi.h"
#include "app/win32/menus.h"
#include "app/win32/native_control.h"
#include "app/win32/placement.h"
#include "platform/system_library_win32.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

constexpr wchar_t kFormProperty[] = L"Quillory.Form";

struct Frame {
    DWORD style;
    DWORD exStyle;
};

Frame FrameOf(TForm::Border border) {
    if (border == TForm::Border::Dialog) {
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME};
    }
    return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0};
}

HICON LoadProgramIcon(int resource, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

// Registers the window class of a form once.
void RegisterFormClass(const TForm& form, WNDPROC procedure) {
    // The class keeps a pointer to its name: one string for each class, for the program's life.
    static std::map<std::string, std::wstring> names;
    const std::wstring& name =
        names.try_emplace(form.ClassName, WideOf(form.ClassName)).first->second;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    if (form.Icon != 0) {
        windowClass.hIcon = LoadProgramIcon(form.Icon, GetSystemMetrics(SM_CXICON));
        windowClass.hIconSm = LoadProgramIcon(form.Icon, GetSystemMetrics(SM_CXSMICON));
    }
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass);
}

// A box's system menu: Move and Close only.
void TrimSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

// The reason a window gives for keeping the session from ending, shown by Windows Vista and
// later on their list of such programs; earlier systems have none.
void SetBlockReason(HWND window, const std::string& reason) {
    using Create = BOOL WINAPI(HWND, LPCWSTR);
    using Destroy = BOOL WINAPI(HWND);
    static SystemFunction<Create> create("user32.dll", "ShutdownBlockReasonCreate");
    static SystemFunction<Destroy> destroy("user32.dll", "ShutdownBlockReasonDestroy");
    if (reason.empty()) {
        if (auto* function = destroy.get()) {
            function(window);
        }
    } else if (auto* function = create.get()) {
        function(window, WideOf(reason).c_str());
    }
}

bool IsPushButton(HWND window, UINT kind) {
    return window && (SendMessageW(window, WM_GETDLGCODE, 0, 0) & kind) != 0;
}

}  // namespace

// A timer of the form's window. Windows cannot be asked whether a timer runs, so this keeps
// the flag.
class NativeTimer : public EnabledWidget {
public:
    NativeTimer(TTimer& timer, HWND window, UINT_PTR id) : timer_(timer), window_(window), id_(id) {
        SetEnabled(timer.Enabled());
        timer.widget.Attach(*this);
    }
    ~NativeTimer() override {
        timer_.widget.Detach();
        KillTimer(window_, id_);
    }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override {
        enabled_ = enabled;
        if (enabled) {
            SetTimer(window_, id_, timer_.Interval, nullptr);
        } else {
            KillTimer(window_, id_);
        }
    }

private:
    TTimer& timer_;
    HWND window_;
    UINT_PTR id_;
    bool enabled_ = false;
};

// Whether the form's window takes input.
class NativeEnabled : public EnabledWidget {
public:
    NativeEnabled(TForm& form, HWND window) : form_(form), window_(window) {
        SetEnabled(form.Enabled());
        form.enabled.Attach(*this);
    }
    ~NativeEnabled() override { form_.enabled.Detach(); }
    bool Enabled() const override { return IsWindowEnabled(window_) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }

private:
    TForm& form_;
    HWND window_;
};

class NativeTitle : public TextWidget {
public:
    NativeTitle(TForm& form, HWND window) : form_(form), window_(window) {
        form.title.Attach(*this);
    }
    ~NativeTitle() override { form_.title.Detach(); }
    std::string Text() const override { return WindowText(window_); }
    void SetText(const std::string& text) override {
        SetWindowTextW(window_, WideOf(text).c_str());
    }

private:
    TForm& form_;
    HWND window_;
};

std::map<const TForm*, FormWindow*>& windowsOfForms() {
    static std::map<const TForm*, FormWindow*> windows;
    return windows;
}

FormWindow::FormWindow(TForm& form, Ui& ui) : form_(form), ui_(ui) {
    windowsOfForms()[&form] = this;
}

FormWindow::~FormWindow() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
    windowsOfForms().erase(&form_);
}

FormWindow* FormWindow::For(const TForm& form) {
    const auto found = windowsOfForms().find(&form);
    return found == windowsOfForms().end() ? nullptr : found->second;
}

template <typename Event>
void FormWindow::Run(Event&& event) {
    RunHandler(ui_, std::forward<Event>(event));
}

void FormWindow::Create(HWND owner) {
    RegisterFormClass(form_, Procedure);
    if (form_.Menu) {
        menu_ = std::make_unique<MenuBar>(*form_.Menu);
    }
    const Frame frame = FrameOf(form_.FormBorder);
    // A window that takes dropped files says so in its style, as DragAcceptFiles would set it.
    const DWORD exStyle = frame.exStyle | (form_.OnDropFiles ? WS_EX_ACCEPTFILES : 0);
    CreateWindowExW(exStyle, WideOf(form_.ClassName).c_str(), WideOf(form_.Caption()).c_str(),
                    frame.style, 0, 0, form_.ClientWidth, form_.ClientHeight, owner,
                    menu_ ? menu_->handle() : nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) {
        menu_.reset();
        return;
    }
    if (form_.FormBorder == TForm::Border::Dialog) {
        TrimSystemMenu(hwnd_);
    }
    SetClientSize(hwnd_, Scaled(form_.ClientWidth), Scaled(form_.ClientHeight));
    if (form_.OnCreate) {
        Run(form_.OnCreate);
    }
}

void FormWindow::Show() {
    if (!hwnd_) {
        return;
    }
    CentreOnScreen(hwnd_);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) {
        SetFocus(first);
    }
}

int FormWindow::Scaled(int length) const { return quillory::Scaled(length, dpi_); }

RECT FormWindow::PlaceOf(const TControl& control) const {
    return RECT{Scaled(control.Left), Scaled(control.Top), Scaled(control.Left + control.Width),
                Scaled(control.Top + control.Height)};
}

HFONT FormWindow::Font(int cellHeight) {
    return fonts_.For(cellHeight != 0 ? cellHeight : form_.FontHeight, dpi_);
}

HACCEL FormWindow::accelerators() const { return menu_ ? menu_->accelerators() : nullptr; }

FormWindow* FormWindow::FormOf(HWND window) {
    return window ? static_cast<FormWindow*>(GetPropW(window, kFormProperty)) : nullptr;
}

NativeControl* FormWindow::ControlOf(HWND child) const {
    for (const auto& control : controls_) {
        if (child && control->hwnd() == child) {
            return control.get();
        }
    }
    return nullptr;
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        SetPropW(window, kFormProperty, reinterpret_cast<HANDLE>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = self->OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kFormProperty);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->focus_ = nullptr;
    }
    return result;
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX: {
            // Each names the control's window its own way.
            const HWND child = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom
                               : message == WM_DRAWITEM || message == WM_MEASUREITEM
                                   ? GetDlgItem(hwnd_, static_cast<int>(wParam))
                                   : reinterpret_cast<HWND>(lParam);
            std::optional<LRESULT> answer;
            if (NativeControl* control = ControlOf(child)) {
                Run([&] { answer = control->OnFormMessage(message, wParam, lParam); });
            }
            return answer ? *answer : DefWindowProcW(hwnd_, message, wParam, lParam);
        }
        case WM_INITMENUPOPUP:
            if (TMenuItem* item =
                    menu_ ? menu_->ItemWithPopup(reinterpret_cast<HMENU>(wParam)) : nullptr) {
                Run([item] { item->Click(); });
            }
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam >= 1 && wParam <= timers_.size()) {
                TTimer* timer = form_.Timers()[wParam - 1];
                Run([timer] { timer->Tick(); });
            }
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case DM_GETDEFID:
            return OnGetDefId();
        case WM_QUERYENDSESSION:
            return OnQueryEndSession();
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            return 0;
        case kDpiChanged:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void FormWindow::OnCreate() {
    const HWND window = hwnd_;
    form_.AttachHandle(window, [window] { DestroyWindow(window); });
    dpi_ = WindowDpi(window);
    MakeControls();
    enabled_ = std::make_unique<NativeEnabled>(form_, window);
    title_ = std::make_unique<NativeTitle>(form_, window);
    UINT_PTR id = 0;
    for (TTimer* timer : form_.Timers()) {
        timers_.push_back(std::make_unique<NativeTimer>(*timer, window, ++id));
    }
}

void FormWindow::MakeControls() {
    for (TControl* control : form_.Controls()) {
        if (std::unique_ptr<NativeControl> native = MakeNative(*control, *this)) {
            controls_.push_back(std::move(native));
        }
    }
}

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_) {
        return;
    }
    // The controls are made again at the new scale: each hands its state to its component as
    // it goes and takes it back as it comes. The focus goes back to the control that had it.
    const HWND focus = GetFocus();
    const int focused = focus && IsChild(hwnd_, focus) ? GetDlgCtrlID(focus) : 0;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    controls_.clear();
    focus_ = nullptr;
    dpi_ = dpi;
    MakeControls();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetClientSize(hwnd_, Scaled(form_.ClientWidth), Scaled(form_.ClientHeight));
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (HWND again = focused != 0 ? GetDlgItem(hwnd_, focused) : nullptr) {
        SetFocus(again);
    }
}

void FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) {
        if (NativeControl* control = ControlOf(reinterpret_cast<HWND>(lParam))) {
            Run([&] { control->OnFormMessage(WM_COMMAND, wParam, lParam); });
        }
        return;
    }
    // 0 from the menu, 1 from a shortcut key.
    TMenuItem* item = form_.Menu ? form_.Menu->ItemWithId(LOWORD(wParam)) : nullptr;
    if (item && HIWORD(wParam) <= 1) {
        Run([item] { item->Click(); });
    }
}

void FormWindow::OnDropFiles(HDROP drop) {
    // While a box or a dialog of the program is open, the window takes no input, drops neither.
    static SystemFunction<decltype(DragQueryFileW)> dragQueryFile("shell32.dll", "DragQueryFileW");
    static SystemFunction<decltype(DragFinish)> dragFinish("shell32.dll", "DragFinish");
    auto* query = dragQueryFile.get();
    auto* finish = dragFinish.get();
    std::vector<std::string> paths;
    if (query && IsWindowEnabled(hwnd_)) {
        const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
            path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
            paths.push_back(Utf8Of(path));
        }
    }
    if (finish) {
        finish(drop);
    }
    if (!paths.empty() && form_.OnDropFiles) {
        Run([this, &paths] { form_.OnDropFiles(paths); });
    }
}

void FormWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(hwnd_, &paint);
    for (const auto& control : controls_) {
        control->PaintOnForm(dc);
    }
    EndPaint(hwnd_, &paint);
}

void FormWindow::OnClose() {
    Run([this] {
        if (form_.OnCloseQuery && !form_.OnCloseQuery()) {
            return;
        }
        if (GetWindow(hwnd_, GW_OWNER)) {
            // The window stays for as long as the showing that waits for this.
            form_.ModalResult = kModalCancel;
        } else {
            form_.Close();
        }
    });
}

LRESULT FormWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) {
            focus_ = focus;
        }
    } else if (focus_ && IsWindow(focus_) && IsChild(hwnd_, focus_) && !HIWORD(wParam)) {
        SetFocus(focus_);
        return 0;
    }
    return DefWindowProcW(hwnd_, WM_ACTIVATE, wParam, lParam);
}

LRESULT FormWindow::OnGetDefId() {
    // Enter presses the push button that has the focus, else the form's declared default
    // button. The dialog manager moves the default style to a push button that the focus
    // reaches by Tab and leaves it there: the style says nothing once the focus has moved on,
    // so the declared button takes it back.
    const HWND focus = GetFocus();
    if (IsChild(hwnd_, focus) && IsPushButton(focus, DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) {
        return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
    }
    HWND declared = nullptr;
    for (const auto& control : controls_) {
        if (control->IsDefaultButton()) {
            declared = control->hwnd();
        } else if (IsPushButton(control->hwnd(), DLGC_DEFPUSHBUTTON)) {
            SendMessageW(control->hwnd(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
        }
    }
    if (!declared) {
        return 0;
    }
    if (!IsPushButton(declared, DLGC_DEFPUSHBUTTON)) {
        SendMessageW(declared, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
    return MAKELRESULT(GetDlgCtrlID(declared), DC_HASDEFID);
}

LRESULT FormWindow::OnQueryEndSession() {
    const std::string unsaved = form_.UnsavedWork ? form_.UnsavedWork() : std::string();
    if (unsaved.empty() || GetWindow(hwnd_, GW_OWNER)) {
        return TRUE;
    }
    // Given first: Windows shows it while the question waits for the user.
    SetBlockReason(hwnd_, unsaved);
    // While a box or dialog of the program waits for the user, nothing can be asked: no.
    bool agreed = false;
    if (IsWindowEnabled(hwnd_)) {
        Run([this, &agreed] { agreed = !form_.OnCloseQuery || form_.OnCloseQuery(); });
    }
    if (agreed) {
        SetBlockReason(hwnd_, "");
    }
    return agreed ? TRUE : FALSE;
}

void FormWindow::OnEndSession(bool ending) {
    SetBlockReason(hwnd_, "");
    if (ending && IsWindowEnabled(hwnd_)) {
        // The user agreed to whatever would be lost: the program ends before the system ends it.
        Run([this] { form_.Close(); });
    }
}

void FormWindow::OnDestroy() {
    // The components keep their controls' last state.
    controls_.clear();
    timers_.clear();
    enabled_.reset();
    title_.reset();
    if (menu_) {
        menu_->Detach();
    }
    form_.AttachHandle(nullptr);
    if (!GetWindow(hwnd_, GW_OWNER)) {
        // Closing the main window ends the program.
        PostQuitMessage(0);
    }
}

}  // namespace quillory
