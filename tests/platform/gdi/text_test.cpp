// Text through the installed faces: the indices it draws, where, and that
// the extents measure what is drawn.
#include "gdi_test_support.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string_view>

namespace {

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    void Add(int x, int y) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + 1);
        bottom = std::max(bottom, y + 1);
    }
};

TEST(Fonts, OnlyTheFamiliesAskedForAreAccepted) {
    const std::array<std::string_view, 1> missing = {"No Such Family Here"};
    EXPECT_EQ(CreateFontByFamilies(missing, 12, 400), nullptr);
    const std::array<std::string_view, 2> withFallback = {"No Such Family Here", "IPAPGothic"};
    FontHandle font = CreateFontByFamilies(withFallback, 12, 700);
    ASSERT_NE(font, nullptr);
    DeleteFont(font);
}

class TextInFace : public ::testing::TestWithParam<const char*> {};

TEST_P(TextInFace, DrawsTextAndCellInTheContextColoursWithinItsExtent) {
    const std::array<std::string_view, 1> family = {GetParam()};
    FontHandle font = CreateFontByFamilies(family, 12, 400);
    ASSERT_NE(font, nullptr);
    EXPECT_GE(FontLineHeight(font), 12);
    EXPECT_LE(FontLineHeight(font), 18);
    EXPECT_GT(FontAscent(font), 6);
    EXPECT_LT(FontAscent(font), FontLineHeight(font));
    const TextExtent empty = GetTextExtent(font, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, FontLineHeight(font));

    // One cell height for every line, whatever its letters.
    EXPECT_EQ(GetTextExtent(font, "a").height, FontLineHeight(font));
    EXPECT_EQ(GetTextExtent(font, "gj(\xef\xbc\x88)").height, FontLineHeight(font));

    const std::string_view text = "New Game (A)";
    const TextExtent extent = GetTextExtent(font, text);
    EXPECT_GT(extent.width, 40);
    EXPECT_LT(extent.width, 100);

    TestSurface surface(160, 40);
    surface.FillWith(9);
    SelectFont(surface.context, font);
    SetTextColorIndex(surface.context, 3);
    SetBackgroundColorIndex(surface.context, 4);
    TextOut(surface.context, 7, 5, text);
    Box cell, ink;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 160; ++x) {
            const std::uint8_t pixel = surface.Pixel(x, y);
            ASSERT_TRUE(pixel == 9 || pixel == 3 || pixel == 4) << int{pixel};
            if (pixel != 9)
                cell.Add(x, y);
            if (pixel == 3)
                ink.Add(x, y);
        }
    }
    EXPECT_EQ(cell.left, 7);
    EXPECT_EQ(cell.top, 5);
    EXPECT_EQ(cell.right, 7 + extent.width);
    EXPECT_EQ(cell.bottom, 5 + extent.height);
    EXPECT_GT(ink.right - ink.left, extent.width * 3 / 4);
    EXPECT_GT(ink.bottom - ink.top, 6);

    // Transparent: only the ink changes, and never outside the clip.
    surface.FillWith(9);
    SetBackgroundOpaque(surface.context, false);
    RegionHandle clip = CreateRectRegion(0, 0, 30, 40);
    SelectClipRegion(surface.context, clip);
    DeleteRegion(clip);
    TextOut(surface.context, 7, 5, text);
    int inked = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 160; ++x) {
            const std::uint8_t pixel = surface.Pixel(x, y);
            EXPECT_TRUE(pixel == 9 || (pixel == 3 && x < 30));
            inked += pixel == 3;
        }
    }
    EXPECT_GT(inked, 10);
    SelectFont(surface.context, nullptr);
    DeleteFont(font);
}

INSTANTIATE_TEST_SUITE_P(InstalledFaces, TextInFace, ::testing::Values("Mona", "IPAPGothic"));

} // namespace
