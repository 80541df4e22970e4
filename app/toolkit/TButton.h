#pragma once

#include <functional>
#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A bitmap resource of the program shown on a button; with two glyphs it holds the normal
// image and the one of the disabled button side by side.
struct TGlyph {
    int Resource = 0;  // none
    int Count = 1;
};

// A push button; with a glyph it shows the image left of its caption.
class TButton : public TControl {
public:
    // What changes of a button: its caption, and whether it can be pressed.
    class Widget : public TextWidget, public EnabledWidget {};

    enum class Kind {
        Push,     // a plain button
        Default,  // a plain button that Enter presses
        Bitmap,   // a button with an image
        Speed,    // a button with an image that never takes the keyboard focus
    };
    TButton(TForm& form, int id, Place place, std::string caption, Kind kind = Kind::Push,
            TGlyph glyph = {})
        : TControl(form, id, place, kind != Kind::Speed), ButtonKind(kind), Image(glyph) {
        widget->SetText(caption);
    }

    const Kind ButtonKind;
    const TGlyph Image;

    std::function<void()> OnClick;
    // Called by the window code when the button is pressed.
    void Click() {
        if (OnClick) {
            OnClick();
        }
    }

    std::string Caption() const { return widget->Text(); }
    void SetCaption(const std::string& caption) { widget->SetText(caption); }
    // A disabled button is greyed and cannot be pressed.
    bool Enabled() const { return widget->Enabled(); }
    void SetEnabled(bool enabled) { widget->SetEnabled(enabled); }

private:
    class Plain : public Widget {
    public:
        Plain() = default;
        explicit Plain(const Widget& from) : caption_(from.Text()), enabled_(from.Enabled()) {}
        std::string Text() const override { return caption_; }
        void SetText(const std::string& caption) override { caption_ = caption; }
        bool Enabled() const override { return enabled_; }
        void SetEnabled(bool enabled) override { enabled_ = enabled; }

    private:
        std::string caption_;
        bool enabled_ = true;
    };

public:
    WidgetSlot<Widget, Plain> widget;
};

}  // namespace quillory
