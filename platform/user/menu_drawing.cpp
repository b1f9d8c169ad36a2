#include "bevel.h"
#include "menu_layout.h"
#include "window_geometry.h"

#include <array>
#include <utility>

namespace {

using namespace menu_colors;

// The classic 7 x 7 tick, drawn left of a checked item's label.
void DrawCheckMark(ContextHandle context, std::int32_t x, std::int32_t y, std::uint8_t color) {
    static constexpr std::array<std::pair<int, int>, 7> columns{
        {{2, 4}, {3, 5}, {4, 6}, {3, 5}, {2, 4}, {1, 3}, {0, 2}}};
    for (int column = 0; column < 7; ++column) {
        const auto [from, to] = columns[static_cast<std::size_t>(column)];
        FillRectIndex(context, x + column, y + from, x + column + 1, y + to + 1, color);
    }
}

} // namespace

void DrawMenuBarStrip(PlatformWindow* window) {
    ContextHandle context = window->menuBarContext;
    if (context == nullptr || window->menu == nullptr) {
        return;
    }
    FillRectIndex(context, 0, 0, window->width, menuBarHeight, face);
    const MenuTracking* tracking = System().tracking;
    const int highlighted =
        tracking != nullptr && tracking->owner == window ? tracking->menuIndex : -1;
    const bool open = highlighted >= 0 && tracking->pulldownOpen;
    const std::vector<TitleBox> boxes = LayOutMenuTitles(*window->menu);
    const std::int32_t textTop = (menuBarHeight - MenuLineHeight()) / 2;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Menu& menu = window->menu->menus[i];
        const TitleBox& box = boxes[i];
        std::int32_t shift = 0;
        if (static_cast<int>(i) == highlighted) {
            // Open: pressed in; highlighted from the keyboard: raised.
            DrawFrameEdge(context, box.left, 1, box.right, menuBarHeight - 1,
                          open ? shadow : highlight, open ? highlight : shadow);
            shift = open ? 1 : 0;
        }
        DrawMenuLabel(context, box.left + 6 + shift, textTop + shift, menu.title, text,
                      menu.grayed);
    }
    MarkBitmapChanged(window->menuBarSurface);
}

void DrawPulldown(PlatformWindow* pulldown, const Menu& menu, int selectedItem) {
    ContextHandle context = pulldown->context;
    const PulldownLayout layout = LayOutPulldown(menu);
    const std::int32_t width = layout.width;
    const std::int32_t height = layout.height;
    FillRectIndex(context, 0, 0, width, height, face);
    // Raised: light outer top-left, black outer bottom-right, then white
    // and gray inside them.
    DrawFrameEdge(context, 0, 0, width, height, face, darkShadow);
    DrawFrameEdge(context, 1, 1, width - 1, height - 1, highlight, shadow);
    const std::int32_t lineHeight = MenuLineHeight();
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        const std::int32_t top = layout.itemTops[i];
        const std::int32_t itemHeight = layout.itemHeights[i];
        if (IsSeparator(item)) {
            const std::int32_t middle = top + itemHeight / 2 - 1;
            FillRectIndex(context, 1, middle, width - 1, middle + 1, shadow);
            FillRectIndex(context, 1, middle + 1, width - 1, middle + 2, highlight);
            continue;
        }
        const bool grayed = item.grayed || menu.grayed;
        const bool selected = static_cast<int>(i) == selectedItem && !grayed;
        const std::uint8_t color = selected ? highlight : text;
        if (selected) {
            FillRectIndex(context, pulldownBorder, top, width - pulldownBorder, top + itemHeight,
                          selection);
        }
        const std::int32_t textTop = top + (itemHeight - lineHeight) / 2;
        if (item.checked) {
            DrawCheckMark(context, pulldownBorder + 5, top + (itemHeight - 7) / 2,
                          grayed ? shadow : color);
        }
        DrawMenuLabel(context, pulldownBorder + checkColumnWidth, textTop, item.label, color,
                      grayed);
    }
    MarkBitmapChanged(pulldown->surface);
}

void SetWindowMenu(WindowHandle window, MenuBar* menu) {
    PlatformWindow* live = LiveWindow(window);
    if (live == nullptr) {
        return;
    }
    live->menu = menu;
    const Rect outer = live->outer;
    PlaceWindow(live, outer.x, outer.y, outer.width, outer.height);
    DrawMenuBar(live);
}

void DrawMenuBar(WindowHandle window) {
    if (PlatformWindow* live = LiveWindow(window)) {
        DrawMenuBarStrip(live);
    }
}
