#include "platform/sdl/icon_reader.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t pictureAt = 6 + 16;

// An icon file of one 32 x 32 picture with three colours: index (x + y) % 3,
// transparent on the top row's first twelve pixels. Rows are stored bottom
// first, and the mask's bits from the left.
Bytes IconFile() {
    Bytes file;
    // The directory (reserved, type icon, one picture; 32 x 32, 8 bits, the
    // picture's size and offset), then the picture's header (size, width,
    // twice the height, planes, bits, and six fields, the fifth counting the
    // colours used).
    // clang-format off
    for (auto [value, size] : {std::pair{0u, 2}, {1u, 2}, {1u, 2}, {32u, 1}, {32u, 1}, {0u, 2},
                               {1u, 2}, {8u, 2}, {40u + 3 * 4 + 32 * 32 + 4 * 32, 4},
                               {pictureAt, 4}, {40u, 4}, {32u, 4}, {64u, 4}, {1u, 2}, {8u, 2},
                               {0u, 4}, {0u, 4}, {0u, 4}, {0u, 4}, {3u, 4}, {0u, 4}})
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

TEST(IconReader, ReadsThePictureTopRowFirstWithItsMask) {
    const std::uint32_t colors[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    std::vector<std::uint32_t> expected;
    for (int i = 0; i < 32 * 32; ++i) {
        expected.push_back(i < 12 ? 0u : colors[(i % 32 + i / 32) % 3]);
    }
    const std::optional<IconImage> icon = ReadIcon32(IconFile());
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->argb, expected);

    // The committed icon's first 32 x 32 picture is the 16-colour one, which
    // must be passed over for the 256-colour one.
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

TEST(IconReader, GivesNothingForDamagedFiles) {
    const Bytes good = IconFile();
    // Cut short anywhere: the picture no longer fits, and nothing is read
    // past the end (the sanitizer build checks that).
    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_FALSE(ReadIcon32(std::span(good).first(length))) << length;
    }
    // clang-format off
    const std::tuple<const char*, std::size_t, std::uint8_t> damages[] = {
        {"not an icon file", 2, 2}, {"picture beyond the file", 6 + 15, 0x40},
        {"size larger than the file", 6 + 10, 0x40}, {"another header size", pictureAt, 12},
        {"a PNG picture", pictureAt, 0x89}, {"another width", pictureAt + 4, 16},
        {"another bit depth", pictureAt + 14, 4}, {"compressed", pictureAt + 16, 1},
        {"more than 256 colours", pictureAt + 33, 1},
        {"an index past the colour table", pictureAt + 40 + 3 * 4 + 5, 3},
    };
    // clang-format on
    for (const auto& [what, at, value] : damages) {
        Bytes file = good;
        file[at] = value;
        EXPECT_FALSE(ReadIcon32(file)) << what;
    }
}

} // namespace
