// The SDL pieces that need no display: key codes, the icon reader, the
// screen's colour table and what changed between two frames.
#include "platform/sdl/event_translation.h"
#include "platform/sdl/icon_reader.h"
#include "platform/sdl/key_mapping.h"
#include "platform/sdl/screen_colors.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

TEST(KeyMapping, GivesTheVirtualKeyOfEveryKeyKnownAndNoneForOthers) {
    // The ends of each mapped run and their neighbours, so an off-by-one shows.
    // clang-format off
    const std::pair<SDL_Keycode, int> cases[] = {
        {SDLK_a, 'A'}, {SDLK_z, 'Z'}, {SDLK_0, '0'}, {SDLK_9, '9'}, {SDLK_F1, vk::f1},
        {SDLK_F12, 123}, {SDLK_KP_ENTER, vk::enter}, {SDLK_RSHIFT, vk::shift},
        {SDLK_RCTRL, vk::control}, {SDLK_RALT, vk::alt}, {SDLK_BACKQUOTE, 0}, {'{', 0},
        {SDLK_SLASH, 0}, {SDLK_COLON, 0}, {SDLK_KP_0, 0}, {SDLK_UNKNOWN, 0}};
    // clang-format on
    for (const auto& [key, virtualKey] : cases)
        EXPECT_EQ(VirtualKeyFromKeycode(key), virtualKey) << SDL_GetKeyName(key);
}

// The game clicks with the left button only; the others mean nothing to it.
TEST(EventTranslation, OnlyTheLeftButtonPressesAndReleases) {
    SDL_Event sdlEvent{};
    sdlEvent.type = SDL_MOUSEBUTTONUP;
    sdlEvent.button.button = SDL_BUTTON_LEFT;
    sdlEvent.button.x = 30;
    sdlEvent.button.y = 40;
    InputEvent event;
    ASSERT_TRUE(TranslateEvent(sdlEvent, event));
    EXPECT_EQ(event.kind, InputEvent::Kind::MouseUp);
    EXPECT_EQ(std::pair(event.x, event.y), std::pair(30, 40));
    sdlEvent.button.button = SDL_BUTTON_RIGHT;
    EXPECT_FALSE(TranslateEvent(sdlEvent, event));
}

using Bytes = std::vector<std::uint8_t>;

// An icon of one 32 x 32 picture, index (x + y) % 3, transparent on the top
// row's first twelve pixels; rows stored bottom first, mask bits from the left.
Bytes IconFile() {
    Bytes file;
    // The directory (reserved, type icon, one picture; 32 x 32, 8 bits, its size and offset),
    // then the picture's header (size, width, twice the height, planes, bits, six fields).
    // clang-format off
    for (auto [value, size] : {std::pair{0u, 2}, {1u, 2}, {1u, 2}, {32u, 1}, {32u, 1}, {0u, 2}, {1u, 2}, {8u, 2},
             {40u + 3 * 4 + 32 * 32 + 4 * 32, 4}, {6u + 16, 4}, {40u, 4}, {32u, 4}, {64u, 4}, {1u, 2},
             {8u, 2}, {0u, 4}, {0u, 4}, {0u, 4}, {0u, 4}, {3u, 4}, {0u, 4}})
        for (int i = 0; i < size; ++i)
            file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    // clang-format on
    // Stored blue, green, red, unused: red, green, blue.
    file.insert(file.end(), {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0});
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; ++x)
            file.push_back(static_cast<std::uint8_t>((x + y) % 3));
    for (int y = 31; y >= 0; --y)
        file.insert(file.end(),
                    {std::uint8_t(y == 0 ? 0xFF : 0), std::uint8_t(y == 0 ? 0xF0 : 0), 0, 0});
    return file;
}

