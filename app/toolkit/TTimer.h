#pragma once

#include <cstdint>
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
    // The timer's id in the window's timer messages.
    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(this); }
    // Called by the window code on each tick.
    void Tick();

private:
    void Sync();

    bool enabled_ = false;
    WindowHandle window_ = nullptr;
};

}  // namespace quillory
