#include "platform/user/menu_layout.h"

// Popups with a caption (the game's dialogs) are framed here, as the desktop
// would frame them: a raised gray border and a dark blue caption bar with
// the title in white.
void DrawWindowFrame(PlatformWindow* window) {
    ContextHandle context = window->frameContext;
    if (context == nullptr) {
        return;
    }
    using namespace menu_colors;
    const std::int32_t width = window->outer.width;
    const std::int32_t height = window->outer.height;
    FillRectIndex(context, 0, 0, width, height, face);
    // The outer top-left edge is the face colour itself.
    FillRectIndex(context, 0, height - 1, width, height, darkShadow);
    FillRectIndex(context, width - 1, 0, width, height, darkShadow);
    FillRectIndex(context, 1, 1, width - 1, 2, highlight);
    FillRectIndex(context, 1, 1, 2, height - 1, highlight);
    FillRectIndex(context, 1, height - 2, width - 1, height - 1, shadow);
    FillRectIndex(context, width - 2, 1, width - 1, height - 1, shadow);
    FillRectIndex(context, frameBorderWidth, frameBorderWidth, width - frameBorderWidth,
                  frameBorderWidth + captionHeight - 1, selection);
    const std::int32_t textTop = frameBorderWidth + (captionHeight - 1 - MenuLineHeight()) / 2;
    DrawMenuLabel(context, frameBorderWidth + 3, textTop, window->title, highlight, false);
    MarkBitmapChanged(window->frameSurface);
}
