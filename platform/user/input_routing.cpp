#include "platform/user/dialog.h"
#include "window_geometry.h"
#include "window_system.h"

namespace {

constexpr LParam repeatFlag = LParam{1} << 30;
constexpr LParam releasedFlags = (LParam{1} << 30) | (LParam{1} << 31);

// Keys go to the focus, or to the active top-level window when nothing has
// the focus; a disabled window gets none.
PlatformWindow* KeyTarget() {
    WindowSystem& system = System();
    PlatformWindow* target = system.focus;
    if (target == nullptr) {
        target = LiveWindow(GetActiveWindow());
    }
    return target != nullptr && IsEffectivelyEnabled(target) ? target : nullptr;
}

bool HitsWindow(PlatformWindow* window, std::int32_t x, std::int32_t y) {
    std::int32_t left = 0;
    std::int32_t top = 0;
    ClientOriginOnScreen(window, left, top);
    return x >= left && y >= top && x < left + window->width && y < top + window->height;
}

// A framed child's border belongs to it, not to the window under it.
bool HitsChildFrame(PlatformWindow* child, std::int32_t x, std::int32_t y) {
    if (child->frameSurface == nullptr || child->parent == nullptr) {
        return false;
    }
    std::int32_t left = 0;
    std::int32_t top = 0;
    ClientOriginOnScreen(child->parent, left, top);
    left += child->outer.x;
    top += child->outer.y;
    return x >= left && y >= top && x < left + child->outer.width && y < top + child->outer.height;
}

// The topmost visible child under the point, else the window itself.
PlatformWindow* DeepestAt(PlatformWindow* window, std::int32_t x, std::int32_t y) {
    for (auto at = window->children.rbegin(); at != window->children.rend(); ++at) {
        if ((*at)->transparentToMouse) {
            continue;
        }
        if ((*at)->visible && HitsWindow(*at, x, y)) {
            return DeepestAt(*at, x, y);
        }
        if ((*at)->visible && HitsChildFrame(*at, x, y)) {
            return *at;
        }
    }
    return window;
}

bool HitsFrame(const PlatformWindow* window, std::int32_t x, std::int32_t y) {
    const Rect& outer = window->outer;
    return window->frameSurface != nullptr && x >= outer.x && y >= outer.y &&
           x < outer.x + outer.width && y < outer.y + outer.height;
}

enum class Hit { Nothing, Client, MenuBar, Frame };

Hit WindowAt(std::int32_t x, std::int32_t y, PlatformWindow*& found) {
    const auto& topLevels = System().topLevels;
    for (auto at = topLevels.rbegin(); at != topLevels.rend(); ++at) {
        PlatformWindow* top = *at;
        if (!top->visible) {
            continue;
        }
        found = top;
        if (HitsWindow(top, x, y)) {
            found = DeepestAt(top, x, y);
            return Hit::Client;
        }
        if (ShowsMenuBar(top) && y >= 0 && y < menuBarHeight && x >= 0 && x < top->width) {
            return Hit::MenuBar;
        }
        if (HitsFrame(top, x, y)) {
            return Hit::Frame;
        }
    }
    found = nullptr;
    return Hit::Nothing;
}

bool RouteKey(const InputEvent& event, std::uint32_t time, Message& message) {
    WindowSystem& system = System();
    const bool down = event.kind == InputEvent::Kind::KeyDown;
    const int key = event.virtualKey;
    if (key == vk::alt) {
        if (down && !event.repeat) {
            system.altAlone = true;
        }
        system.altTappedAlone = !down && system.altAlone;
    } else if (down) {
        system.altAlone = false;
    }
    NoteModifierKey(key, down);
    const bool isSystemKey = system.altDown || key == vk::alt || key == vk::f10;
    std::uint32_t kind = down ? wm::keyDown : wm::keyUp;
    if (isSystemKey) {
        kind = down ? wm::sysKeyDown : wm::sysKeyUp;
    }
    PlatformWindow* target = KeyTarget();
    const auto keyParam = static_cast<WParam>(key);
    if (!down) {
        // A window that got the press but is behind a modal dialog now hears
        // the release when the dialog is gone; the focus gets it as ever.
        PlatformWindow* holder = LiveWindow(TakeHolder(wm::keyUp, keyParam));
        if (holder != nullptr && holder != target && !IsEffectivelyEnabled(holder)) {
            KeepReleaseForLater(wm::keyUp, keyParam, holder);
        }
    }
    if (target == nullptr) {
        return false;
    }
    if (down) {
        NotePress(wm::keyUp, keyParam, target);
    }
    const LParam flags = down ? (event.repeat ? repeatFlag : 0) : releasedFlags;
    message = Message{target, kind, keyParam, flags, time};
    return true;
}

bool RouteMouse(const InputEvent& event, std::uint32_t time, Message& message) {
    WindowSystem& system = System();
    std::uint32_t kind = wm::mouseMove;
    if (event.kind == InputEvent::Kind::MouseDown) {
        kind = wm::lButtonDown;
        system.altAlone = false;
    } else if (event.kind == InputEvent::Kind::MouseUp) {
        kind = wm::lButtonUp;
    }
    PlatformWindow* target = system.capture;
    if (kind == wm::lButtonUp) {
        // As with keys: a window the button was pressed in but that a modal
        // dialog now disables hears the release when the dialog is gone.
        PlatformWindow* holder = LiveWindow(TakeHolder(wm::lButtonUp, 0));
        if (holder != nullptr && holder != target && !IsEffectivelyEnabled(holder)) {
            KeepReleaseForLater(wm::lButtonUp, 0, holder);
        }
    }
    if (target == nullptr) {
        const Hit hit = WindowAt(event.x, event.y, target);
        if (hit == Hit::MenuBar && kind == wm::lButtonDown && IsEffectivelyEnabled(target)) {
            message = Message{target, wm::ncLButtonDown, 0, MakePointParam(event.x, event.y), time};
            return true;
        }
        if (hit == Hit::Frame && kind == wm::lButtonDown && IsEffectivelyEnabled(target) &&
            HitsCloseBox(target, event.x, event.y)) {
            SendMessage(target, wm::close, 0, 0);
            return false;
        }
        if (hit != Hit::Client) {
            return false;
        }
    }
    if (!IsEffectivelyEnabled(target)) {
        return false;
    }
    std::int32_t left = 0;
    std::int32_t top = 0;
    ClientOriginOnScreen(target, left, top);
    if (kind == wm::lButtonDown) {
        NotePress(wm::lButtonUp, 0, target);
    }
    message = Message{target, kind, 0, MakePointParam(event.x - left, event.y - top), time};
    return true;
}

} // namespace

