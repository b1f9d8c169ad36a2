// BitBlt and FillRectIndex against a pixel-by-pixel model of what they
// must do, plus the cases the model cannot express (mask colours, layout).
#include "gdi_test_support.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::uint8_t Combine(std::uint8_t destination, std::uint8_t source, RasterOp op) {
    switch (op) {
    case RasterOp::SrcCopy: return source;
    case RasterOp::SrcAnd: return destination & source;
    case RasterOp::SrcPaint: return destination | source;
    }
    return 0;
}

TEST(BitmapLayout, RowsAreStoredBottomFirstOnlyWhenAsked) {
    TestSurface bottomUp(5, 3, true);
    TestSurface topDown(5, 3, false);
    EXPECT_EQ(BitmapStride(bottomUp.bitmap), 8);
    BitmapBits(bottomUp.bitmap)[1] = 42; // stored row 0, x 1
    BitmapBits(topDown.bitmap)[1] = 42;
    EXPECT_EQ(GetPixelIndex(bottomUp.bitmap, 1, 2), 42);
    EXPECT_EQ(GetPixelIndex(topDown.bitmap, 1, 0), 42);
    EXPECT_EQ(GetPixelIndex(topDown.bitmap, -1, 0), 0);
    EXPECT_EQ(GetPixelIndex(topDown.bitmap, 5, 0), 0);
}

TEST(BitBlt, CombinesIndicesByEachRasterOp) {
    for (RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcAnd, RasterOp::SrcPaint}) {
        TestSurface source(4, 1);
        TestSurface destination(4, 1);
        const std::uint8_t from[] = {0x00, 0xff, 0xa6, 0x3c};
        const std::uint8_t to[] = {0xca, 0xca, 0xca, 0x00};
        for (int x = 0; x < 4; ++x) {
            source.Pixel(x, 0) = from[x];
            destination.Pixel(x, 0) = to[x];
        }
        const std::uint64_t before = BitmapChangeCount(destination.bitmap);
        BitBlt(destination.context, 0, 0, 4, 1, source.context, 0, 0, op);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(destination.Pixel(x, 0), Combine(to[x], from[x], op)) << x;
        EXPECT_GT(BitmapChangeCount(destination.bitmap), before);
    }
}

