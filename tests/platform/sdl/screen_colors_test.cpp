#include "platform/sdl/screen_colors.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(ScreenColorTable, IsRemadeOnlyWhenAColourChangesAndConvertsIntoPaddedRows) {
    PaletteEntries palette{};
    for (int i = 0; i < paletteSize; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        palette[i] = {level, level, level, 0};
    }
    ScreenColorTable table;
    EXPECT_TRUE(table.Update(palette)); // the first palette always makes it
    EXPECT_EQ(table[255], 0xFFFFFFFFu);
    EXPECT_FALSE(table.Update(palette));
    // A flag says how an entry was mapped, not what it shows.
    palette[7].flags = pcNoCollapse;
    EXPECT_FALSE(table.Update(palette));
    // The last entry of each channel, so a comparison that stops early shows.
    for (auto channel : {&PaletteEntry::red, &PaletteEntry::green, &PaletteEntry::blue}) {
        PaletteEntries changed = palette;
        changed[255].*channel = 0x12;
        EXPECT_TRUE(table.Update(changed));
        EXPECT_NE(table[255], 0xFFFFFFFFu);
        EXPECT_TRUE(table.Update(palette));
    }
    palette[1] = {0xAA, 0x00, 0x00, 0};
    palette[2] = {0x00, 0xBB, 0x00, 0};
    table.Update(palette);
    // 3 x 2 indices into rows of 16 bytes: one spare pixel at each row's end.
    const std::vector<std::uint8_t> indices = {1, 2, 3, 4, 5, 6};
    std::vector<std::uint32_t> texture(4 * 2, 0xEEEEEEEEu);
    ConvertIndicesToArgb(indices, 3, 2, table, reinterpret_cast<std::uint8_t*>(texture.data()), 16);
    EXPECT_EQ(texture,
              (std::vector<std::uint32_t>{0xFFAA0000u, 0xFF00BB00u, 0xFF030303u, 0xEEEEEEEEu,
                                          0xFF040404u, 0xFF050505u, 0xFF060606u, 0xEEEEEEEEu}));
}

} // namespace
