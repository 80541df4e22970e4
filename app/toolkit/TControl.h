#pragma once

#include <memory>
#include <string>
#include <utility>

namespace quillory {

// A window handle without <windows.h>: HWND on Windows, always null in native tests.
using WindowHandle = void*;

class TForm;
class TPanel;
class TBevel;
class TLabel;
class TButton;
class TEdit;
class TComboBox;
class TProgressBar;

// What the window code does with each kind of control: create its native window, draw it.
class ControlVisitor {
public:
    virtual ~ControlVisitor() = default;
    virtual void Visit(TBevel& bevel) = 0;
    virtual void Visit(TPanel& panel) = 0;
    virtual void Visit(TLabel& label) = 0;
    virtual void Visit(TButton& button) = 0;
    virtual void Visit(TEdit& edit) = 0;
    virtual void Visit(TComboBox& combo) = 0;
    virtual void Visit(TProgressBar& bar) = 0;
};

// What every control of a form has: the id that its native window's notifications carry and
// its place in the form's client area. A control joins its form when it is constructed, so
// the order of a form's members is the controls' stacking order, which is also the order in
// which the Tab key walks those that take the focus.
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

    virtual void Accept(ControlVisitor& visitor) = 0;
    // The native control is going away: what it held stays with the component.
    virtual void Detach() {}
};

// Where a component's state lives: in its widget, which is the native control once the window
// code has attached one (created showing the component's state so far) and, before and after
// that, a plain one in memory, which is all the native tests need. The state is never kept
// in both.
template <typename Widget, typename Plain>
class WidgetSlot {
public:
    Widget& operator*() const { return *widget_; }
    Widget* operator->() const { return widget_.get(); }

    void Attach(std::unique_ptr<Widget> native) { widget_ = std::move(native); }
    // Hands the native control's last state to a plain widget.
    void Detach() { widget_ = std::make_unique<Plain>(*widget_); }

private:
    std::unique_ptr<Widget> widget_ = std::make_unique<Plain>();
};

// The state of a control that is one text: an edit's text, a label's caption.
class TextWidget {
public:
    virtual ~TextWidget() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
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
