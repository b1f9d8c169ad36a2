#include "platform/sdl/screen_colors.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

PaletteEntries GreyRamp() {
    PaletteEntries palette{};
    for (int i = 0; i < paletteSize; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        palette[i] = {level, level, level, 0};
    }
    return palette;
}

TEST(ScreenColorTable, IsRemadeOnlyWhenAColourChanges) {
    ScreenColorTable table;
    PaletteEntries palette = GreyRamp();
    EXPECT_TRUE(table.Update(palette)); // the first palette always makes it
    EXPECT_EQ(table[0], 0xFF000000u);
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
        EXPECT_EQ(table[255], 0xFFFFFFFFu);
    }
}

TEST(ScreenColorTable, ConvertsIndicesIntoPaddedRowsAndNothingBeyond) {
    PaletteEntries palette = GreyRamp();
    palette[1] = {0xAA, 0x00, 0x00, 0};
    palette[2] = {0x00, 0xBB, 0x00, 0};
    ScreenColorTable table;
    table.Update(palette);

    const std::vector<std::uint8_t> indices = {1, 2, 3, 4, 5, 6};
    constexpr std::int32_t width = 3;
    constexpr std::int32_t height = 2;
    constexpr std::int32_t pitch = 16; // one spare pixel at each row's end
    std::vector<std::uint8_t> texture(pitch * height, 0xEE);
    ConvertIndicesToArgb(indices, width, height, table, texture.data(), pitch);

    auto pixel = [&](int x, int y) {
        std::uint32_t value = 0;
        std::memcpy(&value, texture.data() + y * pitch + x * 4, sizeof value);
        return value;
    };
    EXPECT_EQ(pixel(0, 0), 0xFFAA0000u);
    EXPECT_EQ(pixel(1, 0), 0xFF00BB00u);
    EXPECT_EQ(pixel(2, 0), 0xFF030303u);
    EXPECT_EQ(pixel(0, 1), 0xFF040404u);
    EXPECT_EQ(pixel(2, 1), 0xFF060606u);
    EXPECT_EQ(pixel(3, 0), 0xEEEEEEEEu); // the padding is left alone
    EXPECT_EQ(pixel(3, 1), 0xEEEEEEEEu);
}

} // namespace
