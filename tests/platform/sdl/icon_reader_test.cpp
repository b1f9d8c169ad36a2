#include "platform/sdl/icon_reader.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& bytes, std::uint32_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& bytes, std::uint32_t value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

// A 32 x 32 picture with three colours: index (x + y) % 3, transparent on
// the top row's left half. Rows are written bottom first, as stored.
Bytes EightBitPicture() {
    Bytes picture;
    Put32(picture, 40);
    Put32(picture, 32);
    Put32(picture, 64);
    Put16(picture, 1);
    Put16(picture, 8);
    for (int field = 0; field < 4; ++field) {
        Put32(picture, 0); // compression, image size, resolutions
    }
    Put32(picture, 3); // colours used
    Put32(picture, 0);
    // Stored blue, green, red, unused: red, green, blue.
    picture.insert(picture.end(), {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0});
    for (int storedRow = 0; storedRow < 32; ++storedRow) {
        const int y = 31 - storedRow;
        for (int x = 0; x < 32; ++x) {
            picture.push_back(static_cast<std::uint8_t>((x + y) % 3));
        }
    }
    for (int storedRow = 0; storedRow < 32; ++storedRow) {
        const std::uint8_t leftHalf = storedRow == 31 ? 0xFF : 0x00;
        picture.insert(picture.end(), {leftHalf, leftHalf, 0x00, 0x00});
    }
    return picture;
}

// An icon file with a 4-bit picture first, which the reader must pass over,
// then the 8-bit one.
Bytes IconFile(const Bytes& eightBit) {
    const Bytes fourBit(40, 0);
    Bytes file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, 2);
    const std::uint32_t firstAt = 6 + 2 * 16;
    struct Entry {
        std::uint8_t colors;
        std::uint16_t bits;
        const Bytes& picture;
        std::uint32_t at;
    };
    const Entry entries[] = {
        {16, 4, fourBit, firstAt},
        {0, 8, eightBit, firstAt + static_cast<std::uint32_t>(fourBit.size())},
    };
    for (const Entry& entry : entries) {
        file.insert(file.end(), {32, 32, entry.colors, 0});
        Put16(file, 1);
        Put16(file, entry.bits);
        Put32(file, static_cast<std::uint32_t>(entry.picture.size()));
        Put32(file, entry.at);
    }
    file.insert(file.end(), fourBit.begin(), fourBit.end());
    file.insert(file.end(), eightBit.begin(), eightBit.end());
    return file;
}

Bytes CommittedIcon() {
    std::ifstream in(VARNISK_ASSET_DIR "/icons/varnisk.ico", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(IconReader, ReadsTheEightBitPictureTopRowFirstWithItsMask) {
    const std::optional<IconImage> icon = ReadIcon32(IconFile(EightBitPicture()));
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

TEST(IconReader, ReadsTheCommittedIcon) {
    const Bytes file = CommittedIcon();
    ASSERT_FALSE(file.empty());
    const std::optional<IconImage> icon = ReadIcon32(file);
    ASSERT_TRUE(icon);
    int opaque = 0;
    for (std::uint32_t pixel : icon->argb) {
        // Every pixel is either wholly shown or wholly see-through.
        EXPECT_TRUE(pixel == 0 || pixel >> 24 == 0xFF) << std::hex << pixel;
        opaque += pixel != 0 ? 1 : 0;
    }
    EXPECT_GT(opaque, 32 * 32 / 4);
}

TEST(IconReader, GivesNothingForDamagedFiles) {
    const Bytes good = IconFile(EightBitPicture());
    ASSERT_TRUE(ReadIcon32(good));

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
    const std::size_t picture = 6 + 2 * 16 + 40;
    const std::size_t entry = 6 + 16;
    const Damage damages[] = {
        {"not an icon file", 2, 2},
        {"picture beyond the file", entry + 15, 0x40},
        {"size larger than the file", entry + 10, 0x40},
        {"another header size", picture, 12},
        {"a PNG picture", picture, 0x89},
        {"another width", picture + 4, 16},
        {"another bit depth", picture + 14, 4},
        {"compressed", picture + 16, 1},
        {"more than 256 colours", picture + 33, 1},
        {"an index past the colour table", picture + 40 + 3 * 4 + 5, 3},
    };
    for (const Damage& damage : damages) {
        Bytes file = good;
        file[damage.at] = damage.value;
        EXPECT_FALSE(ReadIcon32(file)) << damage.what;
    }
}

TEST(IconReader, SurvivesEveryTruncationOfTheCommittedIcon) {
    const Bytes file = CommittedIcon();
    for (std::size_t length = 0; length < file.size(); ++length) {
        (void)ReadIcon32(std::span(file).first(length));
    }
}

} // namespace
