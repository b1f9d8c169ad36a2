// The emulated display: its static colours, and realizing a palette, which
// takes over the free entries only in the foreground.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

class DisplayPalette : public ::testing::Test {
  protected:
    void SetUp() override { ResetDisplay(); }
    void TearDown() override { ResetDisplay(); }
    static int Rgb(int index) {
        const PaletteEntry& entry = GetSystemPalette()[index];
        return entry.red << 16 | entry.green << 8 | entry.blue;
    }
};

TEST_F(DisplayPalette, FreshDisplayHasTheTwentyStaticColoursAndBlackBetween) {
    EXPECT_EQ(GetStaticColorCount(), 20);
    const int statics[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                             0xc0c0c0, 0xc0dcc0, 0xa6caf0, 0xfffbf0, 0xa0a0a4, 0x808080, 0xff0000,
                             0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Rgb(i < 10 ? i : 236 + i), statics[i]) << i;
    for (int i = 10; i <= 245; ++i)
        EXPECT_EQ(Rgb(i), 0) << i;
}

TEST_F(DisplayPalette, ForegroundRealizeTakesFreeEntriesOnceBackgroundNone) {
    PaletteEntries entries{};
    for (int i = 0; i < paletteSize; ++i)
        entries[i] = {static_cast<std::uint8_t>(i), 1, 2, pcNoCollapse};
    PaletteHandle palette = CreatePalette(entries);
    entries[100].flags = 0; // without PC_NOCOLLAPSE: not mapped
    entries[100].red = 9;
    PaletteHandle collapsing = CreatePalette(entries);
    ContextHandle context = CreateMemoryContext();

    SelectPalette(context, palette, true);
    EXPECT_EQ(RealizePalette(context), 0);
    const std::uint64_t version = SystemPaletteVersion();
    SelectPalette(context, palette, false);
    EXPECT_EQ(RealizePalette(context), 236);
    EXPECT_GT(SystemPaletteVersion(), version);
    EXPECT_EQ(Rgb(10), 0x0a0102);
    EXPECT_EQ(Rgb(245), 0xf50102);
    EXPECT_EQ(Rgb(255), 0xffffff); // static: never taken
    const std::uint64_t settled = SystemPaletteVersion();
    EXPECT_EQ(RealizePalette(context), 0);
    SelectPalette(context, collapsing, false);
    EXPECT_EQ(RealizePalette(context), 0);
    EXPECT_EQ(SystemPaletteVersion(), settled);

    DeleteContext(context);
    DeletePalette(collapsing);
    DeletePalette(palette);
}

} // namespace
