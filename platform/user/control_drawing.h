#pragma once

// The pieces every control is drawn from, in the classic 256-colour look:
// the face, bevels in the static colours, dotted focus rectangles, text in
// the dialog face.

#include "bevel.h"
#include "dialog_internal.h"
#include "menu_layout.h"

#include <string>
#include <string_view>
#include <vector>

namespace control_colors {
using namespace menu_colors;
inline constexpr std::uint8_t window = 255; // an edit's background
inline constexpr std::uint8_t selectedText = 255;
} // namespace control_colors

// The dialog font of the control's dialog, nullptr when none is installed.
FontHandle ControlFont(const PlatformWindow* control);
std::int32_t ControlLineHeight(const PlatformWindow* control);
std::int32_t ControlTextWidth(const PlatformWindow* control, std::string_view text);
// The width of text in a font; estimated when there is none.
std::int32_t TextWidthIn(FontHandle font, std::string_view text);
// Text broken into lines no wider than width, as static text shows it:
// between words, and at each line break of the text.
std::vector<std::string> WrapText(FontHandle font, std::string_view text, std::int32_t width);

// Every other pixel of the rectangle's outline, as focus is shown.
void DrawFocusDots(ContextHandle context, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom);
// Text in the control's font with its cell's top-left at (x, y); disabled
// text is etched: white one pixel down and right under gray.
void DrawControlText(PlatformWindow* control, std::int32_t x, std::int32_t y, std::string_view text,
                     std::uint8_t color, bool disabled);
