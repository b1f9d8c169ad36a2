// Text in each installed face: the indices it draws, where, and that the
// extents measure exactly the cell that is drawn.
#include "gdi_test_support.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string_view>

namespace {

// The box of the pixels for which keep(pixel) holds: left, top, right, bottom.
template <typename Keep>
std::array<int, 4> BoxOf(TestSurface& surface, Keep keep) {
    std::array<int, 4> box = {1000, 1000, -1, -1};
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (keep(surface.Pixel(x, y)))
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1),
                       std::max(box[3], y + 1)};
    return box;
}

class TextInFace : public ::testing::TestWithParam<const char*> {};

TEST_P(TextInFace, DrawsInkAndCellInTheContextColoursWithinItsExtent) {
    // A family is taken only if it is really installed, not substituted.
    const std::array<std::string_view, 2> families = {"No Such Family Here", GetParam()};
    EXPECT_EQ(CreateFontByFamilies(std::span(families).first(1), 12, 400), nullptr);
    FontHandle font = CreateFontByFamilies(families, 12, 400);
    ASSERT_NE(font, nullptr);
    EXPECT_GE(FontLineHeight(font), 12);
    EXPECT_EQ(GetTextExtent(font, "").width, 0);
    // One cell height for every line, whatever its letters.
    for (std::string_view line : {"", "a", "gj(\xef\xbc\x88)"})
        EXPECT_EQ(GetTextExtent(font, line).height, FontLineHeight(font));

    const std::string_view text = "New Game (A)";
    const TextExtent extent = GetTextExtent(font, text);
    TestSurface surface(160, 40);
    surface.Fill(9, false);
    SelectFont(surface.context, font);
    SetTextColorIndex(surface.context, 3);
    SetBackgroundColorIndex(surface.context, 4);
    TextOut(surface.context, 7, 5, text);
    EXPECT_EQ(BoxOf(surface, [](int p) { return p != 3 && p != 4 && p != 9; })[2], -1);
    EXPECT_EQ(BoxOf(surface, [](int p) { return p != 9; }),
              (std::array<int, 4>{7, 5, 7 + extent.width, 5 + extent.height}));
    const std::array<int, 4> ink = BoxOf(surface, [](int p) { return p == 3; });
    EXPECT_GT(ink[2] - ink[0], extent.width * 3 / 4);
    EXPECT_GT(ink[3] - ink[1], 6);

    // Transparent: the same ink and nothing else, and only inside the clip.
    const Pixels opaque = surface.Snapshot();
    surface.Fill(9, false);
    SetBackgroundOpaque(surface.context, false);
    RegionHandle clip = CreateRectRegion(0, 0, 30, 40);
    SelectClipRegion(surface.context, clip);
    DeleteRegion(clip);
    TextOut(surface.context, 7, 5, text);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 160; ++x)
            ASSERT_EQ(surface.Pixel(x, y), x < 30 && opaque[y * 160 + x] == 3 ? 3 : 9);
    SelectFont(surface.context, nullptr);
    DeleteFont(font);
}

INSTANTIATE_TEST_SUITE_P(InstalledFaces, TextInFace, ::testing::Values("Mona", "IPAPGothic"));

// A character the first face lacks (Mona has no accented Latin letters)
// comes from the next family, on the first face's baseline: at 16
// pixels the two faces' ascents differ by one.
TEST(TextFallback, LettersTheFirstFaceLacksComeFromTheNextFamily) {
    const std::array<std::string_view, 2> both = {"Mona", "IPAPGothic"};
    FontHandle font = CreateFontByFamilies(both, 16, 400);
    FontHandle first = CreateFontByFamilies(std::span(both).first(1), 16, 400);
    FontHandle next = CreateFontByFamilies(std::span(both).last(1), 16, 400);
    ASSERT_TRUE(font && first && next);
    ASSERT_NE(FontAscent(font), FontAscent(next));
    const std::string_view accented = "\xc3\xab"; // e with diaeresis
    EXPECT_EQ(GetTextExtent(font, "Zo\xc3\xab").width,
              GetTextExtent(font, "Zo").width + GetTextExtent(next, accented).width);
    auto draw = [accented](FontHandle face, std::int32_t y) {
        TestSurface surface(40, 40);
        surface.Fill(9, false);
        SelectFont(surface.context, face);
        SetBackgroundOpaque(surface.context, false);
        TextOut(surface.context, 4, y, accented);
        SelectFont(surface.context, nullptr);
        return surface.Snapshot();
    };
    const Pixels drawn = draw(font, 10);
    EXPECT_EQ(drawn, draw(next, 10 + FontAscent(font) - FontAscent(next)));
    EXPECT_NE(drawn, draw(first, 10));
    for (FontHandle each : {font, first, next})
        DeleteFont(each);
}

} // namespace
