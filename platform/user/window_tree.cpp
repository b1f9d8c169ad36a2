#include "window_geometry.h"
#include "window_system.h"

#include <algorithm>

namespace {

const RegisteredClass* FindClass(std::string_view name) {
    for (const RegisteredClass& registered : System().classes) {
        if (registered.name == name) {
            return &registered;
        }
    }
    return nullptr;
}

// Owned popups go above the windows made before them, but menu pull-downs
// stay on top of everything.
void InsertTopLevel(PlatformWindow* window) {
    auto& topLevels = System().topLevels;
    if (window->isMenuPopup) {
        topLevels.push_back(window);
        return;
    }
    auto firstMenu = std::find_if(topLevels.begin(), topLevels.end(),
                                  [](const PlatformWindow* w) { return w->isMenuPopup; });
    topLevels.insert(firstMenu, window);
}

void Unlink(PlatformWindow* window) {
    WindowSystem& system = System();
    if (!IsTopLevel(window) && window->parent != nullptr) {
        std::erase(window->parent->children, window);
    }
    std::erase(system.topLevels, window);
    if (system.mainWindow == window) {
        system.mainWindow = nullptr;
    }
    KillTimersOf(window);
    DropQueuedMessagesFor(window);
    ReleaseWindowSurfaces(window);
    std::erase_if(system.windows, [window](const auto& owned) { return owned.get() == window; });
}

bool OpenScreenFor(PlatformWindow* window, const RegisteredClass& registered) {
    return System().backend->OpenScreen(ScreenWidth(), ScreenHeight(), window->title,
                                        registered.icon);
}

// DESTROY goes to a window before its children, NCDESTROY after them.
void DestroyTree(PlatformWindow* window) {
    window->destroying = true;
    if (window->visible) {
        System().screenChanged = true;
    }
    window->visible = false;
    DropFocusAndCaptureIn(window);
    SendMessage(window, wm::destroy, 0, 0);
    const std::vector<PlatformWindow*> children = window->children;
    for (PlatformWindow* child : children) {
        if (LiveWindow(child) != nullptr && !child->destroying) {
            DestroyTree(child);
        }
    }
    SendMessage(window, wm::ncDestroy, 0, 0);
    Unlink(window);
}

} // namespace

bool RegisterWindowClass(const WindowClass& windowClass) {
    if (windowClass.procedure == nullptr || windowClass.name.empty() ||
        FindClass(windowClass.name) != nullptr) {
        return false;
    }
    System().classes.push_back(RegisteredClass{
        std::string(windowClass.name), windowClass.style, windowClass.procedure,
        std::vector<std::uint8_t>(windowClass.icon.begin(), windowClass.icon.end())});
    return true;
}

