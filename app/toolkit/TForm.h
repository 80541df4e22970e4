#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/toolkit/TControl.h"

namespace quillory {

class TMainMenu;
class TTimer;

// A top-level window of the program, holding its controls. What one form's window differs in
// from another's is declared here; the window code reads it and has nothing of its own per form.
class TForm {
public:
    enum class Border {
        Single,  // a main window: caption, system menu, minimize box, fixed size
        Dialog,  // a box: dialog frame, system menu with Move and Close only
    };

    // `className` names the native window's class, which tools find it by; `fontHeight` is the
    // cell height in pixels of the "MS Sans Serif" that every control uses.
    TForm(std::string className, std::string caption, int clientWidth, int clientHeight,
          int fontHeight, Border border)
        : ClassName(std::move(className)),
          ClientWidth(clientWidth),
          ClientHeight(clientHeight),
          FontHeight(fontHeight),
          FormBorder(border) {
        title->SetText(caption);
    }
    virtual ~TForm() = default;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    const std::string ClassName;
    const int ClientWidth, ClientHeight;
    const int FontHeight;
    const Border FormBorder;
    // The program's icon resource shown in the title bar; 0 for none.
    int Icon = 0;
    // The menu bar; none when null.
    TMainMenu* Menu = nullptr;

    // Run once the window and its controls exist.
    std::function<void()> OnCreate;
    // Asked when the user closes the window; false keeps it open. Without it, the window closes.
    std::function<bool()> OnCloseQuery;
    // What the end of the user's session (log-off, shutdown, restart) would lose now, in words
    // for the system's list of programs that keep it from ending; empty for nothing. While there
    // is something, the session ends only after OnCloseQuery agrees, as a close does.
    std::function<std::string()> UnsavedWork;
    // Files dropped on the window, by their paths in UTF-8. Without it, the window takes no drop.
    std::function<void(const std::vector<std::string>& paths)> OnDropFiles;

    // The controls in their stacking order, and the form's timers.
    const std::vector<TControl*>& Controls() const { return controls_; }
    const std::vector<TTimer*>& Timers() const { return timers_; }
    void Add(TControl& control) { controls_.push_back(&control); }
    void Add(TTimer& timer) { timers_.push_back(&timer); }

    WindowHandle Handle() const { return handle_; }
    // Set by the window code; `close` destroys the native window.
    void AttachHandle(WindowHandle handle, std::function<void()> close = {}) {
        handle_ = handle;
        destroy_ = std::move(close);
    }

    // The title bar's text.
    std::string Caption() const { return title->Text(); }
    void SetCaption(const std::string& caption) { title->SetText(caption); }
    WidgetSlot<TextWidget, PlainText> title;

    // A disabled window takes no input (no click, key, drop or close) but still repaints.
    bool Enabled() const { return enabled->Enabled(); }
    void SetEnabled(bool on) { enabled->SetEnabled(on); }
    WidgetSlot<EnabledWidget, PlainEnabled<true>> enabled;

    // Closes the window without asking anything. Closing the main window ends the program.
    void Close();
    bool Closed() const { return closed_; }

    // While the form is shown modally: 0; a value other than 0 ends the showing
    // (1: OK, 2: closed by its title bar or cancelled).
    int ModalResult = 0;

private:
    std::vector<TControl*> controls_;
    std::vector<TTimer*> timers_;
    WindowHandle handle_ = nullptr;
    std::function<void()> destroy_;
    bool closed_ = false;
};

// Modal results.
inline constexpr int kModalOk = 1;
inline constexpr int kModalCancel = 2;

}  // namespace quillory
