#pragma once

#include <functional>

#include "app/toolkit/TControl.h"
#include "app/toolkit/TForm.h"

namespace quillory {

// A timer of the form's window; each tick runs OnTimer.
class TTimer {
public:
    TTimer(TForm& form, unsigned interval) : Interval(interval) { form.Add(*this); }
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

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

    WidgetSlot<EnabledWidget, PlainEnabled<false>> widget;
};

}  // namespace quillory
