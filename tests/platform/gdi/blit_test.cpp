// BitBlt and FillRectIndex against a pixel-by-pixel model of what they
// must do, plus what the model does not cover: mask colours and layout.
#include "gdi_test_support.h"

#include <gtest/gtest.h>
#include <random>

namespace {

std::uint8_t Combine(std::uint8_t destination, std::uint8_t source, RasterOp op) {
    return op == RasterOp::SrcCopy  ? source
           : op == RasterOp::SrcAnd ? destination & source
                                    : destination | source;
}

TEST(BitmapLayout, RowsAreStoredBottomFirstOnlyWhenAsked) {
    TestSurface bottomUp(5, 3, true), topDown(5, 3, false);
    EXPECT_EQ(BitmapStride(bottomUp.bitmap), 8);
    BitmapBits(bottomUp.bitmap)[1] = BitmapBits(topDown.bitmap)[1] = 42; // stored row 0, x 1
    EXPECT_EQ(GetPixelIndex(bottomUp.bitmap, 1, 2), 42);
    EXPECT_EQ(GetPixelIndex(topDown.bitmap, 1, 0), 42);
    EXPECT_EQ(GetPixelIndex(topDown.bitmap, 5, 0), 0);
}

// The transparency rule (AND the mask, OR the sprite), then the mask's
// colours taken from the destination's context.
TEST(BitBlt, MaskExpandsToTheDestinationsTextAndBackgroundColours) {
    TestSurface mask(2, 1, false, BitmapFormat::Mono), sprite(2, 1), field(2, 1);
    mask.Pixel(1, 0) = 1; // x 0 opaque, x 1 transparent
    sprite.Pixel(0, 0) = 0x51;
    field.Fill(0x9e, false);
    BitBlt(field.context, 0, 0, 2, 1, mask.context, 0, 0, RasterOp::SrcAnd);
    EXPECT_EQ(field.Snapshot(), (Pixels{0, 0x9e}));
    BitBlt(field.context, 0, 0, 2, 1, sprite.context, 0, 0, RasterOp::SrcPaint);
    EXPECT_EQ(field.Snapshot(), (Pixels{0x51, 0x9e}));

    SetTextColorIndex(field.context, 17);
    SetBackgroundColorIndex(field.context, 200);
    SetTextColorIndex(mask.context, 99);
    BitBlt(field.context, 0, 0, 2, 1, mask.context, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(field.Snapshot(), (Pixels{17, 200}));

    // Back to a mask: the source's background colour gives 1, others 0.
    SetBackgroundColorIndex(field.context, 17);
    BitBlt(mask.context, 0, 0, 2, 1, field.context, 0, 0, RasterOp::SrcCopy);
    EXPECT_EQ(mask.Snapshot(), (Pixels{1, 0}));
}

struct Blit {
    int x, y, width, height, sourceX, sourceY;
    RasterOp op;
};

// Blits, then checks every destination pixel against the model computed
// from the pictures as they were before; clip is the destination's or null.
void ExpectBlitMatchesModel(TestSurface& destination, TestSurface& source, const Blit& blit,
                            RegionHandle clip, int round) {
    const Pixels before = destination.Snapshot(), sourceBefore = source.Snapshot();
    const std::uint64_t changes = BitmapChangeCount(destination.bitmap);
    BitBlt(destination.context, blit.x, blit.y, blit.width, blit.height, source.context,
           blit.sourceX, blit.sourceY, blit.op);
    EXPECT_TRUE(blit.width <= 0 || blit.height <= 0 ||
                BitmapChangeCount(destination.bitmap) > changes);
    for (int py = 0; py < destination.Height(); ++py) {
        for (int px = 0; px < destination.Width(); ++px) {
            const std::uint8_t old = before[py * destination.Width() + px];
            const int fx = px - blit.x + blit.sourceX, fy = py - blit.y + blit.sourceY;
            const bool drawn = px >= blit.x && px < blit.x + blit.width && py >= blit.y &&
                               py < blit.y + blit.height && fx >= 0 && fx < source.Width() &&
                               fy >= 0 && fy < source.Height() &&
                               (!clip || RegionContains(clip, px, py));
            ASSERT_EQ(GetPixelIndex(destination.bitmap, px, py),
                      drawn ? Combine(old, sourceBefore[fy * source.Width() + fx], blit.op) : old)
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
        destination.Fill(static_cast<std::uint8_t>(round));
        other.Fill(static_cast<std::uint8_t>(round * 5 + 1));
        RegionHandle clip =
            CreateRectRegion(between(-5, 20), between(-5, 15), between(0, 45), between(0, 35));
        const bool clipped = round / 2 % 2 == 1;
        if (clipped) {
            SelectClipRegion(destination.context, clip);
            for (int i = 0; i < 3; ++i) {
                SetRectRegion(clip, between(-5, 35), between(-5, 25), between(0, 45),
                              between(0, 35));
                ExcludeClipRegion(destination.context, clip);
            }
            GetClipRegion(destination.context, clip);
        }
        // Same-bitmap blits mostly shift by a few pixels, where overlap is.
        const bool nearby = sameBitmap && round % 2 == 0;
        const int x = between(-20, 45), y = between(-20, 35), w = between(0, 50),
                  h = between(0, 40);
        const Blit blit{x,
                        y,
                        w,
                        h,
                        nearby ? x + between(-8, 8) : between(-20, 45),
                        nearby ? y + between(-1, 1) : between(-20, 35),
                        static_cast<RasterOp>(between(0, 2))};
        ExpectBlitMatchesModel(destination, sameBitmap ? destination : other, blit,
                               clipped ? clip : nullptr, round);
        DeleteRegion(clip);
    }
}

// Scrolling sideways onto itself under a clip cut into two boxes per row:
// the right box's source lies in the left box's destination.
TEST(BitBlt, ScrollsSidewaysUnderASplitClipLikeMemmove) {
    for (int shift : {-4, 4}) {
        TestSurface surface(30, 6);
        surface.Fill(11);
        RegionHandle clip = CreateRectRegion(14, 0, 15, 6);
        ExcludeClipRegion(surface.context, clip);
        GetClipRegion(surface.context, clip);
        ExpectBlitMatchesModel(surface, surface, {shift, 0, 30, 6, 0, 0, RasterOp::SrcPaint}, clip,
                               shift);
        DeleteRegion(clip);
    }
}

TEST(FillRectIndex, FillsOnlyInsideTheBitmapAndTheClip) {
    TestSurface surface(10, 8, false);
    surface.Fill(9, false);
    FillRectIndex(surface.context, -3, -2, 3, 2, 0);
    FillRectIndex(surface.context, 8, 6, 50, 50, 255);
    FillRectIndex(surface.context, 6, 4, 4, 6, 77); // reversed: nothing
    RegionHandle clip = CreateRectRegion(0, 4, 10, 6);
    SelectClipRegion(surface.context, clip);
    DeleteRegion(clip);
    FillRectIndex(surface.context, 0, 3, 2, 7, 5);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const int expected = x < 3 && y < 2             ? 0
                                 : x >= 8 && y >= 6         ? 255
                                 : x < 2 && y >= 4 && y < 6 ? 5
                                                            : 9;
            EXPECT_EQ(surface.Pixel(x, y), expected) << x << "," << y;
        }
    }
}

} // namespace