// The transparency rule: AND the mask, OR the sprite.
TEST(BitBlt, MaskExpandsToTextAndBackgroundColours) {
    TestSurface mask(2, 1, false, BitmapFormat::Mono);
    mask.Pixel(0, 0) = 0; // opaque
    mask.Pixel(1, 0) = 1; // transparent
    TestSurface sprite(2, 1);
    sprite.Pixel(0, 0) = 0x51;
    sprite.Pixel(1, 0) = 0;
    TestSurface field(2, 1);
    field.FillWith(0x9e);

    BitBlt(field.context, 0, 0, 2, 1, mask.context, 0, 0, RasterOp::SrcAnd);
    EXPECT_EQ(field.Pixel(0, 0), 0);
    EXPECT_EQ(field.Pixel(1, 0), 0x9e);
    BitBlt(field.context, 0, 0, 2, 1, sprite.context, 0, 0, RasterOp::SrcPaint);
    EXPECT_EQ(field.Pixel(0, 0), 0x51);
    EXPECT_EQ(field.Pixel(1, 0), 0x9e);

    // The colours come from the destination's context, not the source's.
    SetTextColorIndex(field.context, 17);
    SetBackgroundColorIndex(field.context, 200);
    SetTextColorIndex(mask.context, 99);
    BitBlt(field.context, 0, 0, 2, 1, mask.context, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(field.Pixel(0, 0), 17);
    EXPECT_EQ(field.Pixel(1, 0), 200);
}

TEST(BitBlt, IndexedSourceToMaskGivesOneWhereTheSourceBackgroundIs) {
    TestSurface source(3, 1);
    source.Pixel(0, 0) = 255;
    source.Pixel(1, 0) = 4;
    source.Pixel(2, 0) = 7;
    SetBackgroundColorIndex(source.context, 7);
    TestSurface mask(3, 1, false, BitmapFormat::Mono);
    BitBlt(mask.context, 0, 0, 3, 1, source.context, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(mask.Pixel(0, 0), 0);
    EXPECT_EQ(mask.Pixel(1, 0), 0);
    EXPECT_EQ(mask.Pixel(2, 0), 1);
}

struct Blit {
    int x, y, width, height, sourceX, sourceY;
    RasterOp op;
};

// Blits and checks every destination pixel against the model, computed from
// the pictures as they were before; clip is the destination's clip or null.
void ExpectBlitMatchesModel(TestSurface& destination, TestSurface& source, const Blit& blit,
                            RegionHandle clip, int round) {
    const std::vector<std::uint8_t> destinationBefore = destination.Snapshot();
    const std::vector<std::uint8_t> sourceBefore = source.Snapshot();
    BitBlt(destination.context, blit.x, blit.y, blit.width, blit.height, source.context,
           blit.sourceX, blit.sourceY, blit.op);
    for (int py = 0; py < destination.Height(); ++py) {
        for (int px = 0; px < destination.Width(); ++px) {
            const std::uint8_t old = destinationBefore[py * destination.Width() + px];
            const int fx = px - blit.x + blit.sourceX, fy = py - blit.y + blit.sourceY;
            const bool drawn = px >= blit.x && px < blit.x + blit.width && py >= blit.y &&
                               py < blit.y + blit.height && fx >= 0 && fx < source.Width() &&
                               fy >= 0 && fy < source.Height() &&
                               (!clip || RegionContains(clip, px, py));
            const std::uint8_t expected =
                drawn ? Combine(old, sourceBefore[fy * source.Width() + fx], blit.op) : old;
            ASSERT_EQ(GetPixelIndex(destination.bitmap, px, py), expected)
                << "round " << round << " at " << px << "," << py;
        }
    }
}

// Random blits, inside, across and beyond both bitmaps' edges, onto other
// bitmaps and onto themselves, with and without a ragged clip region.
TEST(BitBlt, MatchesThePixelModelEverywhere) {
    std::mt19937 random(20240601);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 600; ++round) {
        TestSurface destination(between(1, 40), between(1, 30), between(0, 1) == 1);
        TestSurface other(between(1, 40), between(1, 30), between(0, 1) == 1);
        const bool sameBitmap = round % 3 == 0;
        TestSurface& source = sameBitmap ? destination : other;
        destination.FillPattern(static_cast<std::uint8_t>(round));
        other.FillPattern(static_cast<std::uint8_t>(round * 5 + 1));

        RegionHandle clip =
            CreateRectRegion(between(-5, 20), between(-5, 15), between(0, 45), between(0, 35));
        const bool clipped = round / 2 % 2 == 1;
        if (clipped) {
            SelectClipRegion(destination.context, clip);
            RegionHandle hole = CreateRectRegion(0, 0, 0, 0);
            for (int i = 0; i < 3; ++i) {
                SetRectRegion(hole, between(-5, 35), between(-5, 25), between(0, 45),
                              between(0, 35));
                ExcludeClipRegion(destination.context, hole);
            }
            DeleteRegion(hole);
            GetClipRegion(destination.context, clip);
        }
        const int x = between(-20, 45), y = between(-20, 35);
        // Same-bitmap blits mostly shift by a few pixels, where overlap is.
        const bool nearby = sameBitmap && round % 2 == 0;
        const Blit blit{x,
                        y,
                        between(0, 50),
                        between(0, 40),
                        nearby ? x + between(-8, 8) : between(-20, 45),
                        nearby ? y + between(-1, 1) : between(-20, 35),
                        static_cast<RasterOp>(between(0, 2))};
        ExpectBlitMatchesModel(destination, source, blit, clipped ? clip : nullptr, round);
        DeleteRegion(clip);
    }
}

// Scrolling a surface onto itself sideways under a clip cut into two boxes
// per row: the right box's source lies in the left box's destination.
TEST(BitBlt, ScrollsSidewaysUnderASplitClipLikeMemmove) {
    for (int shift : {-4, 4}) {
        for (RasterOp op : {RasterOp::SrcCopy, RasterOp::SrcPaint}) {
            TestSurface surface(30, 6);
            surface.FillPattern(11);
            RegionHandle clip = CreateRectRegion(0, 0, 30, 6);
            RegionHandle column = CreateRectRegion(14, 0, 15, 6);
            SelectClipRegion(surface.context, clip);
            ExcludeClipRegion(surface.context, column);
            GetClipRegion(surface.context, clip);
            ExpectBlitMatchesModel(surface, surface, {shift, 0, 30, 6, 0, 0, op}, clip, shift);
            DeleteRegion(column);
            DeleteRegion(clip);
        }
    }
}

TEST(FillRectIndex, FillsOnlyInsideTheBitmapAndTheClip) {
    TestSurface surface(10, 8, false);
    surface.FillWith(9);
    FillRectIndex(surface.context, -3, -2, 3, 2, 0);
    FillRectIndex(surface.context, 8, 6, 50, 50, 255);
    FillRectIndex(surface.context, 6, 4, 4, 6, 77); // reversed: nothing
    RegionHandle clip = CreateRectRegion(0, 4, 10, 6);
    SelectClipRegion(surface.context, clip);
    FillRectIndex(surface.context, 0, 3, 2, 7, 5);
    DeleteRegion(clip);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            std::uint8_t expected = 9;
            if (x < 3 && y < 2)
                expected = 0;
            else if (x >= 8 && y >= 6)
                expected = 255;
            else if (x < 2 && y >= 4 && y < 6)
                expected = 5;
            EXPECT_EQ(surface.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

} // namespace
