#include "menu_layout.h"

#include <algorithm>

namespace {

// Without a face, widths are guessed so that the menus keep their layout.
constexpr std::int32_t fallbackCharWidth = 7;
constexpr std::int32_t fallbackLineHeight = 13;
constexpr std::int32_t titlePadding = 6;

std::int32_t TextWidth(std::string_view text) {
    if (FontHandle font = MenuFont()) {
        return GetTextExtent(font, text).width;
    }
    return static_cast<std::int32_t>(text.size()) * fallbackCharWidth;
}

std::size_t Utf8Length(unsigned char lead) {
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

} // namespace

FontHandle MenuFont() {
    WindowSystem& system = System();
    if (!system.menuFontLookedUp) {
        system.menuFontLookedUp = true;
        system.menuFont = CreateFontInFaces(12);
    }
    return system.menuFont;
}

LabelText SplitLabel(const std::string& label) {
    LabelText out;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) {
            ++i; // "&&" is a plain "&"; "&x" marks x
            if (label[i] != '&' && out.mnemonicAt == std::string::npos) {
                out.mnemonicAt = out.text.size();
                out.mnemonicLength =
                    std::min(Utf8Length(static_cast<unsigned char>(label[i])), label.size() - i);
            }
        }
        out.text.push_back(label[i]);
    }
    return out;
}

std::int32_t LabelWidth(const std::string& label) {
    return TextWidth(SplitLabel(label).text);
}

std::int32_t MenuLineHeight() {
    FontHandle font = MenuFont();
    return font != nullptr ? FontLineHeight(font) : fallbackLineHeight;
}

void DrawMenuLabel(ContextHandle context, std::int32_t x, std::int32_t y, const std::string& label,
                   std::uint8_t color, bool grayed) {
    FontHandle font = MenuFont();
    if (font == nullptr) {
        return;
    }
    const LabelText parts = SplitLabel(label);
    FontHandle previous = SelectFont(context, font);
    SetBackgroundOpaque(context, false);
    auto drawOnce = [&](std::int32_t atX, std::int32_t atY, std::uint8_t index) {
        SetTextColorIndex(context, index);
        TextOut(context, atX, atY, parts.text);
        if (parts.mnemonicAt != std::string::npos) {
            const std::string_view text(parts.text);
            const std::int32_t from = atX + TextWidth(text.substr(0, parts.mnemonicAt));
            const std::int32_t to =
                atX + TextWidth(text.substr(0, parts.mnemonicAt + parts.mnemonicLength));
            const std::int32_t line = atY + FontAscent(font) + 1;
            FillRectIndex(context, from, line, to, line + 1, index);
        }
    };
    if (grayed) {
        drawOnce(x + 1, y + 1, menu_colors::highlight);
        drawOnce(x, y, menu_colors::shadow);
    } else {
        drawOnce(x, y, color);
    }
    SelectFont(context, previous);
}

std::vector<TitleBox> LayOutMenuTitles(const MenuBar& bar) {
    std::vector<TitleBox> boxes;
    std::int32_t x = 0;
    for (const Menu& menu : bar.menus) {
        const std::int32_t width = LabelWidth(menu.title) + 2 * titlePadding;
        boxes.push_back(TitleBox{x, x + width});
        x += width;
    }
    return boxes;
}

int TitleAt(const MenuBar& bar, std::int32_t x) {
    const std::vector<TitleBox> boxes = LayOutMenuTitles(bar);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (x >= boxes[i].left && x < boxes[i].right) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

PulldownLayout LayOutPulldown(const Menu& menu) {
    PulldownLayout layout;
    const std::int32_t itemHeight = std::max(MenuLineHeight() + 4, 16);
    std::int32_t widest = 0;
    std::int32_t y = pulldownBorder;
    for (const MenuItem& item : menu.items) {
        const std::int32_t height = IsSeparator(item) ? separatorHeight : itemHeight;
        layout.itemTops.push_back(y);
        layout.itemHeights.push_back(height);
        y += height;
        if (!IsSeparator(item)) {
            widest = std::max(widest, LabelWidth(item.label));
        }
    }
    layout.width = 2 * pulldownBorder + 2 * checkColumnWidth + widest;
    layout.height = y + pulldownBorder;
    return layout;
}

int ItemAt(const PulldownLayout& layout, std::int32_t x, std::int32_t y) {
    if (x < pulldownBorder || x >= layout.width - pulldownBorder) {
        return -1;
    }
    for (std::size_t i = 0; i < layout.itemTops.size(); ++i) {
        if (y >= layout.itemTops[i] && y < layout.itemTops[i] + layout.itemHeights[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool IsSelectable(const Menu& menu, int item) {
    if (item < 0 || item >= static_cast<int>(menu.items.size())) {
        return false;
    }
    const MenuItem& entry = menu.items[static_cast<std::size_t>(item)];
    return !IsSeparator(entry) && !entry.grayed && !menu.grayed;
}
