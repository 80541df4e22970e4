#pragma once

#include <functional>

#include "app/toolkit/TControl.h"

namespace quillory {

// A timer of the form's window; each tick runs OnTimer.
class TTimer {
public:
    class Widget {
    public:
        virtual ~Widget() = default;
        virtual bool Enabled() const = 0;
        virtual void SetEnabled(bool enabled) = 0;
    };

    explicit TTimer(unsigned interval) : Interval(interval) {}

    const unsigned Interval;  // milliseconds
    std::function<void()> OnTimer;

    bool Enabled() const { return widget->Enabled(); }
    void SetEnabled(bool enabled) { widget->SetEnabled(enabled); }

    // Called by the window code on each tick.
    void Tick() {
        if (Enabled() && OnTimer) {
            OnTimer();
        }
    }

private:
    class Plain : public Widget {
    public:
        Plain() = default;
        explicit Plain(const Widget& from) : enabled_(from.Enabled()) {}
        bool Enabled() const override { return enabled_; }
        void SetEnabled(bool enabled) override { enabled_ = enabled; }

    private:
        bool enabled_ = false;
    };

public:
    WidgetSlot<Widget, Plain> widget;
};

}  // namespace quillory
