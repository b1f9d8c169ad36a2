#include "tests/e2e/game_layout.h"
#include "tests/e2e/menu_driver.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t fieldColor = 0x2E0B11;
constexpr int itemHeight = 18;

// A made-up game screen drawn the way the game draws its menus, shown at a
// whole factor like the real window.
class Screen {
  public:
    explicit Screen(int zoom)
        : zoom_(zoom), pixels_(static_cast<std::size_t>(layout::screenWidth) * layout::screenHeight,
                               fieldColor) {
        Fill(0, 0, layout::screenWidth, layout::menuBarHeight, layout::face);
    }

    void Fill(int x, int y, int width, int height, std::uint32_t color) {
        for (int row = y; row < y + height; ++row) {
            for (int column = x; column < x + width; ++column) {
                pixels_[static_cast<std::size_t>(row) * layout::screenWidth + column] = color;
            }
        }
    }

    // A word of `letters` 5-pixel letters, one pixel apart; grayed words are
    // etched: white one pixel down and right under grey.
    void Word(int x, int letters, bool grayed) {
        for (int i = 0; i < letters; ++i) {
            if (grayed) {
                Fill(x + 6 * i + 1, 6, 5, 8, layout::white);
            }
            Fill(x + 6 * i, 5, 5, 8, grayed ? layout::shadow : layout::black);
        }
    }

    // A pull-down at (left, bar bottom): raised edges, items of itemHeight
    // rows with a label each, 8-row separators with a grey and a white line.
    void Pulldown(int left, const std::string& entries) {
        const int width = 140;
        int height = 6;
        for (const char entry : entries) {
            height += entry == '-' ? 8 : itemHeight;
        }
        const int top = layout::menuBarHeight;
        Fill(left, top, width, height, layout::face);
        Fill(left, top + height - 1, width, 1, layout::black);
        Fill(left + width - 1, top, 1, height, layout::black);
        Fill(left + 1, top + 1, width - 2, 1, layout::white);
        Fill(left + 1, top + 1, 1, height - 2, layout::white);
        Fill(left + 1, top + height - 2, width - 2, 1, layout::shadow);
        Fill(left + width - 2, top + 1, 1, height - 2, layout::shadow);
        int y = top + 3;
        for (const char entry : entries) {
            if (entry == '-') {
                Fill(left + 1, y + 3, width - 2, 1, layout::shadow);
                Fill(left + 1, y + 4, width - 2, 1, layout::white);
                y += 8;
            } else {
                Fill(left + 21, y + 4, 60, 9, layout::black);
                y += itemHeight;
            }
        }
    }

    WindowImage Image() const {
        const int width = layout::screenWidth * zoom_;
        const int height = layout::screenHeight * zoom_;
        std::vector<std::uint32_t> rgb(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                rgb[static_cast<std::size_t>(y) * width + x] =
                    pixels_[static_cast<std::size_t>(y / zoom_) * layout::screenWidth + x / zoom_];
            }
        }
        return WindowImage(width, height, zoom_, std::move(rgb));
    }

  private:
    int zoom_;
    std::vector<std::uint32_t> pixels_;
};

// The bar as the game lays it out: each title 6 pixels in from its box.
Screen BarWithTitles(int zoom, bool difficultyGrayed) {
    Screen screen(zoom);
    screen.Word(6, 4, false);              // File, box 0..35
    screen.Word(42, 10, difficultyGrayed); // Difficulty, box 36..107
    screen.Word(114, 6, false);            // Option, box 108..155
    screen.Word(162, 4, false);            // Help
    return screen;
}

TEST(MenuDriver, FindsEveryTitleOnTheBarGrayedOrNotAtAnyZoom) {
    for (const int zoom : {1, 2}) {
        for (const bool grayed : {false, true}) {
            const std::vector<TitleSpan> titles =
                FindMenuTitles(BarWithTitles(zoom, grayed).Image());
            ASSERT_EQ(titles.size(), 4u) << zoom << grayed;
            EXPECT_EQ(titles[0].first, 6);
            EXPECT_EQ(titles[0].last, 28);
            // An etched title ends with its white shadow, one pixel further.
            EXPECT_EQ(titles[1].last, grayed ? 101 : 100);
            EXPECT_EQ(titles[2].Middle(), (114 + 148) / 2);
            EXPECT_EQ(titles[3].first, 162);
        }
    }
}

TEST(MenuDriver, FindsThePulldownAndTheMiddleOfEachItem) {
    const int barBottom = layout::menuBarHeight;
    for (const int zoom : {1, 2}) {
        Screen screen = BarWithTitles(zoom, false);
        screen.Pulldown(0, "ii-ii-i");
        screen.Pulldown(108, "iiii-i");
        const WindowImage image = screen.Image();
        const std::vector<TitleSpan> titles = FindMenuTitles(BarWithTitles(zoom, false).Image());
        ASSERT_EQ(titles.size(), 4u);

        const std::optional<PulldownShape> file = FindPulldown(image, titles[0]);
        ASSERT_TRUE(file.has_value()) << zoom;
        EXPECT_EQ(file->left, 0);
        EXPECT_EQ(file->separators, (std::vector<int>{barBottom + 42, barBottom + 86}));
        EXPECT_EQ(file->bottom, barBottom + 6 + 5 * itemHeight + 16 - 1);
        const int fileMiddles[] = {9, 27, 53, 71, 97}; // New Game .. Exit, below the bar
        for (int item = 0; item < 5; ++item) {
            EXPECT_EQ(ItemMiddle(*file, "ii-ii-i", item), barBottom + 3 + fileMiddles[item])
                << item;
        }
        EXPECT_EQ(ItemMiddle(*file, "ii-ii-i", 5), std::nullopt);
        // A description that does not fit what is drawn gives no row at all.
        EXPECT_EQ(ItemMiddle(*file, "iiii-i", 0), std::nullopt);

        const std::optional<PulldownShape> option = FindPulldown(image, titles[2]);
        ASSERT_TRUE(option.has_value());
        EXPECT_EQ(option->left, 108);
        EXPECT_EQ(ItemMiddle(*option, "iiii-i", 3), barBottom + 3 + 3 * itemHeight + 9);
        EXPECT_EQ(ItemMiddle(*option, "iiii-i", 4), barBottom + 3 + 4 * itemHeight + 8 + 9);
    }
}

TEST(MenuDriver, SeesNoPulldownWhereOnlyTheFieldShows) {
    const Screen screen = BarWithTitles(1, false);
    const std::vector<TitleSpan> titles = FindMenuTitles(screen.Image());
    ASSERT_EQ(titles.size(), 4u);
    EXPECT_EQ(FindPulldown(screen.Image(), titles[0]), std::nullopt);
    // A white line over the field is not a pull-down's edge either.
    Screen striped = BarWithTitles(1, false);
    striped.Fill(120, layout::menuBarHeight, 1, 100, layout::white);
    EXPECT_EQ(FindPulldown(striped.Image(), titles[2]), std::nullopt);
}

} // namespace
