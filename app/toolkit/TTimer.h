#pragma once

#include <functional>

#include "app/toolkit/TControl.h"

namespace quillory {

// A timer of the form's window; each tick runs OnTimer.
class TTimer {
public:
    explicit TTimer(unsigned interval) : Interval(interval) {}

    const unsigned Interval;  // milliseconds
    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // The window whose messages carry the ticks; set by the window code.
    void AttachWindow(WindowHandle window);
    // Called by the window code on each tick.
    void Tick();

private:
    void Sync();

    bool enabled_ = false;
    WindowHandle window_ = nullptr;
};

}  // namespace quillory
