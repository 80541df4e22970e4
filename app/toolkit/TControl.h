#pragma once

#include <string>

namespace quillory {

// A window handle without <windows.h>: HWND on Windows, always null in native tests.
using WindowHandle = void*;

class TForm;
class TPanel;

// What every control of a form has: the id that its native window's notifications carry and
// its place in the form's client area. A control joins its form when it is constructed, so
// the order of a form's members is the controls' stacking order, which is also the order in
// which the Tab key walks those that take the focus. The window code gives each kind of control
// its native window; the component knows nothing of it but the widget it lends its state to.
class TControl {
public:
    struct Place {
        int Left, Top, Width, Height;
    };

    TControl(TForm& form, int id, Place place, bool tabStop);
    // A control on a panel, placed relative to it.
    TControl(TPanel& panel, int id, Place place, bool tabStop);
    virtual ~TControl() = default;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    const int Id;  // 0 for controls that send no notifications
    const int Left, Top, Width, Height;
    const bool TabStop;
};

// Where a component's state lives: in its widget, which is the native control while the window
// code has one attached (created showing the component's state so far) and, before and after
// that, a plain one in memory, which is all the native tests need. The state is never kept in
// both: a native control hands its last state back when it goes.
template <typename Widget, typename Plain>
class WidgetSlot {
public:
    WidgetSlot() = default;
    WidgetSlot(const WidgetSlot&) = delete;
    WidgetSlot& operator=(const WidgetSlot&) = delete;

    Widget& operator*() const { return *current_; }
    Widget* operator->() const { return current_; }

    // `native`, which already shows the state, holds it from now on.
    void Attach(Widget& native) { current_ = &native; }
    // The native control is going away: its last state goes back to the plain widget.
    void Detach() {
        if (current_ != &plain_) {
            plain_ = Plain(*current_);
            current_ = &plain_;
        }
    }

private:
    Plain plain_;
    Widget* current_ = &plain_;
};

// The state of a control that is one text: an edit's text, a label's caption.
class TextWidget {
public:
    virtual ~TextWidget() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // Takes the keyboard focus, where the text is one the user types.
    virtual void Focus() {}
};

class PlainText : public TextWidget {
public:
    PlainText() = default;
    explicit PlainText(const TextWidget& from) : text_(from.Text()) {}
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }

private:
    std::string text_;
};

// The state of what is switched on and off: a timer that runs, a menu item that can be chosen.
class EnabledWidget {
public:
    virtual ~EnabledWidget() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

template <bool Initially>
class PlainEnabled : public EnabledWidget {
public:
    PlainEnabled() = default;
    explicit PlainEnabled(const EnabledWidget& from) : enabled_(from.Enabled()) {}
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }

private:
    bool enabled_ = Initially;
};

}  // namespace quillory
