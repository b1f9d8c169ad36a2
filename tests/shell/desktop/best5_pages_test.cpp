// The Best5 pages of panelImage, pixel by pixel in the installed face: both
// layouts' columns, scores ending at one edge, names cut at the page's edge,
// the 13-row cells, each table's colour, and page 0 left alone.

#include "core/name.h"
#include "platform/gdi/gdi.h"
#include "shell/panel/best5_pages.h"
#include "shell/panel/start_panel.h"
#include "shell/text_faces.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace {

class Best5Pages : public ::testing::Test {
  protected:
    void SetUp() override {
        FontHandle probe = CreateFontByFamilies(gameTextFaces, best5CellHeight, 400);
        if (probe == nullptr)
            GTEST_SKIP() << "neither game face is installed";
        DeleteFont(probe);
        // Bottom-up, as start-up makes it from the stored title picture.
        SelectBitmap(context_, bitmap_);
        window_.screen.panelImage = {bitmap_, BitmapBits(bitmap_), context_};
        for (std::int32_t y = 0; y < 140; ++y) // the title picture, to survive
            FillRectIndex(context_, 0, y, 288, y + 1, static_cast<std::uint8_t>(30 + y % 7));
        FillRectIndex(context_, 0, 140, 288, 560, 77);         // leftovers to be cleared
        const std::int32_t scores[5] = {12345, 995, 45, 5, 5}; // all end in 5
        const std::string names[5] = {"Zoe", "Zoe", "---", "Zoe", std::string(80, 'W')};
        for (auto& table : window_.game.records)
            for (std::size_t r = 0; r < 5; ++r) {
                table[r] = {{}, scores[r], 1234};
                SetName(table[r].name, names[r]);
            }
    }
    void TearDown() override {
        DeleteContext(context_);
        DeleteBitmap(bitmap_);
    }

    // The first and last lit column in x0..x1-1 of the cell from `row` on of table d's page.
    std::pair<std::int32_t, std::int32_t> Lit(int d, std::int32_t row, std::int32_t x0,
                                              std::int32_t x1) {
        std::int32_t first = -1, last = -1;
        const std::int32_t top = 140 * (d + 1) + row;
        for (std::int32_t x = x0; x < x1; ++x)
            for (std::int32_t y = top; y < top + best5CellHeight; ++y)
                if (GetPixelIndex(bitmap_, x, y) != 0) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return {first, last};
    }

    MainWindow window_;
    BitmapHandle bitmap_ = CreateIndexedBitmap(288, 560, true);
    ContextHandle context_ = CreateMemoryContext();
};

} // namespace

// Each layout's columns (place, score end S, "F", jumps, name N) on every
// line, in each table's colour, lit only within the 13-row cells.
TEST_F(Best5Pages, BothLayoutsPlaceTheirColumnsInTheirCellsAndLeavePageZero) {
    struct Columns {
        std::int32_t showJumpCount, place, scoreEnd, floor, jumps, name;
    };
    const std::uint8_t colours[3] = {251, 254, 253};
    // Drawn with jumps first, so the plain pages must clear the jump column.
    for (const Columns c : {Columns{1, 10, 69, 73, 89, 135}, Columns{0, 20, 83, 87, -1, 119}}) {
        window_.game.showJumpCount = c.showJumpCount;
        DrawBest5Pages(window_);
        for (std::int32_t y = 0; y < 140; ++y)
            ASSERT_EQ(GetPixelIndex(bitmap_, 5, y), 30 + y % 7) << "page 0 row " << y;
        const std::int32_t jumpsEnd = c.jumps < 0 ? c.name - 2 : c.jumps + 40;
        for (int d = 0; d < 3; ++d) {
            SCOPED_TRACE("layout " + std::to_string(c.showJumpCount) + " table " +
                         std::to_string(d));
            for (std::int32_t y = 0; y < 140; ++y) {
                const bool inCell =
                    (y >= best5TitleY && y < best5TitleY + best5CellHeight) ||
                    (y >= best5FirstRowY && (y - best5FirstRowY) % best5RowStep < best5CellHeight);
                for (std::int32_t x = 0; x < 288; ++x) {
                    const std::uint8_t v = GetPixelIndex(bitmap_, x, 140 * (d + 1) + y);
                    ASSERT_TRUE(v == 0 || (inCell && v == colours[d]))
                        << x << "," << y << ": " << int(v);
                }
            }
            EXPECT_NEAR(Lit(d, best5TitleY, 0, 288).first, 49, 1) << "title";
            for (int p = 0; p < 5; ++p) {
                SCOPED_TRACE("place " + std::to_string(p));
                const std::int32_t row = best5FirstRowY + best5RowStep * p;
                EXPECT_NEAR(Lit(d, row, 0, c.place + 6).first, c.place + 1, 1);
                // Every score, 1 to 5 digits, ends within the glyph's bearing of S.
                const std::int32_t scoreEnd = Lit(d, row, c.place + 22, c.floor).second;
                EXPECT_NEAR(scoreEnd, c.scoreEnd - 2, 1);
                EXPECT_EQ(scoreEnd, Lit(d, best5FirstRowY, c.place + 22, c.floor).second);
                EXPECT_NEAR(Lit(d, row, c.scoreEnd, c.floor + 10).first, c.floor + 1, 1);
                // The jump count, or nothing where the plain layout has none.
                EXPECT_NEAR(Lit(d, row, c.floor + 10, jumpsEnd).first,
                            c.jumps < 0 ? -1 : c.jumps + 1, c.jumps < 0 ? 0 : 1);
                // Names start at N; a hyphen name is not lost between pixel rows.
                EXPECT_NEAR(Lit(d, row, c.name - 2, 288).first, c.name + 1, 1);
            }
        }
        // A name wider than the line runs to the page's edge (a W's own
        // blank columns aside).
        EXPECT_GE(Lit(0, best5FirstRowY + best5RowStep * 4, c.name, 288).second, 284);
    }
}
