// BitBlt against a pixel model, then what the model does not cover: mask
// colours, fills, the clip's life, and the emulated display's palette.
#include "gdi_test_support.h"

#include <gtest/gtest.h>
#include <random>

namespace {

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

// Blits, then checks every destination pixel against the model computed
// from the pictures as they were before; clip is the destination's or null.
void ExpectBlitMatchesModel(TestSurface& to, TestSurface& from, int x, int y, int w, int h,
                            int sourceX, int sourceY, RasterOp op, RegionHandle clip) {
    const Pixels before = to.Snapshot(), source = from.Snapshot();
    const std::uint64_t changes = BitmapChangeCount(to.bitmap);
    BitBlt(to.context, x, y, w, h, from.context, sourceX, sourceY, op);
    EXPECT_TRUE(w <= 0 || h <= 0 || BitmapChangeCount(to.bitmap) > changes);
    for (int py = 0; py < to.Height(); ++py) {
        for (int px = 0; px < to.Width(); ++px) {
            const std::uint8_t old = before[py * to.Width() + px];
            const int fx = px - x + sourceX, fy = py - y + sourceY;
            const bool drawn = px >= x && px < x + w && py >= y && py < y + h && fx >= 0 &&
                               fx < from.Width() && fy >= 0 && fy < from.Height() &&
                               (!clip || RegionContains(clip, px, py));
            const std::uint8_t s = drawn ? source[fy * from.Width() + fx] : 0;
            const int combined = op == RasterOp::SrcCopy  ? s
                                 : op == RasterOp::SrcAnd ? old & s
                                                          : old | s;
            ASSERT_EQ(to.Pixel(px, py), drawn ? combined : old) << px << "," << py;
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
        SCOPED_TRACE(round);
        TestSurface to(between(1, 40), between(1, 30), between(0, 1) == 1);
        TestSurface other(between(1, 40), between(1, 30), between(0, 1) == 1);
        TestSurface& from = round % 3 == 0 ? to : other;
        to.Fill(static_cast<std::uint8_t>(round));
        other.Fill(static_cast<std::uint8_t>(round * 5 + 1));
        RegionHandle clip =
            CreateRectRegion(between(-5, 20), between(-5, 15), between(0, 45), between(0, 35));
        const bool clipped = round / 2 % 2 == 1;
        if (clipped) {
            SelectClipRegion(to.context, clip);
            for (int i = 0; i < 3; ++i) {
                SetRectRegion(clip, between(-5, 35), between(-5, 25), between(0, 45),
                              between(0, 35));
                ExcludeClipRegion(to.context, clip);
            }
            GetClipRegion(to.context, clip);
        }
        // Same-bitmap blits mostly shift by a few pixels, where overlap is.
        const bool nearby = &from == &to && round % 2 == 0;
        const int x = between(-20, 45), y = between(-20, 35), w = between(0, 50),
                  h = between(0, 40);
        const int sourceX = nearby ? x + between(-8, 8) : between(-20, 45);
        const int sourceY = nearby ? y + between(-1, 1) : between(-20, 35);
        ExpectBlitMatchesModel(to, from, x, y, w, h, sourceX, sourceY,
                               static_cast<RasterOp>(between(0, 2)), clipped ? clip : nullptr);
        DeleteRegion(clip);
    }
    // Scrolling sideways onto itself under a clip cut into two boxes a row:
    // the right box's source lies in the left box's destination.
    for (int shift : {-4, 4}) {
        TestSurface surface(30, 6);
        surface.Fill(11);
        RegionHandle clip = CreateRectRegion(14, 0, 15, 6);
        ExcludeClipRegion(surface.context, clip);
        GetClipRegion(surface.context, clip);
        ExpectBlitMatchesModel(surface, surface, shift, 0, 30, 6, 0, 0, RasterOp::SrcPaint, clip);
        DeleteRegion(clip);
    }
}

// Fills stop at the bitmap's edges and at the clip, which is the context's
// own copy: cut, read back, removed and selected again.
TEST(FillRectIndex, FillsOnlyInsideTheBitmapAndTheClip) {
    TestSurface surface(10, 8, false);
    surface.Fill(9, false);
    FillRectIndex(surface.context, -3, -2, 3, 2, 0);
    FillRectIndex(surface.context, 8, 6, 50, 50, 1);
    FillRectIndex(surface.context, 6, 4, 4, 6, 7); // reversed: nothing
    RegionHandle work = CreateRectRegion(2, 2, 8, 6), saved = CreateRectRegion(0, 0, 0, 0);
    EXPECT_FALSE(GetClipRegion(surface.context, saved)); // no clip yet
    ExcludeClipRegion(surface.context, work);            // so the whole bitmap minus work
    ASSERT_TRUE(GetClipRegion(surface.context, saved));
    FillRectIndex(surface.context, 1, 3, 10, 7, 2);
    SelectClipRegion(surface.context, nullptr);
    EXPECT_FALSE(GetClipRegion(surface.context, work));
    FillRectIndex(surface.context, 4, 4, 6, 5, 3); // unclipped again
    SelectClipRegion(surface.context, saved);
    SetRectRegion(saved, 9, 9, 1, 1); // the context's copy does not follow
    EXPECT_TRUE(RegionIsEmpty(saved));
    FillRectIndex(surface.context, 3, 0, 6, 3, 4);
    SetRectRegion(work, 1, 1, 1, 9);
    EXPECT_TRUE(RegionIsEmpty(work));
    DeleteRegion(saved);
    DeleteRegion(work);
    const char* expected[] = {"000444....", "000444....", "..........", ".2......22",
                              ".2..33..22", ".2......22", ".222222222", "........11"};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(surface.Pixel(x, y), expected[y][x] == '.' ? 9 : expected[y][x] - '0');
}

// A second cut after a draw has walked the clip: the draw after it sees the
// new clip, and a cut reaching over what is already gone adds nothing back.
TEST(ExcludeClipRegion, EachCutTakesAwayOnlyWhatIsLeftAndTheNextDrawSeesIt) {
    TestSurface surface(8, 1, false);
    surface.Fill(9, false);
    RegionHandle cut = CreateRectRegion(0, 0, 4, 1);
    ExcludeClipRegion(surface.context, cut);
    FillRectIndex(surface.context, 0, 0, 8, 1, 1);
    SetRectRegion(cut, 2, 0, 6, 1);
    ExcludeClipRegion(surface.context, cut);
    FillRectIndex(surface.context, 0, 0, 8, 1, 2);
    DeleteRegion(cut);
    EXPECT_EQ(surface.Snapshot(), (Pixels{9, 9, 9, 9, 1, 1, 2, 2}));
}

// Realizing a palette takes the system palette's free entries only in the
// foreground and while a display is open; each connection starts fresh.
int Rgb(const PaletteEntry& entry) {
    return entry.red << 16 | entry.green << 8 | entry.blue;
}

TEST(DisplayPalette, ForegroundRealizeTakesTheFreeEntriesOnceOnlyWhileADisplayIsOpen) {
    PaletteEntries entries{};
    for (int i = 0; i < paletteSize; ++i)
        entries[i] = {static_cast<std::uint8_t>(i), 1, 2, pcNoCollapse};
    PaletteHandle palette = CreatePalette(entries);
    entries[100] = {9, 1, 2, 0}; // without PC_NOCOLLAPSE: not mapped
    PaletteHandle collapsing = CreatePalette(entries);
    ContextHandle context = CreateMemoryContext();
    SelectPalette(context, palette, false);
    EXPECT_EQ(RealizePalette(context), 0) << "no display open";
    {
        DisplayConnection display;
        EXPECT_EQ(GetStaticColorCount(), 20);
        SelectPalette(context, palette, true);
        EXPECT_EQ(RealizePalette(context), 0) << "in the background";
        const std::uint64_t version = SystemPaletteVersion();
        SelectPalette(context, palette, false);
        EXPECT_EQ(RealizePalette(context), 236);
        EXPECT_GT(SystemPaletteVersion(), version);
        // Every free entry, 10 to 245, is taken.
        for (int i = 10; i <= 245; ++i) {
            EXPECT_EQ(Rgb(GetSystemPalette()[i]), i << 16 | 0x0102) << i;
            EXPECT_EQ(GetSystemPalette()[i].flags, 0);
        }
        const std::uint64_t settled = SystemPaletteVersion();
        EXPECT_EQ(RealizePalette(context), 0);
        SelectPalette(context, collapsing, false);
        EXPECT_EQ(RealizePalette(context), 0);
        EXPECT_EQ(SystemPaletteVersion(), settled);
    }
    // Closed, and a new one fresh: black between the static colours.
    DisplayConnection display({.staticColors = -1});
    EXPECT_EQ(GetStaticColorCount(), -1);
    EXPECT_EQ(SystemPaletteVersion(), 0u);
    EXPECT_EQ(Rgb(GetSystemPalette()[10]) + Rgb(GetSystemPalette()[245]), 0);
    DeleteContext(context);
    DeletePalette(collapsing);
    DeletePalette(palette);
}

} // namespace
