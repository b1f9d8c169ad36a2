#include "window_system.h"

ContextHandle GetWindowContext(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr ? live->context : nullptr;
}

// The whole client area is invalidated and repainted: windows here are
// small and keep their pixels, so update regions would buy nothing.
void InvalidateRect(WindowHandle window, const Rect*, bool) {
    if (window == nullptr) {
        for (const auto& owned : System().windows) {
            owned->invalid = true;
        }
        return;
    }
    if (PlatformWindow* live = LiveWindow(window)) {
        live->invalid = true;
    }
}

ContextHandle BeginPaint(WindowHandle window) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr) {
        return nullptr;
    }
    live->invalid = false;
    return live->context;
}

void EndPaint(WindowHandle) {}

void UpdateWindow(WindowHandle window) {
    PlatformWindow* live = LiveWindow(window);
    if (live != nullptr && live->invalid && IsEffectivelyVisible(live)) {
        DispatchMessage(Message{live, wm::paint, 0, 0, CurrentBackend().Now()});
    }
}
