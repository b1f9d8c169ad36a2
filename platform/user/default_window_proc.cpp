#include "window_geometry.h"
#include "window_system.h"

#include <cctype>

namespace {

// The top-level window whose menu bar the keys of this window open.
PlatformWindow* MenuOwnerFor(WindowHandle window) {
    PlatformWindow* root = RootOf(LiveWindow(window));
    return root != nullptr && ShowsMenuBar(root) && IsEffectivelyEnabled(root) ? root : nullptr;
}

char KeyAsMnemonic(WParam key) {
    const bool letter = key >= static_cast<WParam>(vk::letterA) && key < vk::letterA + 26u;
    const bool digit = key >= static_cast<WParam>(vk::digit0) && key < vk::digit0 + 10u;
    if (!letter && !digit) {
        return 0;
    }
    return static_cast<char>(std::tolower(static_cast<int>(key)));
}

} // namespace

LResult DefWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case wm::ncCreate: return 1;
    case wm::close: DestroyWindow(window); return 0;
    case wm::paint:
        BeginPaint(window);
        EndPaint(window);
        return 0;
    case wm::activate:
        if (wParam != 0 && GetFocus() == nullptr) {
            SetFocus(window);
        }
        return 0;
    case wm::sysKeyDown:
        if (PlatformWindow* owner = MenuOwnerFor(window)) {
            if (wParam == static_cast<WParam>(vk::f10)) {
                TrackMenuFromKeyboard(owner, 0, false);
            } else if (const char mnemonic = KeyAsMnemonic(wParam)) {
                const int index = MenuIndexForMnemonic(*owner->menu, mnemonic);
                if (index >= 0) {
                    TrackMenuFromKeyboard(owner, index, true);
                }
            }
        }
        return 0;
    case wm::sysKeyUp:
        // Alt pressed and released alone highlights the menu bar.
        if (wParam == static_cast<WParam>(vk::alt) && System().altTappedAlone) {
            System().altTappedAlone = false;
            if (PlatformWindow* owner = MenuOwnerFor(window)) {
                TrackMenuFromKeyboard(owner, 0, false);
            }
        }
        return 0;
    case wm::ncLButtonDown:
        if (PlatformWindow* owner = MenuOwnerFor(window)) {
            TrackMenuFromMouse(owner, PointParamX(lParam), PointParamY(lParam));
        }
        return 0;
    default: return 0;
    }
}