void NoteModifierKey(int virtualKey, bool down) {
    WindowSystem& system = System();
    if (virtualKey == vk::shift) {
        system.shiftDown = down;
    } else if (virtualKey == vk::control) {
        system.controlDown = down;
    } else if (virtualKey == vk::alt) {
        system.altDown = down;
    }
}

bool RouteInput(const QueueItem& item, Message& message) {
    WindowSystem& system = System();
    const std::uint32_t time = item.message.time;
    if (item.kind == QueueItem::Kind::Character) {
        PlatformWindow* target = KeyTarget();
        if (target == nullptr) {
            return false;
        }
        message = item.message;
        message.window = target;
        return true;
    }
    const InputEvent& event = item.input;
    switch (event.kind) {
    case InputEvent::Kind::KeyDown:
    case InputEvent::Kind::KeyUp: return RouteKey(event, time, message);
    case InputEvent::Kind::MouseMove:
    case InputEvent::Kind::MouseDown:
    case InputEvent::Kind::MouseUp: return RouteMouse(event, time, message);
    case InputEvent::Kind::Close:
        if (system.messageBox != nullptr) {
            // A message box never holds the program up: it ends as its close
            // box would, and the close goes on once it is gone.
            system.closeAfterMessageBox = true;
            SendMessage(system.messageBox, wm::close, 0, 0);
            return false;
        }
        if (system.modalDialog != nullptr) {
            // Nor does a dialog hold the program up against the desktop's
            // close or a signal to end: it ends as if cancelled.
            system.closeAfterMessageBox = true;
            EndDialog(system.modalDialog, idCancel);
            return false;
        }
        if (system.mainWindow != nullptr && system.mainWindow->enabled) {
            SendMessage(system.mainWindow, wm::close, 0, 0);
        }
        return false;
    case InputEvent::Kind::Expose: system.screenChanged = true; return false;
    case InputEvent::Kind::FocusGained: SetApplicationActive(true); return false;
    case InputEvent::Kind::FocusLost:
        system.altDown = false;
        system.altAlone = false;
        system.shiftDown = false;
        system.controlDown = false;
        SetApplicationActive(false);
        return false;
    case InputEvent::Kind::KeyTaken: system.altAlone = false; return false;
    case InputEvent::Kind::Text: return false; // split into characters when queued
    }
    return false;
}