TEST(IconReader, ReadsThePictureTopRowFirstWithItsMaskAndNothingOfACutFile) {
    const std::uint32_t colors[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    std::vector<std::uint32_t> expected;
    expected.reserve(std::size_t{32} * 32);
    for (int i = 0; i < 32 * 32; ++i)
        expected.push_back(i < 12 ? 0u : colors[(i % 32 + i / 32) % 3]);
    const Bytes file = IconFile();
    const std::optional<IconImage> icon = ReadIcon32(file);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->argb, expected);
    // Cut short anywhere: nothing, and no read past the end (the sanitizer checks).
    for (std::size_t length = 0; length < file.size(); ++length)
        EXPECT_FALSE(ReadIcon32(std::span(file).first(length))) << length;

    // The committed icon's first 32 x 32 picture, of 16 colours, is passed over.
    std::ifstream in(VARNISK_ASSET_DIR "/icons/varnisk.ico", std::ios::binary);
    const std::optional<IconImage> committed =
        ReadIcon32(Bytes(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(committed);
    int opaque = 0;
    for (std::uint32_t pixel : committed->argb) {
        EXPECT_TRUE(pixel == 0 || pixel >> 24 == 0xFF) << std::hex << pixel;
        opaque += pixel != 0 ? 1 : 0;
    }
    EXPECT_GT(opaque, 32 * 32 / 4);
}

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
    std::vector<std::uint32_t> texture(std::size_t{4} * 2, 0xEEEEEEEEu);
    ConvertIndices(indices, 3, {0, 0, 3, 2}, table, 1,
                   reinterpret_cast<std::uint8_t*>(texture.data()), 16);
    EXPECT_EQ(texture,
              (std::vector<std::uint32_t>{0xFFAA0000u, 0xFF00BB00u, 0xFF030303u, 0xEEEEEEEEu,
                                          0xFF040404u, 0xFF050505u, 0xFF060606u, 0xEEEEEEEEu}));
}

TEST(ScreenColorTable, ConvertsAnAreaZoomedIntoTheSurfacesOwnLayout) {
    PaletteEntries palette{};
    palette[1] = {0x11, 0x22, 0x33, 0};
    palette[2] = {0xAA, 0xBB, 0xCC, 0};
    ScreenColorTable table;
    table.Update(palette, PixelLayout{0x000000FFu, 0x0000FF00u, 0x00FF0000u});
    EXPECT_FALSE(table.Update(palette, PixelLayout{0x000000FFu, 0x0000FF00u, 0x00FF0000u}));
    // Rows of 3 indices, of which the area is the right column of the
    // bottom row; the destination has 7 pixels a row, one spare.
    const std::vector<std::uint8_t> indices = {0, 0, 0, 0, 1, 2};
    std::vector<std::uint32_t> surface(std::size_t{7} * 4, 0);
    ConvertIndices(indices, 3, {1, 1, 2, 1}, table, 2,
                   reinterpret_cast<std::uint8_t*>(surface.data()), 28);
    const std::uint32_t a = 0xFF332211u;
    const std::uint32_t b = 0xFFCCBBAAu;
    EXPECT_EQ(surface, (std::vector<std::uint32_t>{0, 0, 0, 0, 0, 0, 0, //
                                                   0, 0, 0, 0, 0, 0, 0, //
                                                   0, 0, a, a, b, b, 0, //
                                                   0, 0, a, a, b, b, 0}));
}

TEST(TakeChanges, FindsTheRunsOfChangedRowsAndKeepsTheFrame) {
    // 4 wide, 6 high, in rows of 5 (the fifth column is not the frame's).
    std::vector<std::uint8_t> frame(std::size_t{5} * 6, 0);
    std::vector<std::uint8_t> shown;
    EXPECT_EQ(TakeChanges(frame, 5, 4, 6, shown), (std::vector<PixelRect>{{0, 0, 4, 6}}));
    EXPECT_TRUE(TakeChanges(frame, 5, 4, 6, shown).empty());
    frame[4] = 9; // outside the frame
    frame[5 * 1 + 3] = 1;
    frame[5 * 2 + 1] = 1;
    frame[5 * 5 + 0] = 1;
    frame[5 * 5 + 3] = 1;
    EXPECT_EQ(TakeChanges(frame, 5, 4, 6, shown),
              (std::vector<PixelRect>{{1, 1, 3, 2}, {0, 5, 4, 1}}));
    EXPECT_TRUE(TakeChanges(frame, 5, 4, 6, shown).empty());
    frame[5 * 2 + 2] = 3;
    EXPECT_EQ(TakeChanges(frame, 5, 4, 6, shown), (std::vector<PixelRect>{{2, 2, 1, 1}}));
}

} // namespace
