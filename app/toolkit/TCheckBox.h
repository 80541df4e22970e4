#pragma once

#include <functional>
#include <string>

#include "app/toolkit/TControl.h"

namespace quillory {

// A check box with its caption at its right; the user checks and clears it.
class TCheckBox : public TControl {
public:
    class Widget {
    public:
        virtual ~Widget() = default;
        virtual bool Checked() const = 0;
        virtual void SetChecked(bool checked) = 0;
    };

    TCheckBox(TForm& form, int id, Place place, std::string caption, bool checked)
        : TControl(form, id, place, true), Caption(std::move(caption)) {
        widget->SetChecked(checked);
    }

    const std::string Caption;

    // Run when the user checks or clears the box.
    std::function<void()> OnClick;
    // Called by the window code once the box has changed.
    void Click() {
        if (OnClick) {
            OnClick();
        }
    }

    bool Checked() const { return widget->Checked(); }
    void SetChecked(bool checked) { widget->SetChecked(checked); }

private:
    class Plain : public Widget {
    public:
        Plain() = default;
        explicit Plain(const Widget& from) : checked_(from.Checked()) {}
        bool Checked() const override { return checked_; }
        void SetChecked(bool checked) override { checked_ = checked; }

    private:
        bool checked_ = false;
    };

public:
    WidgetSlot<Widget, Plain> widget;
};

}  // namespace quillory
