#pragma once

#include <windows.h>

namespace quillory {

// The program's own hidden top-level window, named with the application's title. It owns the
// standard error box.
class ApplicationWindow {
public:
    explicit ApplicationWindow(const char* title);
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

}  // namespace quillory
