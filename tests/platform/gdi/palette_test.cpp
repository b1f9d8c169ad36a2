// The emulated display: its static colours, and realizing a palette, which
// takes over the free entries only in the foreground.
#include "gdi_test_support.h"

#include <gtest/gtest.h>

namespace {

// The twenty static colours at 0..9 and 246..255, never taken; free
// entries are free(index).
template <typename Free>
void ExpectSystemPalette(Free free) {
    const int statics[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                             0xc0c0c0, 0xc0dcc0, 0xa6caf0, 0xfffbf0, 0xa0a0a4, 0x808080, 0xff0000,
                             0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};
    for (int i = 0; i < paletteSize; ++i) {
        const PaletteEntry& entry = GetSystemPalette()[i];
        EXPECT_EQ(entry.red << 16 | entry.green << 8 | entry.blue, i < 10    ? statics[i]
                                                                   : i > 245 ? statics[i - 236]
                                                                             : free(i))
            << i;
    }
}

TEST(DisplayPalette, ForegroundRealizeTakesFreeEntriesOnceBackgroundNone) {
    ResetDisplay();
    EXPECT_EQ(GetStaticColorCount(), 20);
    ExpectSystemPalette([](int) { return 0; }); // black between the static colours
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
    ExpectSystemPalette([](int i) { return i << 16 | 0x0102; });
    const std::uint64_t settled = SystemPaletteVersion();
    EXPECT_EQ(RealizePalette(context), 0);
    SelectPalette(context, collapsing, false);
    EXPECT_EQ(RealizePalette(context), 0);
    EXPECT_EQ(SystemPaletteVersion(), settled);

    DeleteContext(context);
    DeletePalette(collapsing);
    DeletePalette(palette);
    ResetDisplay();
}

} // namespace
