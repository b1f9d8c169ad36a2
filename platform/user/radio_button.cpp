#include "control_drawing.h"

#include <algorithm>
#include <array>

// The auto radio button: a click (or space) checks it and clears the other
// radio buttons of its group, then tells the dialog. The round box is drawn
// from a 12 x 12 pattern in the static colours.

namespace {

constexpr std::int32_t boxSize = 12;
constexpr std::int32_t textGap = 4;

// s: gray shadow, k: black, w: white (the well), f: face, h: white edge.
constexpr std::array<std::string_view, boxSize> boxPattern{
    "....ssss....", "..sskkkkss..", ".skkwwwwkkh.", ".skwwwwwwfh.", "skwwwwwwwwfh", "skwwwwwwwwfh",
    "skwwwwwwwwfh", "skwwwwwwwwfh", ".skwwwwwwfh.", ".sffwwwwffh.", "..hhffffhh..", "....hhhh....",
};
// d: the check's dot, gray when the button is disabled.
constexpr std::array<std::string_view, 4> dotPattern{".dd.", "dddd", "dddd", ".dd."};

std::uint8_t PatternColor(char code, bool disabled) {
    using namespace control_colors;
    switch (code) {
    case 's': return shadow;
    case 'k': return darkShadow;
    case 'w': return disabled ? face : window;
    case 'f': return face;
    case 'h': return highlight;
    case 'd': return disabled ? shadow : darkShadow;
    default: return face;
    }
}

void DrawPattern(ContextHandle context, std::int32_t x, std::int32_t y,
                 std::span<const std::string_view> rows, bool disabled) {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            const char code = rows[row][column];
            if (code == '.') {
                continue;
            }
            const auto px = x + static_cast<std::int32_t>(column);
            const auto py = y + static_cast<std::int32_t>(row);
            FillRectIndex(context, px, py, px + 1, py + 1, PatternColor(code, disabled));
        }
    }
}

void Click(PlatformWindow* window) {
    CheckRadioInGroup(window);
    NotifyDialog(window, bn::clicked);
}

} // namespace

void CheckRadioInGroup(PlatformWindow* radio) {
    for (PlatformWindow* other : GroupOf(radio)) {
        ControlState* state = ControlOf(other);
        if (state == nullptr || state->kind != ControlKind::RadioButton) {
            continue;
        }
        const bool checked = other == radio;
        if (state->checked != checked) {
            state->checked = checked;
            DrawControl(other);
        }
    }
    DrawControl(radio);
}

void DrawRadioButton(PlatformWindow* window, const ControlState& state) {
    ContextHandle context = window->context;
    FillRectIndex(context, 0, 0, window->width, window->height, control_colors::face);
    const std::int32_t boxTop = (window->height - boxSize) / 2;
    const bool disabled = !window->enabled;
    DrawPattern(context, 0, boxTop, boxPattern, disabled);
    if (state.checked) {
        DrawPattern(context, 4, boxTop + 4, dotPattern, disabled);
    }
    const std::string_view text = window->title;
    const std::int32_t lineHeight = ControlLineHeight(window);
    const std::int32_t textX = boxSize + textGap;
    const std::int32_t textY = (window->height - lineHeight) / 2;
    DrawControlText(window, textX, textY, text, menu_colors::text, disabled);
    if (System().focus == window) {
        const std::int32_t right =
            std::min(textX + ControlTextWidth(window, text) + 2, window->width);
        DrawFocusDots(context, textX - 2, std::max(textY - 1, 0), right,
                      std::min(textY + lineHeight + 1, window->height));
    }
}

LResult RadioButtonMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                           WParam wParam, LParam lParam) {
    switch (message) {
    case wm::lButtonDown:
        SetFocus(window);
        SetCapture(window);
        state.mouseHeld = true;
        return 0;
    case wm::lButtonUp:
        if (state.mouseHeld) {
            state.mouseHeld = false;
            if (GetCapture() == window) {
                ReleaseCapture();
            }
            if (PointInside(window, lParam)) {
                Click(window);
            }
        }
        return 0;
    case wm::keyDown:
        if (wParam == static_cast<WParam>(vk::space)) {
            state.spaceHeld = true;
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
