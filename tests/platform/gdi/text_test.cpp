// Text in two faces: a letter the first lacks comes from the next, and
// transparent text draws only ink, only inside the clip.
#include "gdi_test_support.h"

#include <array>
#include <gtest/gtest.h>
#include <string_view>

namespace {

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
    // Transparent, under a clip that cuts the letter: only ink, only inside.
    auto draw = [accented](FontHandle face, std::int32_t y, bool clipped = false) {
        TestSurface surface(40, 40);
        surface.Fill(9, false);
        SelectFont(surface.context, face);
        SetBackgroundOpaque(surface.context, false);
        RegionHandle clip = CreateRectRegion(0, 0, clipped ? 8 : 40, 40);
        SelectClipRegion(surface.context, clip);
        DeleteRegion(clip);
        TextOut(surface.context, 4, y, accented);
        SelectFont(surface.context, nullptr);
        return surface.Snapshot();
    };
    const Pixels drawn = draw(font, 10), clipped = draw(font, 10, true);
    EXPECT_EQ(drawn, draw(next, 10 + FontAscent(font) - FontAscent(next)));
    EXPECT_NE(drawn, draw(first, 10));
    for (std::size_t i = 0; i < drawn.size(); ++i)
        ASSERT_EQ(clipped[i], i % 40 < 8 ? drawn[i] : 9) << i;
    EXPECT_NE(drawn, clipped);
    // No family installed: the system's own face, never blank text.
    const std::array<std::string_view, 1> missing = {"No Such Face Anywhere"};
    FontHandle stand = CreateFontByFamilies(missing, 16, 400);
    EXPECT_FALSE(IsFontFamilyInstalled(missing[0]));
    EXPECT_GT(GetTextExtent(stand, "New Game").width, 0);
    for (FontHandle each : {font, first, next, stand})
        DeleteFont(each);
}

} // namespace
