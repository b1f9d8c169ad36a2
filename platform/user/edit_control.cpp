#include "control_drawing.h"

#include <algorithm>
#include <cstdlib>

// The single-line edit: the text is UTF-8 and the caret moves and erases
// by whole characters. The field scrolls sideways so the caret is always in
// view, and there is no length limit. The selection is a range between the
// anchor and the caret; typing replaces it.

namespace {

constexpr std::int32_t border = 2; // the sunken client edge
constexpr std::int32_t margin = 1;

bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

std::size_t PreviousCharacter(const std::string& text, std::size_t at) {
    if (at == 0) {
        return 0;
    }
    --at;
    while (at > 0 && IsContinuation(text[at])) {
        --at;
    }
    return at;
}

std::size_t NextCharacter(const std::string& text, std::size_t at) {
    if (at >= text.size()) {
        return text.size();
    }
    ++at;
    while (at < text.size() && IsContinuation(text[at])) {
        ++at;
    }
    return at;
}

std::string EncodeUtf8(char32_t point) {
    std::string out;
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x110000) {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
    return out;
}

std::int32_t VisibleWidth(const PlatformWindow* window) {
    return std::max(window->width - 2 * (border + margin), 1);
}

std::int32_t PrefixWidth(const PlatformWindow* window, std::size_t bytes) {
    return ControlTextWidth(window, std::string_view(window->title).substr(0, bytes));
}

// Scrolls just enough to bring the caret into view, and back when the text
// no longer fills the field.
void KeepCaretVisible(const PlatformWindow* window, ControlState& state) {
    const std::int32_t visible = VisibleWidth(window);
    const std::int32_t caretX = PrefixWidth(window, state.caret);
    const std::int32_t textWidth = ControlTextWidth(window, window->title);
    state.scroll = std::min(state.scroll, std::max(textWidth - visible + 1, 0));
    if (caretX - state.scroll > visible - 1) {
        state.scroll = caretX - visible + 1;
    }
    if (caretX < state.scroll) {
        state.scroll = caretX;
    }
}

bool HasSelection(const ControlState& state) {
    return state.caret != state.anchor;
}

void DeleteSelection(PlatformWindow* window, ControlState& state) {
    const std::size_t from = std::min(state.caret, state.anchor);
    const std::size_t to = std::max(state.caret, state.anchor);
    window->title.erase(from, to - from);
    state.caret = state.anchor = from;
}

void Changed(PlatformWindow* window, ControlState& state) {
    KeepCaretVisible(window, state);
    DrawControl(window);
}

void HandleKey(PlatformWindow* window, ControlState& state, int key) {
    const std::string& text = window->title;
    const bool extend = System().shiftDown;
    std::size_t caret = state.caret;
    switch (key) {
    case vk::left:
        caret = HasSelection(state) && !extend ? std::min(state.caret, state.anchor)
                                               : PreviousCharacter(text, caret);
        break;
    case vk::right:
        caret = HasSelection(state) && !extend ? std::max(state.caret, state.anchor)
                                               : NextCharacter(text, caret);
        break;
    case vk::home: caret = 0; break;
    case vk::end: caret = text.size(); break;
    case vk::back:
    case vk::del:
        if (!HasSelection(state)) {
            state.anchor =
                key == vk::back ? PreviousCharacter(text, caret) : NextCharacter(text, caret);
        }
        DeleteSelection(window, state);
        Changed(window, state);
        return;
    default: return;
    }
    state.caret = caret;
    if (!extend) {
        state.anchor = caret;
    }
    Changed(window, state);
}

void Type(PlatformWindow* window, ControlState& state, char32_t point) {
    if (point < 0x20 || point == 0x7F) {
        return; // control characters are keys, not text
    }
    DeleteSelection(window, state);
    const std::string bytes = EncodeUtf8(point);
    window->title.insert(state.caret, bytes);
    state.caret = state.anchor = state.caret + bytes.size();
    Changed(window, state);
}

// The character boundary nearest to x in the field's client pixels.
std::size_t CaretAt(const PlatformWindow* window, const ControlState& state, std::int32_t x) {
    const std::int32_t target = x - border - margin + state.scroll;
    const std::string& text = window->title;
    std::size_t best = 0;
    std::int32_t bestDistance = std::abs(target);
    for (std::size_t at = NextCharacter(text, 0); at <= text.size() && at > best;
         at = NextCharacter(text, at)) {
        const std::int32_t distance = std::abs(PrefixWidth(window, at) - target);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = at;
        }
        if (at == text.size()) {
            break;
        }
    }
    return best;
}

} // namespace

void DrawEdit(PlatformWindow* window, const ControlState& state) {
    using namespace control_colors;
    ContextHandle context = window->context;
    const std::int32_t width = window->width;
    const std::int32_t height = window->height;
    DrawFrameEdge(context, 0, 0, width, height, shadow, highlight);
    DrawFrameEdge(context, 1, 1, width - 1, height - 1, darkShadow, face);
    FillRectIndex(context, border, border, width - border, height - border,
                  window->enabled ? control_colors::window : face);
    RegionHandle inside = CreateRectRegion(border, border, width - border, height - border);
    SelectClipRegion(context, inside);
    DeleteRegion(inside);

    const std::int32_t lineHeight = ControlLineHeight(window);
    const std::int32_t textX = border + margin - state.scroll;
    const std::int32_t textY = (height - lineHeight) / 2;
    const std::string_view shown = window->title;
    const bool focused = System().focus == window;
    DrawControlText(window, textX, textY, shown, menu_colors::text, false);
    if (focused && HasSelection(state)) {
        const std::size_t from = std::min(state.caret, state.anchor);
        const std::size_t to = std::max(state.caret, state.anchor);
        const std::int32_t left = textX + PrefixWidth(window, from);
        const std::int32_t right = textX + PrefixWidth(window, to);
        FillRectIndex(context, left, textY, right, textY + lineHeight, selection);
        DrawControlText(window, left, textY, shown.substr(from, to - from), selectedText, false);
    }
    if (focused) {
        const std::int32_t caretX = textX + PrefixWidth(window, state.caret);
        FillRectIndex(context, caretX, textY, caretX + 1, textY + lineHeight, darkShadow);
    }
    SelectClipRegion(context, nullptr);
}

void SetEditText(PlatformWindow* window, ControlState& state, std::string_view text) {
    window->title = std::string(text);
    state.caret = state.anchor = 0;
    state.scroll = 0;
    DrawControl(window);
}

void SelectAllEditText(PlatformWindow* window, ControlState& state) {
    state.anchor = 0;
    state.caret = window->title.size();
    Changed(window, state);
}

LResult EditMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                    WParam wParam, LParam lParam) {
    switch (message) {
    case wm::keyDown: HandleKey(window, state, static_cast<int>(wParam)); return 0;
    case wm::character: Type(window, state, static_cast<char32_t>(wParam)); return 0;
    case wm::lButtonDown:
        SetFocus(window);
        state.caret = state.anchor = CaretAt(window, state, PointParamX(lParam));
        Changed(window, state);
        return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
    }
}
