#pragma once

#include <memory>
#include <vector>

#include <windows.h>

#include <shellapi.h>

#include "app/toolkit/TForm.h"
#include "app/toolkit/Ui.h"
#include "app/win32/font.h"

namespace quillory {

class MenuBar;
class NativeControl;
class NativeEnabled;
class NativeTitle;
class NativeTimer;

// The native top-level window of any form: made as the form declares it (class, caption,
// border, icon, menu, drops), with the native control of each of its components. It passes the
// messages of a control's window to that control, runs the form's events (an error that ends
// one shows in the standard error box) and remembers which control had the keyboard focus when
// it was last deactivated. A form without an owner is the main window: closing it ends the
// program; closing an owned one ends its modal showing.
class FormWindow {
public:
    FormWindow(TForm& form, Ui& ui);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Makes the window, hidden, with its controls, then runs the form's OnCreate.
    void Create(HWND owner);
    // Shows the window at the centre of the screen with the focus on its first control that
    // takes it.
    void Show();

    HWND hwnd() const { return hwnd_; }
    TForm& form() const { return form_; }
    // The dots per inch that the window is laid out for, and a length of the form's 96-DPI
    // design at that scale.
    int Dpi() const { return dpi_; }
    int Scaled(int length) const;
    // A control's place in the client area at the window's scale.
    RECT PlaceOf(const TControl& control) const;
    // The form's font, or one whose cells are `cellHeight` pixels high in the design; 0 for the
    // form's. At the window's scale.
    HFONT Font(int cellHeight = 0);
    // The shortcut keys of the form's menu; null for none.
    HACCEL accelerators() const;

    // The form window of a top-level window; null for a window that is none. Keys in a form's
    // window move the focus and press buttons as in a dialog.
    static FormWindow* FormOf(HWND window);
    // The form window made for `form`, whether its window exists yet or not; null for none.
    static FormWindow* For(const TForm& form);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    // Makes the native control of each component, at the window's scale.
    void MakeControls();
    // The window moved to a screen of another scale: lays itself out again for it.
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnDropFiles(HDROP drop);
    void OnPaint();
    void OnClose();
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDefId();
    LRESULT OnQueryEndSession();
    void OnEndSession(bool ending);
    void OnDestroy();
    // The native control whose window is `child`; null for none.
    NativeControl* ControlOf(HWND child) const;
    // Runs an event of the form as the event loop does.
    template <typename Event>
    void Run(Event&& event);

    TForm& form_;
    Ui& ui_;
    HWND hwnd_ = nullptr;
    HWND focus_ = nullptr;  // the control to give the focus back to when activated again
    int dpi_ = 96;
    Fonts fonts_;
    std::unique_ptr<MenuBar> menu_;
    std::vector<std::unique_ptr<NativeControl>> controls_;
    std::vector<std::unique_ptr<NativeTimer>> timers_;
    std::unique_ptr<NativeEnabled> enabled_;
    std::unique_ptr<NativeTitle> title_;
};

}  // namespace quillory
