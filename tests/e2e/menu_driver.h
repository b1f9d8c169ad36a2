#pragma once

// Works the game's menu bar with the mouse, finding titles and items from
// the pixels: titles are the words of black text on the bar, a pull-down is
// the raised grey box under its title, and its items lie between the
// separators at the height the box shows.

#include "tests/e2e/x_session.h"

#include <optional>
#include <string>
#include <vector>

struct TitleSpan {
    int first = 0, last = 0; // the first and last columns of the title's letters
    int Middle() const { return (first + last) / 2; }
};

// The titles on the bar, left to right; grayed ones too. Read it while no
// menu is open (an open title's frame would join the words).
std::vector<TitleSpan> FindMenuTitles(const WindowImage& image);

struct PulldownShape {
    int left = 0;                // the outer left column
    int top = 0;                 // the outer top row
    std::vector<int> separators; // the grey row of each separator line
};

// The pull-down opened under a title, once its black bottom edge shows.
std::optional<PulldownShape> FindPulldown(const WindowImage& image, const TitleSpan& title);

// The middle row of item `index` (counting items only) of a pull-down whose
// entries are `entries`, 'i' for an item and '-' for a separator, e.g.
// "ii-ii-i"; nothing when the shape does not fit the entries.
std::optional<int> ItemMiddle(const PulldownShape& shape, const std::string& entries, int index);

// Opens the menu at titleIndex and clicks item itemIndex of it, whose entries
// are described as for ItemMiddle. False (with a picture) when the bar, the
// pull-down or the item's highlight does not show.
bool ChooseMenuItem(XSession& game, int titleIndex, const std::string& entries, int itemIndex,
                    std::chrono::milliseconds timeout);
