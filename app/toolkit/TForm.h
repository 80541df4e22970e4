#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/toolkit/TControl.h"

namespace quillory {

// A top-level window of the program, holding its controls.
class TForm {
public:
    TForm(std::string caption, int clientWidth, int clientHeight)
        : Caption(std::move(caption)), ClientWidth(clientWidth), ClientHeight(clientHeight) {}
    virtual ~TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    const std::string Caption;
    const int ClientWidth, ClientHeight;

    // The controls in their stacking order.
    const std::vector<TControl*>& Controls() const { return controls_; }
    // The control whose notifications carry `id`; null when there is none.
    TControl* ControlWithId(int id) const;
    void Add(TControl& control) { controls_.push_back(&control); }

    WindowHandle Handle() const { return handle_; }
    // Set by the window code; `close` destroys the native window.
    void AttachHandle(WindowHandle handle, std::function<void()> close = {}) {
        handle_ = handle;
        destroy_ = std::move(close);
    }

    // Closes the window without asking anything. Closing the main window ends the program.
    void Close();
    bool Closed() const { return closed_; }

    // While the form is shown modally: 0; a value other than 0 ends the showing
    // (1: OK, 2: closed by its title bar).
    int ModalResult = 0;

private:
    std::vector<TControl*> controls_;
    WindowHandle handle_ = nullptr;
    std::function<void()> destroy_;
    bool closed_ = false;
};

}  // namespace quillory
