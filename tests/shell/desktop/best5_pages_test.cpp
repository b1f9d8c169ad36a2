// The Best5 pages of panelImage, pixel by pixel in the installed face: the
// two layouts' columns, scores ending at one edge, names cut at the page's
// edge, each table's colour, and page 0 left alone.

#include "core/name.h"
#include "platform/gdi/gdi.h"
#include "shell/panel/best5_pages.h"
#include "shell/shell_ports.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t width = 288;
constexpr std::int32_t height = 560;

class Best5Pages : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::array<std::string_view, 2> families{"Mona", "IPAPGothic"};
        FontHandle probe = CreateFontByFamilies(families, best5CellHeight, 400);
        if (probe == nullptr) {
            GTEST_SKIP() << "neither game face is installed";
        }
        DeleteFont(probe);
        // Bottom-up, as the start-up makes it from the stored title picture.
        bitmap_ = CreateIndexedBitmap(width, height, true);
        context_ = CreateMemoryContext();
        SelectBitmap(context_, bitmap_);
        state_.panelImage = {bitmap_, BitmapBits(bitmap_), context_};
        // Page 0 holds the title picture: a pattern that must survive.
        for (std::int32_t y = 0; y < 140; ++y)
            FillRectIndex(context_, 0, y, width, y + 1, static_cast<std::uint8_t>(30 + y % 7));
        FillRectIndex(context_, 0, 140, width, height, 77); // leftovers to be cleared
        const std::int32_t scores[5] = {12345, 995, 45, 5, 5};
        const std::int32_t jumps[5] = {1234, 7, 0, 99, 3};
        for (auto& table : state_.records)
            for (int r = 0; r < 5; ++r) {
                table[r].score = scores[r];
                table[r].jumps = jumps[r];
                SetName(table[r].name, r == 4 ? std::string(80, 'W') : r == 2 ? "---" : "Zoe");
            }
    }
    void TearDown() override {
        DeleteContext(context_);
        DeleteBitmap(bitmap_);
    }

    std::uint8_t At(std::int32_t x, std::int32_t y) const { return GetPixelIndex(bitmap_, x, y); }
    // The first and last lit column of a line of table d between x0 and x1.
    struct Span {
        std::int32_t first = -1, last = -1;
    };
    Span Lit(int table, std::int32_t top, std::int32_t x0, std::int32_t x1) const {
        Span span;
        const std::int32_t pageTop = 140 * (table + 1);
        for (std::int32_t x = x0; x < x1; ++x)
            for (std::int32_t y = pageTop + top; y < pageTop + top + best5CellHeight + 2; ++y)
                if (At(x, y) != 0) {
                    if (span.first < 0)
                        span.first = x;
                    span.last = x;
                }
        return span;
    }
    static std::int32_t Row(int place) { return best5FirstRowY + best5RowStep * place; }

    GameState state_{};
    BitmapHandle bitmap_ = nullptr;
    ContextHandle context_ = nullptr;
};

} // namespace

TEST(Best5Titles, NameTheDifficultyBetweenFullWidthParentheses) {
    EXPECT_EQ(Best5Title(0), "Best5   \xEF\xBC\x88 Difficulty : Easy \xEF\xBC\x89");
    EXPECT_EQ(Best5Title(1), "Best5   （ Difficulty : Normal ）");
    EXPECT_EQ(Best5Title(2), "Best5   （ Difficulty : Hard ）");
}

TEST_F(Best5Pages, EachTableInItsColourOnBlackAndThePictureUntouched) {
    DrawBest5Pages(state_);
    for (std::int32_t y = 0; y < 140; ++y)
        ASSERT_EQ(At(5, y), 30 + y % 7) << "page 0 row " << y;
    const std::uint8_t colours[3] = {251, 254, 253};
    for (int table = 0; table < 3; ++table) {
        int lit = 0;
        for (std::int32_t y = 140 * (table + 1); y < 140 * (table + 2); ++y)
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint8_t v = At(x, y);
                ASSERT_TRUE(v == 0 || v == colours[table]) << x << "," << y << " is " << int(v);
                lit += v != 0;
            }
        EXPECT_GT(lit, 500) << "table " << table;
        // The title starts at x = 48, 14 rows into the page.
        const Span title = Lit(table, best5TitleY, 0, width);
        EXPECT_GE(title.first, 48);
        EXPECT_LE(title.first, 50);
        EXPECT_EQ(Lit(table, 0, 0, width).first, -1) << "nothing above the title";
    }
}

