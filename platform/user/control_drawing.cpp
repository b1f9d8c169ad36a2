#include "control_drawing.h"

namespace {

// Without a face, widths are guessed so that layouts still hold together.
constexpr std::int32_t fallbackCharWidth = 7;
constexpr std::int32_t fallbackLineHeight = 13;

} // namespace

FontHandle ControlFont(const PlatformWindow* control) {
    if (control == nullptr || control->parent == nullptr) {
        return nullptr;
    }
    const DialogState* dialog = DialogOf(control->parent);
    return dialog != nullptr ? dialog->font : nullptr;
}

std::int32_t ControlLineHeight(const PlatformWindow* control) {
    FontHandle font = ControlFont(control);
    return font != nullptr ? FontLineHeight(font) : fallbackLineHeight;
}

std::int32_t ControlTextWidth(const PlatformWindow* control, std::string_view text) {
    return TextWidthIn(ControlFont(control), text);
}

std::int32_t TextWidthIn(FontHandle font, std::string_view text) {
    if (font != nullptr) {
        return GetTextExtent(font, text).width;
    }
    return static_cast<std::int32_t>(text.size()) * fallbackCharWidth;
}

void DrawFocusDots(ContextHandle context, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom) {
    const std::uint8_t ink = control_colors::darkShadow;
    for (std::int32_t x = left; x < right; x += 2) {
        FillRectIndex(context, x, top, x + 1, top + 1, ink);
        FillRectIndex(context, x, bottom - 1, x + 1, bottom, ink);
    }
    for (std::int32_t y = top; y < bottom; y += 2) {
        FillRectIndex(context, left, y, left + 1, y + 1, ink);
        FillRectIndex(context, right - 1, y, right, y + 1, ink);
    }
}

void DrawControlText(PlatformWindow* control, std::int32_t x, std::int32_t y, std::string_view text,
                     std::uint8_t color, bool disabled) {
    ContextHandle context = control->context;
    FontHandle font = ControlFont(control);
    if (font == nullptr || text.empty()) {
        return;
    }
    FontHandle previous = SelectFont(context, font);
    SetBackgroundOpaque(context, false);
    if (disabled) {
        SetTextColorIndex(context, control_colors::highlight);
        TextOut(context, x + 1, y + 1, text);
        color = control_colors::shadow;
    }
    SetTextColorIndex(context, color);
    TextOut(context, x, y, text);
    SelectFont(context, previous);
}
