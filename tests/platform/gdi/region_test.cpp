// Regions as the partial redraw uses them: a rectangle minus rectangles,
// copied out of a context, selected back in, and removed.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(Regions, BoxesAreHalfOpenAndZeroOrReversedOnesEmpty) {
    RegionHandle region = CreateRectRegion(2, 3, 6, 5);
    EXPECT_TRUE(RegionContains(region, 2, 3) && RegionContains(region, 5, 4));
    EXPECT_FALSE(RegionContains(region, 6, 4) || RegionContains(region, 5, 5));
    SetRectRegion(region, 4, 4, 4, 9);
    EXPECT_TRUE(RegionIsEmpty(region));
    SetRectRegion(region, 9, 9, 1, 1);
    EXPECT_TRUE(RegionIsEmpty(region));
    DeleteRegion(region);
}

TEST(Regions, TheClipIsACopyThatCanBeCutReadBackAndRemoved) {
    TestSurface surface(20, 20);
    RegionHandle work = CreateRectRegion(0, 0, 10, 10);
    RegionHandle saved = CreateRectRegion(0, 0, 0, 0);
    EXPECT_FALSE(GetClipRegion(surface.context, saved)); // none yet
    SelectClipRegion(surface.context, work);
    SetRectRegion(work, 2, 2, 4, 4); // the context's copy does not follow
    ExcludeClipRegion(surface.context, work);
    ASSERT_TRUE(GetClipRegion(surface.context, saved));
    EXPECT_TRUE(RegionContains(saved, 0, 0) && RegionContains(saved, 9, 9));
    EXPECT_FALSE(RegionContains(saved, 3, 3) || RegionContains(saved, 10, 0));

    SelectClipRegion(surface.context, nullptr);
    EXPECT_FALSE(GetClipRegion(surface.context, work));
    FillRectIndex(surface.context, 0, 0, 20, 20, 1); // unclipped again
    SelectClipRegion(surface.context, saved);
    FillRectIndex(surface.context, 0, 0, 20, 20, 2);
    EXPECT_EQ(surface.Pixel(0, 0), 2);
    EXPECT_EQ(surface.Pixel(3, 3), 1);
    EXPECT_EQ(surface.Pixel(15, 15), 1);
    DeleteRegion(saved);
    DeleteRegion(work);
}

} // namespace
