#pragma once

#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A top-level window of the program.
class TForm {
public:
    TForm(std::string caption, int clientWidth, int clientHeight)
        : Caption(std::move(caption)), ClientWidth(clientWidth), ClientHeight(clientHeight) {}
    virtual ~TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    const std::string Caption;
    const int ClientWidth, ClientHeight;

    WindowHandle Handle() const { return handle_; }
    void AttachHandle(WindowHandle handle) { handle_ = handle; }

    // Closes the window without asking anything. Closing the main window ends the program.
    void Close();
    bool Closed() const { return closed_; }

    // While the form is shown modally: 0; a value other than 0 ends the showing
    // (1: OK, 2: closed by its title bar).
    int ModalResult = 0;

protected:
    WindowHandle handle_ = nullptr;
    bool closed_ = false;
};

}  // namespace quillory
