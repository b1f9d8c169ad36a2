#pragma once

// Works the game's menu bar with the mouse, finding from the pixels the
// titles (words of text on the bar), the pull-down under a title (a raised
// grey box) and its items (between the separators, at the height shown).

#include "tests/e2e/x_session.h"

#include <optional>
#include <string>
#include <vector>

struct TitleSpan {
    int first = 0, last = 0; // the first and last columns of the title's letters
    int Middle() const { return (first + last) / 2; }
};

// The titles on the bar, left to right, grayed ones too; read while no menu is open.
std::vector<TitleSpan> FindMenuTitles(const WindowImage& image);

struct PulldownShape {
    int left = 0, top = 0;       // the outer left column and top row
    std::vector<int> separators; // the grey row of each separator line
};

// The pull-down opened under a title, once its black bottom edge shows.
std::optional<PulldownShape> FindPulldown(const WindowImage& image, const TitleSpan& title);

// The middle row of item `index` (counting items only) of a pull-down whose
// entries are e.g. "ii-ii-i" ('-' a separator); nothing if the shape does not fit.
std::optional<int> ItemMiddle(const PulldownShape& shape, const std::string& entries, int index);

// Opens menu titleIndex and clicks its item itemIndex; false (with a picture)
// when the bar, the pull-down or the item's highlight does not show.
bool ChooseMenuItem(XSession& game, int titleIndex, const std::string& entries, int itemIndex,
                    std::chrono::milliseconds timeout);
