#pragma once

#include <functional>

namespace quillory {

// Dispatches the thread's messages until the program quits; returns the quit code. Keys in the
// program's forms choose the items of their menus' shortcuts, and move the focus and press
// buttons as they do in a dialog: Tab and the arrows, Enter for the default button, Space for
// the focused one.
int RunMessageLoop();

// Dispatches the messages that wait, the same way, and returns. A quit request is left for the
// outer loop.
void DispatchWaitingMessages();

// Dispatches messages the same way until `done` is true, for a form shown modally. A quit
// request ends it too, and is left for the outer loop.
void RunModalLoop(const std::function<bool()>& done);

}  // namespace quillory
