#pragma once

#include <windows.h>

#include "app/toolkit/TForm.h"

namespace quillory {

// The native top-level window of a form. It owns the window, remembers which of its controls
// had the keyboard focus when it was last deactivated, and passes every other message to
// OnMessage of the form's own window code.
class FormWindow {
public:
    FormWindow() = default;
    virtual ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND hwnd() const { return hwnd_; }

    // The form of a top-level window; null for a window that is none. Keys in a form's window
    // move the focus and press buttons as in a dialog.
    static FormWindow* FormOf(HWND window);

    // The shortcut keys of the form's menu; null for none.
    HACCEL accelerators() const { return accelerators_; }

protected:
    // Registers a window class of forms once; `icon` may be null.
    static void RegisterFormClass(const char* className, HICON icon, HICON smallIcon);
    // Creates the form's window hidden, with its caption and client size. The window's
    // WM_CREATE reaches OnMessage before this returns.
    HWND CreateFor(const TForm& form, const char* className, DWORD style, DWORD exStyle, HWND owner,
                   HMENU menu);

    // Destroys the window if it is still there. The window code's own destructor calls it,
    // while its members (fonts, images) and its OnMessage are still there.
    void Destroy();

    void SetAccelerators(HACCEL accelerators) { accelerators_ = accelerators; }

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;  // the control to give the focus back to when activated again
    HACCEL accelerators_ = nullptr;
};

}  // namespace quillory
