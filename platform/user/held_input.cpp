// Releases that reach the window that got the press. A menu's loop eats the
// keys and clicks it is given, and a modal dialog takes the keyboard: a key
// let go meanwhile would never reach the game, which would go on charging a
// jump for a key no longer held.

#include "window_system.h"

#include <algorithm>

namespace {

constexpr LParam releasedFlags = (LParam{1} << 30) | (LParam{1} << 31);

bool Same(const HeldInput& held, std::uint32_t releaseMessage, WParam wParam) {
    return held.releaseMessage == releaseMessage && held.wParam == wParam;
}

} // namespace

void NotePress(std::uint32_t releaseMessage, WParam wParam, PlatformWindow* window) {
    std::vector<HeldInput>& held = System().held;
    // An auto-repeated press keeps its first window.
    if (std::none_of(held.begin(), held.end(),
                     [&](const HeldInput& h) { return Same(h, releaseMessage, wParam); })) {
        held.push_back({releaseMessage, wParam, window});
    }
}

WindowHandle TakeHolder(std::uint32_t releaseMessage, WParam wParam) {
    std::vector<HeldInput>& held = System().held;
    const auto found = std::find_if(held.begin(), held.end(), [&](const HeldInput& h) {
        return Same(h, releaseMessage, wParam);
    });
    if (found == held.end()) {
        return nullptr;
    }
    const WindowHandle holder = found->window;
    held.erase(found);
    return holder;
}

void KeepReleaseForLater(std::uint32_t releaseMessage, WParam wParam, WindowHandle holder) {
    if (holder != nullptr) {
        System().pendingReleases.push_back({releaseMessage, wParam, holder});
    }
}

void DeliverPendingReleases() {
    WindowSystem& system = System();
    if (system.tracking != nullptr) {
        return; // the menu still takes everything
    }
    std::erase_if(system.pendingReleases, [](const HeldInput& release) {
        PlatformWindow* live = LiveWindow(release.window);
        if (live != nullptr && !IsEffectivelyEnabled(live)) {
            return false; // still behind a modal dialog
        }
        if (live != nullptr) {
            PostMessage(release.window, release.releaseMessage, release.wParam,
                        release.releaseMessage == wm::keyUp ? releasedFlags : 0);
        }
        return true;
    });
}
