#include "window_system.h"

#include <algorithm>

namespace {

// The clock wraps like a 32-bit tick count, so times compare by difference.
bool IsDue(std::uint32_t due, std::uint32_t now) {
    return static_cast<std::int32_t>(now - due) >= 0;
}

} // namespace

std::uint32_t SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || id == 0) {
        return 0;
    }
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    const std::uint32_t due = CurrentBackend().Now() + period;
    for (Timer& timer : System().timers) {
        if (timer.window == live && timer.id == id) {
            timer.period = period; // setting it again starts the period anew
            timer.due = due;
            return id;
        }
    }
    System().timers.push_back(Timer{live, id, period, due});
    return id;
}

bool KillTimer(WindowHandle window, std::uint32_t id) {
    return std::erase_if(System().timers, [window, id](const Timer& timer) {
               return timer.window == window && timer.id == id;
           }) > 0;
}

void KillTimersOf(const PlatformWindow* window) {
    std::erase_if(System().timers, [window](const Timer& timer) { return timer.window == window; });
}

bool TakeDueTimer(Message& message) {
    const std::uint32_t now = CurrentBackend().Now();
    Timer* earliest = nullptr;
    for (Timer& timer : System().timers) {
        if (IsDue(timer.due, now) &&
            (earliest == nullptr || static_cast<std::int32_t>(timer.due - earliest->due) < 0)) {
            earliest = &timer;
        }
    }
    if (earliest == nullptr) {
        return false;
    }
    // However late, one message; the next one a whole period from now.
    earliest->due = now + earliest->period;
    message = Message{earliest->window, wm::timer, earliest->id, 0, now};
    return true;
}

bool NextTimerDeadline(std::uint32_t& deadline) {
    const std::uint32_t now = CurrentBackend().Now();
    bool any = false;
    for (const Timer& timer : System().timers) {
        const std::uint32_t due = IsDue(timer.due, now) ? now : timer.due;
        if (static_cast<std::int32_t>(due - deadline) < 0) {
            deadline = due;
            any = true;
        }
    }
    return any;
}
