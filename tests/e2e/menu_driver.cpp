#include "tests/e2e/menu_driver.h"

#include "tests/e2e/game_layout.h"

#include <algorithm>

namespace {

// Rows of the bar that hold the titles' letters (the bar is 19 rows tall).
constexpr int textTop = 3, textBottom = 16;
// Letters of a title stand closer than this; titles stand 12 pixels apart.
constexpr int wordGap = 6;
// The pull-down's border and a separator entry, in pixels.
constexpr int border = 3, separatorHeight = 8;

// Enabled titles are black, grayed ones grey and white: all but the face is lettering.
bool ColumnHasText(const WindowImage& image, int x) {
    for (int y = textTop; y < textBottom; ++y)
        if (image.At(x, y) != layout::face)
            return true;
    return false;
}

// The inner left edge of a pull-down: a white column from its top down.
bool IsInnerLeftEdge(const WindowImage& image, int x) {
    for (int y = layout::menuBarHeight + 1; y < layout::menuBarHeight + 24; ++y)
        if (image.At(x, y) != layout::white)
            return false;
    return image.At(x - 1, layout::menuBarHeight + 8) == layout::face &&
           image.At(x + 1, layout::menuBarHeight + 8) == layout::face;
}

} // namespace

std::vector<TitleSpan> FindMenuTitles(const WindowImage& image) {
    std::vector<TitleSpan> titles;
    for (int x = 0, start = -1, lastText = -1; x <= layout::screenWidth; ++x) {
        if (x < layout::screenWidth && ColumnHasText(image, x)) {
            start = start < 0 ? x : start;
            lastText = x;
        } else if (start >= 0 && x - lastText > wordGap) {
            titles.push_back({start, lastText});
            start = -1;
        }
    }
    return titles;
}

std::optional<PulldownShape> FindPulldown(const WindowImage& image, const TitleSpan& title) {
    // The box starts at its title's left edge, a few pixels left of the text.
    for (int x = std::max(title.first - 16, 0); x <= title.first; ++x) {
        if (!IsInnerLeftEdge(image, x + 1))
            continue;
        PulldownShape shape{x, layout::menuBarHeight, {}};
        // Down the face just inside the edge: separators are a grey row over
        // a white one; the box ends with a grey row over the black one.
        for (int y = shape.top + 2; y < layout::screenHeight; ++y) {
            const std::uint32_t color = image.At(x + 2, y);
            if (color == layout::black)
                return shape;
            if (color == layout::shadow && image.At(x + 2, y + 1) == layout::white)
                shape.separators.push_back(y);
            else if (color != layout::face && color != layout::white && color != layout::shadow)
                return std::nullopt; // not a pull-down's face
        }
    }
    return std::nullopt;
}

std::optional<int> ItemMiddle(const PulldownShape& shape, const std::string& entries, int index) {
    const std::size_t firstSeparator = entries.find('-');
    if (firstSeparator == std::string::npos || firstSeparator == 0 ||
        shape.separators.size() != static_cast<std::size_t>(std::ranges::count(entries, '-')))
        return std::nullopt;
    // A separator's grey line is drawn in the middle of its 8 rows, one up.
    const int separatorTop = shape.separators.front() - (separatorHeight / 2 - 1) - shape.top;
    const int itemHeight = (separatorTop - border) / static_cast<int>(firstSeparator);
    int top = shape.top + border, items = 0;
    for (const char entry : entries) {
        if (entry == 'i' && items++ == index)
            return top + itemHeight / 2;
        top += entry == '-' ? separatorHeight : itemHeight;
    }
    return std::nullopt;
}

bool ChooseMenuItem(XSession& game, int titleIndex, const std::string& entries, int itemIndex,
                    std::chrono::milliseconds timeout) {
    const std::string what =
        "menu " + std::to_string(titleIndex) + " item " + std::to_string(itemIndex) + ": ";
    std::vector<TitleSpan> titles;
    const auto titlesShown = [&](const WindowImage& image) {
        titles = FindMenuTitles(image);
        return titles.size() > static_cast<std::size_t>(titleIndex);
    };
    if (!game.WaitUntil(what + "the menu bar's titles", titlesShown, timeout))
        return false;
    const TitleSpan title = titles[static_cast<std::size_t>(titleIndex)];
    game.Click(title.Middle(), layout::menuBarHeight / 2);
    std::optional<PulldownShape> shape;
    std::optional<int> itemY;
    const auto pulldownShown = [&](const WindowImage& image) {
        shape = FindPulldown(image, title);
        return (itemY = shape ? ItemMiddle(*shape, entries, itemIndex) : std::nullopt).has_value();
    };
    if (!game.WaitUntil(what + "the pull-down drawn", pulldownShown, timeout))
        return false;
    // Hover first: the item lighting up proves the row before the click chooses it.
    game.MoveTo(shape->left + 30, *itemY);
    const auto highlighted = [&](const WindowImage& image) {
        return image.At(shape->left + 4, *itemY) == layout::selection;
    };
    if (!game.WaitUntil(what + "the item highlighted", highlighted, timeout))
        return false;
    game.Click(shape->left + 30, *itemY);
    return true;
}
