#pragma once

#include <exception>

#include "app/toolkit/Ui.h"

namespace quillory {

// The standard error box: the error's message (with its full stop), captioned with the
// application's title, stop icon, OK; modal to the whole program.
void ShowErrorBox(Ui& ui, const std::exception& error);

// Runs one handler as the event loop does: an error that ends it is shown in the standard error
// box, and the program goes on.
template <typename Handler>
void RunHandler(Ui& ui, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(ui, error);
    }
}

}  // namespace quillory
