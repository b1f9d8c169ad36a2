#include "window_geometry.h"

#include "platform/user/dialog.h"

#include <algorithm>

namespace {

// Gives the surface the size asked for, keeping the context: a CS_OWNDC
// context stays the same handle when the window is resized.
void SizeSurface(BitmapHandle& surface, ContextHandle& context, std::int32_t width,
                 std::int32_t height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (surface != nullptr && BitmapWidth(surface) == width && BitmapHeight(surface) == height) {
        return;
    }
    if (context == nullptr) {
        context = CreateMemoryContext();
    }
    BitmapHandle fresh = CreateIndexedBitmap(width, height, false);
    SelectBitmap(context, fresh);
    if (surface != nullptr) {
        DeleteBitmap(surface);
    }
    surface = fresh;
}

void ReleaseSurface(BitmapHandle& surface, ContextHandle& context) {
    if (context != nullptr) {
        SelectBitmap(context, nullptr);
        DeleteContext(context);
        context = nullptr;
    }
    if (surface != nullptr) {
        DeleteBitmap(surface);
        surface = nullptr;
    }
}

} // namespace

bool IsTopLevel(const PlatformWindow* window) {
    return (window->style & ws::child) == 0;
}

bool ShowsMenuBar(const PlatformWindow* window) {
    return window->menu != nullptr && window == System().mainWindow;
}

void PlaceWindow(PlatformWindow* window, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height) {
    window->outer = Rect{x, y, width, height};
    const bool framedChild = !IsTopLevel(window) && (window->style & ds::modalFrame) != 0;
    if (!IsTopLevel(window)) {
        // A child dialog with a modal frame has its raised border inside
        // the rectangle it was given.
        const std::int32_t border = framedChild ? frameBorderWidth : 0;
        window->x = x + border;
        window->y = y + border;
        window->width = std::max(width - 2 * border, 0);
        window->height = std::max(height - 2 * border, 0);
    } else {
        const bool framed = (window->style & ws::caption) != 0;
        const std::int32_t border = framed ? frameBorderWidth : 0;
        const std::int32_t caption = framed ? captionHeight : 0;
        const std::int32_t bar = ShowsMenuBar(window) ? menuBarHeight : 0;
        window->width = std::max(width - 2 * border, 0);
        window->height = std::max(height - 2 * border - caption - bar, 0);
        if (window == System().mainWindow) {
            // The desktop draws the main window's frame and caption; the
            // screen starts at its menu bar.
            window->x = 0;
            window->y = bar;
        } else {
            window->x = x + border;
            window->y = y + border + caption;
        }
    }
    SizeSurface(window->surface, window->context, window->width, window->height);
    if (ShowsMenuBar(window)) {
        SizeSurface(window->menuBarSurface, window->menuBarContext, window->width, menuBarHeight);
    } else {
        ReleaseSurface(window->menuBarSurface, window->menuBarContext);
    }
    const bool framedPopup =
        IsTopLevel(window) && window != System().mainWindow && (window->style & ws::caption);
    if (framedPopup || framedChild) {
        SizeSurface(window->frameSurface, window->frameContext, width, height);
        DrawWindowFrame(window);
    } else {
        ReleaseSurface(window->frameSurface, window->frameContext);
    }
    if (IsEffectivelyVisible(window)) {
        System().screenChanged = true;
    }
}

void ReleaseWindowSurfaces(PlatformWindow* window) {
    ReleaseSurface(window->surface, window->context);
    ReleaseSurface(window->menuBarSurface, window->menuBarContext);
    ReleaseSurface(window->frameSurface, window->frameContext);
}

void MoveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height) {
    if (PlatformWindow* live = LiveWindow(window)) {
        PlaceWindow(live, x, y, width, height);
        if (ShowsMenuBar(live)) {
            DrawMenuBar(live);
        }
    }
}

Rect GetClientRect(WindowHandle window) {
    const PlatformWindow* live = LiveWindow(window);
    return live != nullptr ? Rect{0, 0, live->width, live->height} : Rect{0, 0, 0, 0};
}

void ClientToScreen(WindowHandle window, std::int32_t& x, std::int32_t& y) {
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    ClientOriginOnScreen(LiveWindow(window), originX, originY);
    x += originX;
    y += originY;
}
