#include "platform/sdl/icon_reader.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

constexpr std::size_t pictureAt = 6 + 16;

// An icon file of one 32 x 32 picture with three colours: index (x + y) % 3,
// transparent on the top row's left half. Rows are stored bottom first.
Bytes IconFile() {
    Bytes file;
    for (std::uint32_t field : {0u, 1u, 1u}) {
        Put(file, field, 2); // reserved, type icon, one picture
    }
    file.insert(file.end(), {32, 32, 0, 0, 1, 0, 8, 0});
    Put(file, 40 + 3 * 4 + 32 * 32 + 4 * 32, 4);
    Put(file, pictureAt, 4);
    // The picture's header: size, width, twice the height, planes, bits, and
    // six fields of which the fifth counts the colours used.
    for (auto [value, size] : {std::pair{40u, 4}, {32u, 4}, {64u, 4}, {1u, 2}, {8u, 2}}) {
        Put(file, value, size);
    }
    for (std::uint32_t field : {0u, 0u, 0u, 0u, 3u, 0u}) {
        Put(file, field, 4);
    }
    // Stored blue, green, red, unused: red, green, blue.
    file.insert(file.end(), {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0});
    for (int y = 31; y >= 0; --y) {
        for (int x = 0; x < 32; ++x) {
            file.push_back(static_cast<std::uint8_t>((x + y) % 3));
        }
    }
    for (int y = 31; y >= 0; --y) {
        const std::uint8_t leftHalf = y == 0 ? 0xFF : 0x00;
        file.insert(file.end(), {leftHalf, leftHalf, 0, 0});
    }
    return file;
}

TEST(IconReader, ReadsThePictureTopRowFirstWithItsMask) {
    const std::optional<IconImage> icon = ReadIcon32(IconFile());
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->argb.size(), 32u * 32u);
    const std::uint32_t colors[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool transparent = y == 0 && x < 16;
            EXPECT_EQ(icon->argb[y * 32 + x], transparent ? 0u : colors[(x + y) % 3])
                << x << "," << y;
        }
    }
}

// Its first 32 x 32 picture is the 16-colour one, which must be passed over.
TEST(IconReader, ReadsTheCommittedIcon) {
    std::ifstream in(VARNISK_ASSET_DIR "/icons/varnisk.ico", std::ios::binary);
    const Bytes file(std::istreambuf_iterator<char>(in), {});
    const std::optional<IconImage> icon = ReadIcon32(file);
    ASSERT_TRUE(icon);
    int opaque = 0;
    for (std::uint32_t pixel : icon->argb) {
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
    struct Damage {
        const char* what;
        std::size_t at;
        std::uint8_t value;
    };
    const Damage damages[] = {
        {"not an icon file", 2, 2},
        {"picture beyond the file", 6 + 15, 0x40},
        {"size larger than the file", 6 + 10, 0x40},
        {"another header size", pictureAt, 12},
        {"a PNG picture", pictureAt, 0x89},
        {"another width", pictureAt + 4, 16},
        {"another bit depth", pictureAt + 14, 4},
        {"compressed", pictureAt + 16, 1},
        {"more than 256 colours", pictureAt + 33, 1},
        {"an index past the colour table", pictureAt + 40 + 3 * 4 + 5, 3},
    };
    for (const Damage& damage : damages) {
        Bytes file = good;
        file[damage.at] = damage.value;
        EXPECT_FALSE(ReadIcon32(file)) << damage.what;
    }
}

} // namespace
