#include "control_drawing.h"

// A push button clicks when released where it was pressed: by the mouse
// (released on the button) or by the space bar. While held it looks pressed
// in. The focused push button, or else the dialog's default one, wears the
// heavy black border that says Enter will press it.

namespace {

bool LooksDefault(const PlatformWindow* window) {
    const WindowSystem& system = System();
    if (system.focus == window) {
        return true;
    }
    const DialogState* dialog = DialogOf(window->parent);
    if (dialog == nullptr || dialog->defaultId != window->id) {
        return false;
    }
    // The default button gives its look to a focused push button.
    const PlatformWindow* focus = system.focus;
    const ControlState* focused = focus != nullptr && focus->parent == window->parent
                                      ? ControlOf(const_cast<PlatformWindow*>(focus))
                                      : nullptr;
    return focused == nullptr || !IsPushButton(focused->kind);
}

// Draws, then tells the dialog; the dialog may destroy the button.
void Click(PlatformWindow* window) {
    DrawControl(window);
    NotifyDialog(window, bn::clicked);
}

} // namespace

void DrawPushButton(PlatformWindow* window, const ControlState& state) {
    using namespace control_colors;
    ContextHandle context = window->context;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = window->width;
    std::int32_t bottom = window->height;
    FillRectIndex(context, left, top, right, bottom, face);
    if (LooksDefault(window)) {
        DrawFrameEdge(context, left, top, right, bottom, darkShadow, darkShadow);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    const bool pressed = (state.mouseHeld && state.pointerInside) || state.spaceHeld;
    if (pressed) {
        DrawFrameEdge(context, left, top, right, bottom, shadow, shadow);
    } else {
        DrawFrameEdge(context, left, top, right, bottom, highlight, darkShadow);
        DrawFrameEdge(context, left + 1, top + 1, right - 1, bottom - 1, face, shadow);
    }
    const std::string_view label = window->title;
    const std::int32_t shift = pressed ? 1 : 0;
    const std::int32_t textX = (window->width - ControlTextWidth(window, label)) / 2 + shift;
    const std::int32_t textY = (window->height - ControlLineHeight(window)) / 2 + shift;
    DrawControlText(window, textX, textY, label, menu_colors::text, !window->enabled);
    if (System().focus == window) {
        DrawFocusDots(context, 4, 4, window->width - 4, window->height - 4);
    }
}

LResult PushButtonMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                          WParam wParam, LParam lParam) {
    switch (message) {
    case wm::lButtonDown:
        SetFocus(window);
        SetCapture(window);
        state.mouseHeld = true;
        state.pointerInside = true;
        DrawControl(window);
        return 0;
    case wm::mouseMove:
        if (state.mouseHeld && PointInside(window, lParam) != state.pointerInside) {
            state.pointerInside = !state.pointerInside;
            DrawControl(window);
        }
        return 0;
    case wm::lButtonUp: {
        if (!state.mouseHeld) {
            return 0;
        }
        const bool inside = PointInside(window, lParam);
        state.mouseHeld = false;
        state.pointerInside = false;
        if (GetCapture() == window) {
            ReleaseCapture();
        }
        if (inside) {
            Click(window);
        } else {
            DrawControl(window);
        }
        return 0;
    }
    case wm::keyDown:
        if (wParam == static_cast<WParam>(vk::space) && !state.spaceHeld && !state.mouseHeld) {
            state.spaceHeld = true;
            DrawControl(window);
        }
        return 0;
    case wm::keyUp:
        if (wParam == static_cast<WParam>(vk::space) && state.spaceHeld) {
            state.spaceHeld = false;
            Click(window);
        }
        return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
    }
}
