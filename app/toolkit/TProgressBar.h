#pragma once

#include "app/toolkit/TControl.h"

namespace quillory {

class TProgressBar : public TControl {
public:
    class Widget {
    public:
        virtual ~Widget() = default;
        virtual int Position() const = 0;
        virtual void SetPosition(int position) = 0;
        virtual int Max() const = 0;
        virtual void SetMax(int max) = 0;
    };

    TProgressBar(TForm& form, int id, Place place) : TControl(form, id, place, false) {}

    int Position() const { return widget->Position(); }
    // Kept within 0 and the maximum.
    void SetPosition(int position) {
        widget->SetPosition(position < 0 ? 0 : position > Max() ? Max() : position);
    }
    int Max() const { return widget->Max(); }
    void SetMax(int max) {
        if (Position() > max) {
            widget->SetPosition(max);
        }
        widget->SetMax(max);
    }

private:
    class Plain : public Widget {
    public:
        Plain() = default;
        explicit Plain(const Widget& from) : position_(from.Position()), max_(from.Max()) {}
        int Position() const override { return position_; }
        void SetPosition(int position) override { position_ = position; }
        int Max() const override { return max_; }
        void SetMax(int max) override { max_ = max; }

    private:
        int position_ = 0;
        int max_ = 100;
    };

public:
    WidgetSlot<Widget, Plain> widget;
};

}  // namespace quillory
