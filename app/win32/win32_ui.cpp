#include "app/win32/win32_ui.h"

#include <commdlg.h>

#include <memory>
#include <vector>

#include "app/toolkit/TForm.h"
#include "app/toolkit/TOpenDialog.h"
#include "app/win32/form_window.h"
#include "app/win32/message_loop.h"
#include "app/win32/placement.h"
#include "platform/system_library_win32.h"
#include "platform/wide_win32.h"

namespace quillory {
namespace {

// Room for any path the dialog can give, far beyond MAX_PATH.
constexpr std::size_t kPathBuffer = 32768;

// Disables the visible, enabled top-level windows of the program's thread for as long as it
// lives, then enables them again and activates the window that was active.
class ThreadWindowsDisabled {
public:
    ThreadWindowsDisabled() : active_(GetActiveWindow()) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(&disabled_));
    }
    ~ThreadWindowsDisabled() {
        for (HWND window : disabled_) {
            EnableWindow(window, TRUE);
        }
        if (active_ && IsWindow(active_)) {
            SetActiveWindow(active_);
        }
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM list) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
    }

    HWND active_;
    std::vector<HWND> disabled_;
};

}  // namespace

int Win32Ui::ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                            unsigned style) {
    const auto window = static_cast<HWND>(owner);
    if (style & MB_TASKMODAL) {
        // With an owner, Windows itself disables only the owner. The owner is hidden, so the
        // box asks for the foreground itself: it may come before any window of the program.
        ThreadWindowsDisabled disabled;
        return ::MessageBoxW(window, WideOf(text).c_str(), WideOf(caption).c_str(),
                             style | MB_SETFOREGROUND);
    }
    return ::MessageBoxW(window, WideOf(text).c_str(), WideOf(caption).c_str(), style);
}

bool Win32Ui::Execute(TOpenDialog& dialog) {
    // The wide dialog, so that any name the user can pick comes back whole; the settings are
    // the program's own ASCII texts.
    const std::wstring filter = WideOf(dialog.FilterList());
    const std::wstring extension = WideOf(dialog.DefaultExtension());
    const std::wstring initialDir = WideOf(dialog.InitialDir);
    const std::wstring title = WideOf(dialog.Title);
    std::vector<wchar_t> path(kPathBuffer, L'\0');
    const std::wstring chosen = WideOf(dialog.FileName);
    if (chosen.size() < path.size()) {
        chosen.copy(path.data(), chosen.size());
    }

    OPENFILENAMEW settings{};
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = mainWindow_;
    settings.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    settings.nFilterIndex = 1;
    settings.lpstrFile = path.data();
    settings.nMaxFile = static_cast<DWORD>(path.size());
    settings.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    settings.lpstrTitle = title.empty() ? nullptr : title.c_str();
    settings.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    settings.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
    if (dialog.HideReadOnly) {
        settings.Flags |= OFN_HIDEREADONLY;
    }
    if (dialog.PathMustExist) {
        settings.Flags |= OFN_PATHMUSTEXIST;
    }
    if (dialog.FileMustExist) {
        settings.Flags |= OFN_FILEMUSTEXIST;
    }
    static SystemFunction<decltype(GetOpenFileNameW)> getOpenFileName("comdlg32.dll",
                                                                      "GetOpenFileNameW");
    auto* open = getOpenFileName.get();
    if (!open || !open(&settings)) {
        return false;
    }
    path.back() = L'\0';
    dialog.FileName = Utf8Of(path.data());
    return true;
}

void Win32Ui::ProcessMessages() { DispatchWaitingMessages(); }

void Win32Ui::ShowModal(TForm& form) {
    // A form without a window gets one owned by the main window: for this showing, unless the
    // program keeps a form window for the form.
    std::unique_ptr<FormWindow> made;
    FormWindow* formWindow = FormWindow::For(form);
    if (!formWindow) {
        made = std::make_unique<FormWindow>(form, *this);
        formWindow = made.get();
    }
    if (!form.Handle()) {
        formWindow->Create(mainWindow_);
    }
    const auto window = static_cast<HWND>(form.Handle());
    if (!window) {
        return;
    }
    const HWND owner = GetWindow(window, GW_OWNER);
    form.ModalResult = 0;
    CentreOnScreen(window);
    if (owner) {
        EnableWindow(owner, FALSE);
    }
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) {
        SetFocus(first);
    }
    RunModalLoop([&] { return form.ModalResult != 0 || !IsWindow(window); });
    // The owner takes the activation before the form goes, so that the keyboard focus never
    // falls to no window of the program in between.
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (IsWindow(window)) {
        ShowWindow(window, SW_HIDE);
    }
}

}  // namespace quillory