TEST_F(Best5Pages, EveryLineKeepsWithinItsThirteenRowCellAndHyphensShow) {
    DrawBest5Pages(state_);
    for (int table = 0; table < 3; ++table) {
        const std::int32_t pageTop = 140 * (table + 1);
        std::vector<bool> lit(140, false);
        for (std::int32_t y = 0; y < 140; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                lit[static_cast<std::size_t>(y)] =
                    lit[static_cast<std::size_t>(y)] || At(x, pageTop + y) != 0;
        for (std::int32_t y = 0; y < 140; ++y) {
            const bool inTitle = y >= best5TitleY && y < best5TitleY + best5CellHeight;
            const bool inEntry =
                y >= best5FirstRowY && (y - best5FirstRowY) % best5RowStep < best5CellHeight;
            if (!inTitle && !inEntry) {
                EXPECT_FALSE(lit[static_cast<std::size_t>(y)]) << "table " << table << " row " << y;
            }
        }
        // A name of hyphens is not lost between the rows of the face.
        EXPECT_GE(Lit(table, Row(2), 110, width).first, 119) << "table " << table;
    }
}

TEST_F(Best5Pages, PlainLayoutEndsScoresAt83WithFAt87AndNamesAt119) {
    state_.showJumpCount = 1; // drawn first with jumps: the redraw must clear them
    DrawBest5Pages(state_);
    state_.showJumpCount = 0;
    DrawBest5Pages(state_);
    for (int table = 0; table < 3; ++table) {
        std::int32_t scoreEdge = -1;
        for (int place = 0; place < 5; ++place) {
            const Span label = Lit(table, Row(place), 0, 40);
            EXPECT_GE(label.first, 20);
            EXPECT_LE(label.first, 22);
            // Every score, 1 to 5 digits, all ending in 5, ends at one column.
            const Span score = Lit(table, Row(place), 40, 87);
            EXPECT_LE(score.last, 82) << "place " << place;
            EXPECT_GE(score.last, 79) << "place " << place;
            if (scoreEdge < 0)
                scoreEdge = score.last;
            EXPECT_EQ(score.last, scoreEdge) << "place " << place;
            const Span letter = Lit(table, Row(place), 83, 100);
            EXPECT_GE(letter.first, 87);
            EXPECT_LE(letter.first, 89);
            EXPECT_EQ(Lit(table, Row(place), 97, 119).first, -1) << "no jump column";
            const Span name = Lit(table, Row(place), 100, width);
            EXPECT_GE(name.first, 119);
            EXPECT_LE(name.first, 121);
        }
        // A name wider than the line runs to the page's edge (a W's own
        // blank columns aside).
        EXPECT_GE(Lit(table, Row(4), 100, width).last, width - 4);
    }
}

TEST_F(Best5Pages, JumpLayoutEndsScoresAt69WithFAt73JumpsAt89AndNamesAt135) {
    state_.showJumpCount = 1;
    DrawBest5Pages(state_);
    for (int table = 0; table < 3; ++table) {
        std::int32_t scoreEdge = -1;
        for (int place = 0; place < 5; ++place) {
            const Span label = Lit(table, Row(place), 0, 28);
            EXPECT_GE(label.first, 10);
            EXPECT_LE(label.first, 12);
            const Span score = Lit(table, Row(place), 28, 73);
            EXPECT_LE(score.last, 68);
            EXPECT_GE(score.last, 65);
            if (scoreEdge < 0)
                scoreEdge = score.last;
            EXPECT_EQ(score.last, scoreEdge) << "place " << place;
            const Span letter = Lit(table, Row(place), 69, 86);
            EXPECT_GE(letter.first, 73);
            EXPECT_LE(letter.first, 75);
            const Span jumps = Lit(table, Row(place), 86, 133);
            EXPECT_GE(jumps.first, 89);
            EXPECT_LE(jumps.first, 91);
            const Span name = Lit(table, Row(place), 133, width);
            EXPECT_GE(name.first, 135);
            EXPECT_LE(name.first, 137);
        }
        EXPECT_GE(Lit(table, Row(4), 133, width).last, width - 4);
    }
}
