#pragma once

// Where the titles of a menu bar and the items of a pull-down lie, and how
// their labels are drawn, in the classic 256-colour look.

#include "window_system.h"

#include <string>
#include <vector>

namespace menu_colors {
inline constexpr std::uint8_t text = 0;        // black
inline constexpr std::uint8_t selection = 4;   // dark blue
inline constexpr std::uint8_t face = 7;        // light gray
inline constexpr std::uint8_t darkShadow = 0;  // black
inline constexpr std::uint8_t shadow = 248;    // gray
inline constexpr std::uint8_t highlight = 255; // white
} // namespace menu_colors

// The menu font, in the window system's faces; nullptr when none of them is
// installed (then nothing is written and widths are estimated, so the menus
// still work).
FontHandle MenuFont();

// A label without its "&" marks, and where its mnemonic character sits.
struct LabelText {
    std::string text;
    std::size_t mnemonicAt = std::string::npos; // byte offset into text
    std::size_t mnemonicLength = 0;
};
LabelText SplitLabel(const std::string& label);
std::int32_t LabelWidth(const std::string& label);
std::int32_t MenuLineHeight();

// Draws a label with its mnemonic underlined; grayed labels are etched:
// white one pixel down and right under gray.
void DrawMenuLabel(ContextHandle context, std::int32_t x, std::int32_t y, const std::string& label,
                   std::uint8_t color, bool grayed);

struct TitleBox {
    std::int32_t left;
    std::int32_t right;
};
// The titles from the left of the bar, on the screen's (and the strip's) x.
std::vector<TitleBox> LayOutMenuTitles(const MenuBar& bar);
// The title under x, or -1.
int TitleAt(const MenuBar& bar, std::int32_t x);

inline constexpr std::int32_t pulldownBorder = 3;
inline constexpr std::int32_t checkColumnWidth = 18;
inline constexpr std::int32_t separatorHeight = 8;

struct PulldownLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::int32_t> itemTops;
    std::vector<std::int32_t> itemHeights;
};
PulldownLayout LayOutPulldown(const Menu& menu);
// The item under (x, y) of the pull-down's client area, or -1.
int ItemAt(const PulldownLayout& layout, std::int32_t x, std::int32_t y);
bool IsSelectable(const Menu& menu, int item);

// Draws the bar into the window's strip, the tracked title highlighted.
void DrawMenuBarStrip(PlatformWindow* window);
// Draws a pull-down into its window's surface.
void DrawPulldown(PlatformWindow* pulldown, const Menu& menu, int selectedItem);
