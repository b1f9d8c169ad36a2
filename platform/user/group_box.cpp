#include "control_drawing.h"

// The group box: an etched frame (a gray line with a white one beside it)
// whose top runs through the middle of its text's line; the text, if any,
// interrupts the frame near the left. It is drawn straight onto its dialog
// and leaves its inside alone, so the controls it frames, made before it,
// stay visible.

void DrawGroupBox(PlatformWindow* window) {
    using namespace control_colors;
    PlatformWindow* dialog = window->parent;
    if (dialog == nullptr || dialog->context == nullptr || !window->visible) {
        return;
    }
    ContextHandle context = dialog->context;
    const std::int32_t left = window->x;
    const std::int32_t right = window->x + window->width;
    const std::int32_t bottom = window->y + window->height;
    const std::int32_t top = window->y + ControlLineHeight(window) / 2;
    DrawFrameEdge(context, left, top, right - 1, bottom - 1, shadow, shadow);
    DrawFrameEdge(context, left + 1, top + 1, right, bottom, highlight, highlight);
    // The etched corners: the gray line wins where the two meet.
    FillRectIndex(context, right - 2, top, right - 1, top + 2, shadow);
    FillRectIndex(context, left, bottom - 2, left + 2, bottom - 1, shadow);
    const std::string_view label = window->title;
    if (label.empty()) {
        return;
    }
    constexpr std::int32_t textLeft = 8;
    const std::int32_t textWidth = ControlTextWidth(window, label);
    FillRectIndex(context, left + textLeft - 2, window->y, left + textLeft + textWidth + 2,
                  window->y + ControlLineHeight(window), face);
    // The label goes through the control's own surface, which has the font.
    FillRectIndex(window->context, 0, 0, window->width, window->height, face);
    DrawControlText(window, textLeft, 0, label, menu_colors::text, !window->enabled);
    BitBlt(context, left + textLeft, window->y, textWidth, ControlLineHeight(window),
           window->context, textLeft, 0, RasterOp::SrcCopy);
}
