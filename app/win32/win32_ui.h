#pragma once

#include <windows.h>

#include "app/toolkit/Ui.h"

namespace quillory {

// The modal parts of the user interface as Windows has them: message boxes, the file-open
// dialog and forms shown modally.
class Win32Ui : public Ui {
public:
    // `applicationWindow`: the program's hidden top-level window (see application_window.h).
    explicit Win32Ui(HWND applicationWindow) : applicationWindow_(applicationWindow) {}

    // The window that owns the file-open dialog and the forms shown modally.
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // A box with MB_TASKMODAL (the standard error box) disables every window of the program
    // while it is open, and activates again the window that was active before it.
    int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                       unsigned style) override;
    bool Execute(TOpenDialog& dialog) override;
    // Shows the form's window at the centre of the screen, its owner disabled, until the form's
    // ModalResult becomes other than 0; then hides it again. A form that has no window gets
    // one, owned by the main window: it stays with a form window the program keeps for the
    // form, else only for as long as it is shown.
    void ShowModal(TForm& form) override;
    void ProcessMessages() override;
    WindowHandle ApplicationWindow() override { return applicationWindow_; }

private:
    HWND applicationWindow_;
    HWND mainWindow_ = nullptr;
};

}  // namespace quillory
