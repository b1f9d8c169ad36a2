// The emulated display: realizing a palette takes over the free entries of
// the system palette only in the foreground, and only while a display is
// open; each connection starts fresh.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

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
        // Black and white and the other static colours stay; every free one is taken.
        for (int i = 10; i <= 245; ++i) {
            EXPECT_EQ(Rgb(GetSystemPalette()[i]), i << 16 | 0x0102) << i;
            EXPECT_EQ(GetSystemPalette()[i].flags, 0);
        }
        EXPECT_EQ(Rgb(GetSystemPalette()[0]), 0x000000);
        EXPECT_EQ(Rgb(GetSystemPalette()[9]), 0xa6caf0);
        EXPECT_EQ(Rgb(GetSystemPalette()[246]), 0xfffbf0);
        EXPECT_EQ(Rgb(GetSystemPalette()[255]), 0xffffff);
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
    EXPECT_EQ(Rgb(GetSystemPalette()[10]), 0);
    EXPECT_EQ(Rgb(GetSystemPalette()[245]), 0);
    DeleteContext(context);
    DeletePalette(collapsing);
    DeletePalette(palette);
}

} // namespace
