#include "window_system.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The process's one window system, as a desktop program has one connection
// to its desktop: StartWindowSystem makes it, ShutdownWindowSystem destroys
// it with everything it holds, the display included. No test resets it; each
// start is a fresh one.
std::unique_ptr<WindowSystem> running;

} // namespace

WindowSystem::WindowSystem(Backend& startedOn, const WindowSystemOptions& options)
    : backend(&startedOn), display(options.display), faces(options.faces) {}

WindowSystem& System() {
    if (running == nullptr) {
        std::fputs("a window call with no window system running (before StartWindowSystem or "
                   "after ShutdownWindowSystem)\n",
                   stderr);
        std::abort();
    }
    return *running;
}

bool WindowSystemRunning() {
    return running != nullptr;
}

Backend& CurrentBackend() {
    return running != nullptr ? *running->backend : StandInBackend();
}

void StartWindowSystem(Backend& backend, const WindowSystemOptions& options) {
    ShutdownWindowSystem();
    running = std::make_unique<WindowSystem>(backend, options);
    // Menus and dialogs are laid out for these faces; without them the
    // system's default face keeps every label readable, and the player is told.
    const std::vector<std::string>& faces = options.faces;
    if (!faces.empty() && std::none_of(faces.begin(), faces.end(), [](const std::string& face) {
            return IsFontFamilyInstalled(face);
        })) {
        std::string names;
        for (const std::string& face : faces) {
            names += (names.empty() ? "" : " or ") + face;
        }
        std::fprintf(stderr, "%s is not installed: menus and dialogs use the system's own face\n",
                     names.c_str());
    }
}

void ShutdownWindowSystem() {
    if (running == nullptr) {
        return;
    }
    WindowSystem& system = *running;
    EndMenuTracking();
    // Top-level windows first take their children and owned popups along.
    while (!system.topLevels.empty()) {
        DestroyWindow(system.topLevels.back());
    }
    while (!system.windows.empty()) {
        DestroyWindow(system.windows.back().get());
    }
    if (system.menuFont != nullptr) {
        DeleteFont(system.menuFont);
    }
    for (const auto& [height, font] : system.dialogFonts) {
        DeleteFont(font);
    }
    running.reset();
}

FontHandle CreateFontInFaces(std::int32_t pixelHeight) {
    const std::vector<std::string>& faces = System().faces;
    const std::vector<std::string_view> families(faces.begin(), faces.end());
    return CreateFontByFamilies(families, pixelHeight, 400);
}

PlatformWindow* LiveWindow(WindowHandle window) {
    if (window == nullptr || running == nullptr) {
        return nullptr;
    }
    for (const auto& owned : running->windows) {
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
    return System().mainWindow != nullptr ? System().mainWindow->width : 0;
}

std::int32_t ScreenHeight() {
    const PlatformWindow* main = System().mainWindow;
    return main != nullptr ? main->height + MenuBarHeightOf(main) : 0;
}

Rect GetDesktopRect() {
    return Rect{0, 0, ScreenWidth(), ScreenHeight()};
}

MenuTrackingView GetMenuTracking() {
    const MenuTracking* tracking = System().tracking;
    if (tracking == nullptr) {
        return MenuTrackingView{false, -1, false, -1};
    }
    return MenuTrackingView{true, tracking->menuIndex, tracking->pulldown != nullptr,
                            tracking->itemIndex};
}
