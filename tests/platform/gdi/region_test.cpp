// Regions as the partial redraw uses them: a rectangle, minus rectangles,
// copied out of a context and selected back in, and removed.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(Regions, ZeroOrReversedRectanglesAreEmptyAndBoxesHalfOpen) {
    RegionHandle region = CreateRectRegion(2, 3, 6, 5);
    EXPECT_FALSE(RegionIsEmpty(region));
    EXPECT_TRUE(RegionContains(region, 2, 3));
    EXPECT_TRUE(RegionContains(region, 5, 4));
    EXPECT_FALSE(RegionContains(region, 6, 4));
    EXPECT_FALSE(RegionContains(region, 5, 5));
    SetRectRegion(region, 4, 4, 4, 9);
    EXPECT_TRUE(RegionIsEmpty(region));
    SetRectRegion(region, 9, 9, 1, 1);
    EXPECT_TRUE(RegionIsEmpty(region));
    DeleteRegion(region);
}

TEST(Regions, ClipIsACopyThatCanBeExcludedFromAndReadBack) {
    TestSurface surface(20, 20);
    RegionHandle work = CreateRectRegion(0, 0, 10, 10);
    RegionHandle saved = CreateRectRegion(0, 0, 0, 0);
    EXPECT_FALSE(GetClipRegion(surface.context, saved)); // none yet: untouched
    EXPECT_TRUE(RegionIsEmpty(saved));

    SelectClipRegion(surface.context, work);
    SetRectRegion(work, 2, 2, 4, 4); // the context's copy does not follow
    ExcludeClipRegion(surface.context, work);
    ASSERT_TRUE(GetClipRegion(surface.context, saved));
    EXPECT_TRUE(RegionContains(saved, 0, 0));
    EXPECT_TRUE(RegionContains(saved, 9, 9));
    EXPECT_FALSE(RegionContains(saved, 3, 3));
    EXPECT_FALSE(RegionContains(saved, 10, 0));

    // Fill through the clip, then with it removed.
    FillRectIndex(surface.context, 0, 0, 20, 20, 8);
    EXPECT_EQ(surface.Pixel(0, 0), 8);
    EXPECT_EQ(surface.Pixel(3, 3), 0);
    EXPECT_EQ(surface.Pixel(15, 15), 0);
    SelectClipRegion(surface.context, nullptr);
    EXPECT_FALSE(GetClipRegion(surface.context, work));
    FillRectIndex(surface.context, 0, 0, 20, 20, 1);
    EXPECT_EQ(surface.Pixel(3, 3), 1);

    // With no clip, excluding starts from the whole bitmap.
    SetRectRegion(work, 5, 5, 50, 50);
    ExcludeClipRegion(surface.context, work);
    ASSERT_TRUE(GetClipRegion(surface.context, saved));
    EXPECT_TRUE(RegionContains(saved, 19, 0));
    EXPECT_FALSE(RegionContains(saved, 5, 5));
    EXPECT_FALSE(RegionContains(saved, 20, 0));

    // Selecting the saved copy back restores it exactly.
    SelectClipRegion(surface.context, nullptr);
    SelectClipRegion(surface.context, saved);
    FillRectIndex(surface.context, 0, 0, 20, 20, 2);
    EXPECT_EQ(surface.Pixel(19, 0), 2);
    EXPECT_EQ(surface.Pixel(19, 19), 1);
    DeleteRegion(saved);
    DeleteRegion(work);
}

} // namespace