WindowHandle CreateWindowOf(std::string_view className, std::string_view title, std::uint32_t style,
                            std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                            WindowHandle parent, MenuBar* menu, int id, LParam createParam) {
    WindowSystem& system = System();
    const RegisteredClass* registered = FindClass(className);
    PlatformWindow* parentWindow = LiveWindow(parent);
    if (registered == nullptr || ((style & ws::child) && parentWindow == nullptr)) {
        return nullptr;
    }
    auto owned = std::make_unique<PlatformWindow>();
    PlatformWindow* window = owned.get();
    window->className = registered->name;
    window->procedure = registered->procedure;
    window->classStyle = registered->style;
    window->title = std::string(title);
    window->style = style;
    window->parent = parentWindow;
    window->id = id;
    window->menu = menu;
    window->isMenuPopup = registered->name == "#menu";
    window->enabled = (style & ws::disabled) == 0;
    system.windows.push_back(std::move(owned));

    // A dialog with no owner (a message box before any window) stands
    // alone: it is never the main window.
    const bool isMain = IsTopLevel(window) && parentWindow == nullptr &&
                        system.mainWindow == nullptr && !window->isMenuPopup &&
                        registered->name != "#dialog";
    if (isMain) {
        system.mainWindow = window;
    }
    PlaceWindow(window, x, y, width, height);
    if (IsTopLevel(window)) {
        // A dialog coming up (a game ending under an open menu) closes the menu.
        if (!isMain && !window->isMenuPopup && system.tracking != nullptr) {
            EndMenuTracking();
        }
        InsertTopLevel(window);
    } else {
        parentWindow->children.push_back(window);
    }
    if (isMain && !OpenScreenFor(window, *registered)) {
        Unlink(window);
        return nullptr;
    }

    if (SendMessage(window, wm::ncCreate, 0, createParam) == 0) {
        if (LiveWindow(window) != nullptr) {
            window->destroying = true;
            SendMessage(window, wm::ncDestroy, 0, 0);
            Unlink(window);
        }
        return nullptr;
    }
    if (LiveWindow(window) == nullptr || SendMessage(window, wm::create, 0, createParam) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (LiveWindow(window) == nullptr) {
        return nullptr;
    }
    if (ShowsMenuBar(window)) {
        DrawMenuBar(window);
    }
    if (style & ws::visible) {
        window->visible = false; // so that showing it does the work of showing
        ShowWindow(window, true);
    }
    return window;
}

bool DestroyWindow(WindowHandle window) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || live->destroying) {
        return false;
    }
    WindowSystem& system = System();
    if (system.tracking != nullptr && IsInSubtree(system.tracking->owner, live)) {
        EndMenuTracking();
    }
    // Popups owned by the window go first, as their owner is leaving.
    const std::vector<PlatformWindow*> topLevels = system.topLevels;
    for (PlatformWindow* other : topLevels) {
        if (other != live && other->parent == live && LiveWindow(other) != nullptr) {
            DestroyWindow(other);
        }
    }
    if (LiveWindow(live) == nullptr || live->destroying) {
        return true;
    }
    // The parent hears of a child leaving, unless it is leaving itself.
    if (!IsTopLevel(live) && live->parent != nullptr && !live->parent->destroying) {
        live->destroying = true;
        SendMessage(live->parent, wm::parentNotify, wm::destroy, reinterpret_cast<LParam>(live));
        if (LiveWindow(live) == nullptr) {
            return true;
        }
    }
    DestroyTree(live);
    return true;
}

bool IsWindow(WindowHandle window) {
    return LiveWindow(window) != nullptr;
}

void ShowWindow(WindowHandle window, bool show) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || live->visible == show) {
        return;
    }
    WindowSystem& system = System();
    live->visible = show;
    live->invalid = show;
    system.screenChanged = true;
    if (!show) {
        DropFocusAndCaptureIn(live);
        return;
    }
    if (live == system.mainWindow && !system.screenShown) {
        system.screenShown = true;
        if (system.backend != nullptr) {
            system.backend->ShowScreen();
        }
        // The desktop activates a window when it is first shown.
        SetApplicationActive(true);
    }
}

bool IsWindowVisible(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr && IsEffectivelyVisible(live);
}

void EnableWindow(WindowHandle window, bool enable) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || live->enabled == enable) {
        return;
    }
    live->enabled = enable;
    if (!enable) {
        DropFocusAndCaptureIn(live);
    } else {
        DeliverPendingReleases();
    }
}

bool IsWindowEnabled(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr && live->enabled;
}

WindowHandle GetParent(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr ? live->parent : nullptr;
}

WindowHandle GetFirstChild(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr && !live->children.empty() ? live->children.front() : nullptr;
}

WindowHandle GetNextSibling(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || IsTopLevel(live) || live->parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = live->parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), live);
    return at != siblings.end() && at + 1 != siblings.end() ? *(at + 1) : nullptr;
}

WindowHandle GetDialogItem(WindowHandle window, int id) {
    const PlatformWindow* live = LiveWindow(window);
    if (live == nullptr) {
        return nullptr;
    }
    for (PlatformWindow* child : live->children) {
        if (child->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetWindowId(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr ? live->id : 0;
}

void* GetWindowUserData(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr ? live->userData : nullptr;
}

void SetWindowUserData(WindowHandle window, void* data) {
    if (PlatformWindow* live = LiveWindow(window)) {
        live->userData = data;
    }
}

std::string_view GetWindowTitle(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr ? std::string_view(live->title) : std::string_view();
}

void SetWindowTitle(WindowHandle window, std::string_view title) {
    if (PlatformWindow* live = LiveWindow(window)) {
        live->title = std::string(title);
        if (live->frameSurface != nullptr) {
            DrawWindowFrame(live);
        }
    }
}
