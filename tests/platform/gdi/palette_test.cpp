// The emulated display: its static colours, and how realizing a palette
// takes over the free entries only in the foreground.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

bool Same(const PaletteEntry& entry, int red, int green, int blue) {
    return entry.red == red && entry.green == green && entry.blue == blue;
}

class DisplayPalette : public ::testing::Test {
  protected:
    void SetUp() override { ResetDisplay(); }
    void TearDown() override { ResetDisplay(); }
};

TEST_F(DisplayPalette, FreshDisplayHasTheTwentyStaticColoursAndBlackBetween) {
    const PaletteEntries& system = GetSystemPalette();
    EXPECT_EQ(GetStaticColorCount(), 20);
    EXPECT_TRUE(Same(system[0], 0, 0, 0));
    EXPECT_TRUE(Same(system[1], 128, 0, 0));
    EXPECT_TRUE(Same(system[7], 192, 192, 192));
    EXPECT_TRUE(Same(system[8], 192, 220, 192));
    EXPECT_TRUE(Same(system[9], 166, 202, 240));
    EXPECT_TRUE(Same(system[246], 255, 251, 240));
    EXPECT_TRUE(Same(system[247], 160, 160, 164));
    EXPECT_TRUE(Same(system[248], 128, 128, 128));
    EXPECT_TRUE(Same(system[249], 255, 0, 0));
    EXPECT_TRUE(Same(system[254], 0, 255, 255));
    EXPECT_TRUE(Same(system[255], 255, 255, 255));
    for (int i = 10; i <= 245; ++i)
        EXPECT_TRUE(Same(system[i], 0, 0, 0)) << i;

    SetStaticColorCountForTesting(-1);
    EXPECT_EQ(GetStaticColorCount(), -1);
    SetStaticColorCountForTesting(staticColorCount);
}

TEST_F(DisplayPalette, ForegroundRealizeTakesFreeEntriesOnceBackgroundNone) {
    PaletteEntries entries{};
    for (int i = 0; i < paletteSize; ++i)
        entries[i] = {static_cast<std::uint8_t>(i), 1, 2, pcNoCollapse};
    PaletteHandle palette = CreatePalette(entries);
    ContextHandle context = CreateMemoryContext();

    SelectPalette(context, palette, true);
    EXPECT_EQ(RealizePalette(context), 0);
    const std::uint64_t version = SystemPaletteVersion();
    SelectPalette(context, palette, false);
    EXPECT_EQ(RealizePalette(context), 236);
    EXPECT_GT(SystemPaletteVersion(), version);
    EXPECT_TRUE(Same(GetSystemPalette()[10], 10, 1, 2));
    EXPECT_TRUE(Same(GetSystemPalette()[245], 245, 1, 2));
    EXPECT_TRUE(Same(GetSystemPalette()[0], 0, 0, 0)); // static: never taken
    EXPECT_TRUE(Same(GetSystemPalette()[255], 255, 255, 255));
    const std::uint64_t settled = SystemPaletteVersion();
    EXPECT_EQ(RealizePalette(context), 0);
    EXPECT_EQ(SystemPaletteVersion(), settled);

    // Entries without PC_NOCOLLAPSE are not mapped into the free entries.
    entries[100] = {9, 9, 9, 0};
    PaletteHandle collapsing = CreatePalette(entries);
    SelectPalette(context, collapsing, false);
    EXPECT_EQ(RealizePalette(context), 0);

    DeleteContext(context);
    DeletePalette(collapsing);
    DeletePalette(palette);
}

} // namespace
