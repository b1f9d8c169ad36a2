#include "window_system.h"

#include <algorithm>

namespace {
WindowSystem windowSystem;
} // namespace

WindowSystem& System() {
    return windowSystem;
}

void StartWindowSystem(Backend& backend) {
    ShutdownWindowSystem();
    SetBackend(&backend);
    windowSystem.backend = &backend;
}

void ShutdownWindowSystem() {
    EndMenuTracking();
    // Top-level windows first take their children and owned popups along.
    while (!windowSystem.topLevels.empty()) {
        DestroyWindow(windowSystem.topLevels.back());
    }
    while (!windowSystem.windows.empty()) {
        DestroyWindow(windowSystem.windows.back().get());
    }
    if (windowSystem.menuFont != nullptr) {
        DeleteFont(windowSystem.menuFont);
    }
    for (const auto& [height, font] : windowSystem.dialogFonts) {
        DeleteFont(font);
    }
    windowSystem = WindowSystem{};
    SetBackend(nullptr);
}

PlatformWindow* LiveWindow(WindowHandle window) {
    if (window == nullptr) {
        return nullptr;
    }
    for (const auto& owned : windowSystem.windows) {
        if (owned.get() == window) {
            return window;
        }
    }
    return nullptr;
}

bool IsEffectivelyEnabled(const PlatformWindow* window) {
    for (; window != nullptr; window = (window->style & ws::child) ? window->parent : nullptr) {
        if (!window->enabled) {
            return false;
        }
    }
    return true;
}

bool IsEffectivelyVisible(const PlatformWindow* window) {
    for (; window != nullptr; window = (window->style & ws::child) ? window->parent : nullptr) {
        if (!window->visible) {
            return false;
        }
    }
    return true;
}

PlatformWindow* RootOf(PlatformWindow* window) {
    while (window != nullptr && (window->style & ws::child) && window->parent != nullptr) {
        window = window->parent;
    }
    return window;
}

bool IsInSubtree(const PlatformWindow* window, const PlatformWindow* root) {
    for (; window != nullptr; window = (window->style & ws::child) ? window->parent : nullptr) {
        if (window == root) {
            return true;
        }
    }
    return false;
}

void ClientOriginOnScreen(const PlatformWindow* window, std::int32_t& x, std::int32_t& y) {
    x = 0;
    y = 0;
    for (; window != nullptr; window = (window->style & ws::child) ? window->parent : nullptr) {
        x += window->x;
        y += window->y;
    }
}

std::int32_t MenuBarHeightOf(const PlatformWindow* window) {
    return window != nullptr && window->menuBarSurface != nullptr ? menuBarHeight : 0;
}

std::int32_t ScreenWidth() {
    return windowSystem.mainWindow != nullptr ? windowSystem.mainWindow->width : 0;
}

std::int32_t ScreenHeight() {
    const PlatformWindow* main = windowSystem.mainWindow;
    return main != nullptr ? main->height + MenuBarHeightOf(main) : 0;
}

Rect GetDesktopRect() {
    return Rect{0, 0, ScreenWidth(), ScreenHeight()};
}

MenuTrackingView GetMenuTracking() {
    const MenuTracking* tracking = windowSystem.tracking;
    if (tracking == nullptr) {
        return MenuTrackingView{false, -1, false, -1};
    }
    return MenuTrackingView{true, tracking->menuIndex, tracking->pulldown != nullptr,
                            tracking->itemIndex};
}
