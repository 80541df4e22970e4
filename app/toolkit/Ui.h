#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

class TOpenDialog;
class TForm;

// Message box styles and answers, as MessageBox takes and gives them.
enum : unsigned {
    kMbOk = 0x00,
    kMbOkCancel = 0x01,
    kMbYesNoCancel = 0x03,
    kMbIconStop = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbDefButton2 = 0x100,
    kMbTaskModal = 0x2000,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// The modal parts of the user interface: what waits for the user. The Win32 one shows real
// boxes and dialogs; tests answer in their place.
class Ui {
public:
    virtual ~Ui() = default;

    // `text` and `caption` in UTF-8.
    virtual int ShowMessageBox(WindowHandle owner, const std::string& text,
                               const std::string& caption, unsigned style) = 0;
    // Runs the dialog; true with dialog.FileName set when the user chose a file.
    virtual bool Execute(TOpenDialog& dialog) = 0;
    // Shows the form modally until it is closed.
    virtual void ShowModal(TForm& form) = 0;
    // Lets the windows answer and repaint in the middle of a long piece of work: runs the
    // events that wait.
    virtual void ProcessMessages() = 0;
    // The application's own hidden top-level window, owner of the standard error box.
    virtual WindowHandle ApplicationWindow() = 0;
};

}  // namespace quillory
