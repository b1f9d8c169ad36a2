#include "window_system.h"

WindowHandle SetFocus(WindowHandle window) {
    WindowSystem& system = System();
    PlatformWindow* previous = system.focus;
    PlatformWindow* next = LiveWindow(window);
    if (window != nullptr && (next == nullptr || next->destroying)) {
        return previous;
    }
    if (next == previous) {
        return previous;
    }
    // The old focus hears first, naming the new one; then the new one.
    system.focus = next;
    if (LiveWindow(previous) != nullptr) {
        SendMessage(previous, wm::killFocus, reinterpret_cast<WParam>(next), 0);
    }
    if (next != nullptr && system.focus == next && LiveWindow(next) != nullptr) {
        SendMessage(next, wm::setFocus, reinterpret_cast<WParam>(previous), 0);
    }
    return previous;
}

WindowHandle GetFocus() {
    return System().focus;
}

WindowHandle SetCapture(WindowHandle window) {
    WindowSystem& system = System();
    PlatformWindow* previous = system.capture;
    system.capture = LiveWindow(window);
    return previous;
}

void ReleaseCapture() {
    System().capture = nullptr;
}

WindowHandle GetCapture() {
    return System().capture;
}

WindowHandle GetActiveWindow() {
    WindowSystem& system = System();
    if (!system.appActive) {
        return nullptr;
    }
    if (system.focus != nullptr) {
        return RootOf(system.focus);
    }
    return system.mainWindow;
}

namespace {

// A disabled main window is never the active one: while a modal dialog
// holds it, the dialog is activated in its place.
PlatformWindow* ActivationTarget() {
    WindowSystem& system = System();
    if (system.mainWindow->enabled) {
        return system.mainWindow;
    }
    for (auto at = system.topLevels.rbegin(); at != system.topLevels.rend(); ++at) {
        PlatformWindow* top = *at;
        if (top != system.mainWindow && !top->isMenuPopup && top->visible && top->enabled &&
            top->parent == system.mainWindow) {
            return top;
        }
    }
    return system.mainWindow;
}

} // namespace

void SetApplicationActive(bool active) {
    WindowSystem& system = System();
    if (system.appActive == active || system.mainWindow == nullptr) {
        return;
    }
    system.appActive = active;
    if (active) {
        // A window about to take the keyboard may realize its palette first.
        SendMessage(system.mainWindow, wm::queryNewPalette, 0, 0);
    }
    SendMessage(ActivationTarget(), wm::activate, active ? 1 : 0, 0);
}

void DropFocusAndCaptureIn(const PlatformWindow* window) {
    WindowSystem& system = System();
    if (system.focus != nullptr && IsInSubtree(system.focus, window)) {
        system.focus = nullptr;
    }
    if (system.capture != nullptr && IsInSubtree(system.capture, window)) {
        system.capture = nullptr;
    }
}
