#include "window_geometry.h"
#include "window_system.h"

#include <algorithm>
#include <cstring>

namespace {

struct Box {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

Box Intersect(const Box& a, const Box& b) {
    return Box{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
}

struct Canvas {
    std::uint8_t* pixels;
    std::int32_t width;
    std::int32_t height;
};

// Copies the surface, its top-left at (x, y) on the canvas, inside clip.
void CopySurface(const Canvas& canvas, BitmapHandle surface, std::int32_t x, std::int32_t y,
                 std::int32_t width, std::int32_t height, const Box& clip) {
    if (surface == nullptr) {
        return;
    }
    const Box box = Intersect(clip, Box{x, y, x + width, y + height});
    if (box.left >= box.right || box.top >= box.bottom) {
        return;
    }
    const std::uint8_t* bits = BitmapBits(surface);
    const std::int32_t stride = BitmapStride(surface);
    const auto count = static_cast<std::size_t>(box.right - box.left);
    for (std::int32_t row = box.top; row < box.bottom; ++row) {
        const std::uint8_t* from =
            bits + static_cast<std::ptrdiff_t>(row - y) * stride + (box.left - x);
        std::memcpy(canvas.pixels + static_cast<std::ptrdiff_t>(row) * canvas.width + box.left,
                    from, count);
    }
}

// A window and its children, each clipped to its parent's client area.
void ComposeTree(const Canvas& canvas, const PlatformWindow* window, std::int32_t x, std::int32_t y,
                 const Box& clip) {
    const Box inside = Intersect(clip, Box{x, y, x + window->width, y + window->height});
    CopySurface(canvas, window->surface, x, y, window->width, window->height, inside);
    for (const PlatformWindow* child : window->children) {
        if (!child->visible || child->drawnIntoParent) {
            continue;
        }
        if (child->frameSurface != nullptr) {
            CopySurface(canvas, child->frameSurface, x + child->outer.x, y + child->outer.y,
                        child->outer.width, child->outer.height, inside);
        }
        ComposeTree(canvas, child, x + child->x, y + child->y, inside);
    }
}

void ComposeInto(const Canvas& canvas) {
    std::fill(canvas.pixels,
              canvas.pixels + static_cast<std::ptrdiff_t>(canvas.width) * canvas.height,
              std::uint8_t{0});
    const Box screen{0, 0, canvas.width, canvas.height};
    for (const PlatformWindow* top : System().topLevels) {
        if (!top->visible) {
            continue;
        }
        if (top->menuBarSurface != nullptr) {
            CopySurface(canvas, top->menuBarSurface, 0, 0, top->width, menuBarHeight, screen);
        }
        if (top->frameSurface != nullptr) {
            CopySurface(canvas, top->frameSurface, top->outer.x, top->outer.y, top->outer.width,
                        top->outer.height, screen);
        }
        ComposeTree(canvas, top, top->x, top->y, screen);
    }
}

bool SurfaceChanged(BitmapHandle surface, std::uint64_t& presented, bool remember) {
    if (surface == nullptr) {
        return false;
    }
    const std::uint64_t now = BitmapChangeCount(surface);
    const bool changed = now != presented;
    if (remember) {
        presented = now;
    }
    return changed;
}

// Whether anything shown changed since the last present; remember marks
// the current state as presented.
bool AnythingDrawn(bool remember) {
    bool changed = false;
    for (const auto& owned : System().windows) {
        PlatformWindow& window = *owned;
        if (!IsEffectivelyVisible(&window)) {
            continue; // showing it again marks the screen changed
        }
        changed = SurfaceChanged(window.surface, window.presentedSurface, remember) || changed;
        changed =
            SurfaceChanged(window.menuBarSurface, window.presentedMenuBar, remember) || changed;
        changed = SurfaceChanged(window.frameSurface, window.presentedFrame, remember) || changed;
        if (changed && !remember) {
            return true;
        }
    }
    return changed;
}

} // namespace

void ComposeScreen(std::span<std::uint8_t> indices, std::int32_t& width, std::int32_t& height) {
    width = ScreenWidth();
    height = ScreenHeight();
    if (indices.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return; // the size is all a too small buffer gets
    }
    ComposeInto(Canvas{indices.data(), width, height});
}

void ComposeClientArea(WindowHandle window, std::span<std::uint8_t> indices) {
    const PlatformWindow* live = LiveWindow(window);
    if (live == nullptr || indices.size() < static_cast<std::size_t>(live->width) *
                                                static_cast<std::size_t>(live->height)) {
        return;
    }
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> screen(static_cast<std::size_t>(ScreenWidth()) *
                                     static_cast<std::size_t>(ScreenHeight()));
    ComposeScreen(screen, width, height);
    std::int32_t left = 0;
    std::int32_t top = 0;
    ClientOriginOnScreen(live, left, top);
    for (std::int32_t row = 0; row < live->height; ++row) {
        for (std::int32_t column = 0; column < live->width; ++column) {
            const std::int32_t x = left + column;
            const std::int32_t y = top + row;
            const bool onScreen = x >= 0 && y >= 0 && x < width && y < height;
            indices[static_cast<std::size_t>(row) * live->width + column] =
                onScreen ? screen[static_cast<std::size_t>(y) * width + x] : std::uint8_t{0};
        }
    }
}

namespace {

// A message box standing on its own is shown alone in its own window, its
// outer rectangle at the screen's origin.
void PresentLoneWindow(WindowSystem& system) {
    if (!system.screenChanged && !AnythingDrawn(false)) {
        return;
    }
    AnythingDrawn(true);
    system.screenChanged = false;
    const Rect& outer = system.loneWindow->outer;
    system.screenBuffer.resize(static_cast<std::size_t>(outer.width) *
                               static_cast<std::size_t>(outer.height));
    ComposeInto(Canvas{system.screenBuffer.data(), outer.width, outer.height});
    system.backend->PresentLoneWindow(
        ScreenImage{outer.width, outer.height, system.screenBuffer, &GetSystemPalette()});
}

} // namespace

void PresentIfDrawn() {
    WindowSystem& system = System();
    if (system.loneWindow != nullptr) {
        PresentLoneWindow(system);
        return;
    }
    if (!system.screenShown || system.mainWindow == nullptr || system.backend == nullptr) {
        return;
    }
    const std::uint64_t paletteVersion = SystemPaletteVersion();
    if (paletteVersion != system.announcedPaletteVersion) {
        // Every top-level window hears of a change to the system palette, with
        // the window that made it: ours is the only one that realizes one.
        system.announcedPaletteVersion = paletteVersion;
        const auto changer = reinterpret_cast<WParam>(system.mainWindow);
        SendMessage(system.mainWindow, wm::paletteChanged, changer, 0);
    }
    if (!system.screenChanged && paletteVersion == system.presentedPaletteVersion &&
        !AnythingDrawn(false)) {
        return;
    }
    AnythingDrawn(true);
    system.screenChanged = false;
    system.presentedPaletteVersion = paletteVersion;
    std::int32_t width = 0;
    std::int32_t height = 0;
    system.screenBuffer.resize(static_cast<std::size_t>(ScreenWidth()) *
                               static_cast<std::size_t>(ScreenHeight()));
    ComposeScreen(system.screenBuffer, width, height);
    system.backend->Present(ScreenImage{width, height, system.screenBuffer, &GetSystemPalette()});
}

void FlushScreen() {
    PresentIfDrawn();
}
