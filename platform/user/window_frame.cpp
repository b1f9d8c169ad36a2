#include "menu_layout.h"
#include "window_geometry.h"

namespace {

using namespace menu_colors;

constexpr std::int32_t closeBoxWidth = 16;
constexpr std::int32_t closeBoxHeight = 14;

// The close box's top-left in the frame (outer) coordinates.
void CloseBoxOrigin(const PlatformWindow* window, std::int32_t& x, std::int32_t& y) {
    x = window->outer.width - frameBorderWidth - 2 - closeBoxWidth;
    y = frameBorderWidth + (captionHeight - 1 - closeBoxHeight) / 2;
}

bool HasCloseBox(const PlatformWindow* window) {
    return IsTopLevel(window) && (window->style & ws::caption) && (window->style & ws::sysMenu);
}

// The raised border: face and black outside, white and gray inside it.
void DrawRaisedBorder(ContextHandle context, std::int32_t width, std::int32_t height) {
    FillRectIndex(context, 0, 0, width, height, face);
    // The outer top-left edge is the face colour itself.
    FillRectIndex(context, 0, height - 1, width, height, darkShadow);
    FillRectIndex(context, width - 1, 0, width, height, darkShadow);
    FillRectIndex(context, 1, 1, width - 1, 2, highlight);
    FillRectIndex(context, 1, 1, 2, height - 1, highlight);
    FillRectIndex(context, 1, height - 2, width - 1, height - 1, shadow);
    FillRectIndex(context, width - 2, 1, width - 1, height - 1, shadow);
}

// A small raised button with the black cross that closes the window.
void DrawCloseBox(ContextHandle context, std::int32_t x, std::int32_t y) {
    FillRectIndex(context, x, y, x + closeBoxWidth, y + closeBoxHeight, face);
    FillRectIndex(context, x, y, x + closeBoxWidth - 1, y + 1, highlight);
    FillRectIndex(context, x, y, x + 1, y + closeBoxHeight - 1, highlight);
    FillRectIndex(context, x, y + closeBoxHeight - 1, x + closeBoxWidth, y + closeBoxHeight,
                  darkShadow);
    FillRectIndex(context, x + closeBoxWidth - 1, y, x + closeBoxWidth, y + closeBoxHeight,
                  darkShadow);
    FillRectIndex(context, x + 1, y + closeBoxHeight - 2, x + closeBoxWidth - 1,
                  y + closeBoxHeight - 1, shadow);
    FillRectIndex(context, x + closeBoxWidth - 2, y + 1, x + closeBoxWidth - 1,
                  y + closeBoxHeight - 1, shadow);
    // An 8 x 7 cross, two pixels thick.
    const std::int32_t left = x + 4;
    const std::int32_t top = y + 3;
    for (std::int32_t row = 0; row < 7; ++row) {
        FillRectIndex(context, left + row, top + row, left + row + 2, top + row + 1, darkShadow);
        FillRectIndex(context, left + 6 - row, top + row, left + 8 - row, top + row + 1,
                      darkShadow);
    }
}

} // namespace

// Popups with a caption (the game's dialogs) are framed here, as the desktop
// would frame them: a raised gray border and a dark blue caption bar with
// the title in white, and a close box when they have a system menu. A child
// dialog with a modal frame gets the raised border alone.
void DrawWindowFrame(PlatformWindow* window) {
    ContextHandle context = window->frameContext;
    if (context == nullptr) {
        return;
    }
    const std::int32_t width = window->outer.width;
    const std::int32_t height = window->outer.height;
    DrawRaisedBorder(context, width, height);
    if (!IsTopLevel(window)) {
        MarkBitmapChanged(window->frameSurface);
        return;
    }
    FillRectIndex(context, frameBorderWidth, frameBorderWidth, width - frameBorderWidth,
                  frameBorderWidth + captionHeight - 1, selection);
    const std::int32_t textTop = frameBorderWidth + (captionHeight - 1 - MenuLineHeight()) / 2;
    DrawMenuLabel(context, frameBorderWidth + 3, textTop, window->title, highlight, false);
    if (HasCloseBox(window)) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        CloseBoxOrigin(window, x, y);
        DrawCloseBox(context, x, y);
    }
    MarkBitmapChanged(window->frameSurface);
}

bool HitsCloseBox(const PlatformWindow* window, std::int32_t screenX, std::int32_t screenY) {
    if (window == nullptr || !HasCloseBox(window)) {
        return false;
    }
    std::int32_t x = 0;
    std::int32_t y = 0;
    CloseBoxOrigin(window, x, y);
    x += window->outer.x;
    y += window->outer.y;
    return screenX >= x && screenY >= y && screenX < x + closeBoxWidth &&
           screenY < y + closeBoxHeight;
}
