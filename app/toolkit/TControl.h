#pragma once

#include <string>

namespace quillory {

// A window handle without <windows.h>: HWND on Windows, always null in native tests.
using WindowHandle = void*;

// What every component has: a name, a place in its parent's client area and, once the window
// code has created it, its native window. Components keep their own state and mirror it into
// the native window when there is one, so the form's handlers run the same with or without.
class TControl {
public:
    TControl(std::string name, int left, int top, int width, int height)
        : Name(std::move(name)), Left(left), Top(top), Width(width), Height(height) {}
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const std::string Name;
    int Left, Top, Width, Height;
    int TabOrder = -1;  // -1: not reached by the Tab key

    WindowHandle Handle() const { return handle_; }
    void AttachHandle(WindowHandle handle) { handle_ = handle; }

protected:
    WindowHandle handle_ = nullptr;
};

}  // namespace quillory
