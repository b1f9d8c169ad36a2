// Stored pictures: a hand-made run-length picture with every escape, damaged
// data that must fail cleanly, and every committed bitmap checked against
// the asset tests' own independent reader.
#include "assets/resources.h"
#include "gdi_test_support.h"
#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutLe(Bytes& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A .bmp file with a grey colour table of `colours` entries.
Bytes MakeBmp(std::int32_t width, std::int32_t height, int bitsPerPixel, int compression,
              int colours, const Bytes& pixels) {
    Bytes out{'B', 'M'};
    const auto pixelsAt = static_cast<std::uint32_t>(14 + 40 + 4 * colours);
    PutLe(out, pixelsAt + static_cast<std::uint32_t>(pixels.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, pixelsAt, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(width), 4);
    PutLe(out, static_cast<std::uint32_t>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
    PutLe(out, static_cast<std::uint32_t>(compression), 4);
    PutLe(out, static_cast<std::uint32_t>(pixels.size()), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, static_cast<std::uint32_t>(colours), 4);
    PutLe(out, 0, 4);
    for (int i = 0; i < colours; ++i)
        PutLe(out, static_cast<std::uint32_t>(i * 0x010101), 4);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Decodes 6 x 4 run-length data; the pixels are kept even when it fails.
bool DecodeRle(const Bytes& data, Bytes& pixels) {
    static Bytes file;
    file = MakeBmp(6, 4, 8, 1, 16, data);
    StoredBitmap stored{};
    if (!ParseStoredBitmap(file, stored))
        return false;
    pixels.assign(24, 0xee);
    return DecodeStoredBitmap(stored, pixels);
}

TEST(Rle8, DecodesRunsLiteralsDeltasAndTheEndMarks) {
    const Bytes data = {
        3, 7, 0,    3,    1,    2,    3, 0, 0, 0, // bottom row: a run, an odd literal run, padded
        2, 5, 0,    2,    2,    1,                // a run, then a jump 2 right and 1 up
        2, 9, 0,    0,                            // a run to the row's end, end of line
        0, 4, 0x0a, 0x0b, 0x0c, 0x0d,             // an even literal run, unpadded
        1, 8, 0,    1,                            // a run, end of bitmap
    };
    Bytes pixels;
    ASSERT_TRUE(DecodeRle(data, pixels));
    const Bytes expected = {
        0x0a, 0x0b, 0x0c, 0x0d, 8, 0, // top row
        0,    0,    0,    0,    9, 9, //
        5,    5,    0,    0,    0, 0, //
        7,    7,    7,    1,    2, 3, // bottom row
    };
    EXPECT_EQ(pixels, expected);
}

TEST(Rle8, DamagedDataFailsAndKeepsWhatDecoded) {
    const Bytes damaged[] = {
        {7, 5},                            // a run past the row's end
        {0, 5, 1, 2},                      // a literal run cut short
        {0, 2, 0, 9},                      // a jump above the top row
        {0},                               // an escape cut short
        {0, 0, 0, 0, 0, 0, 0, 0, 1, 5},    // a pixel above the top row
        {0, 2, 7, 0, 0, 3, 1, 2, 3, 0, 1}, // a literal run past the row's end
    };
    Bytes pixels;
    for (const Bytes& data : damaged)
        EXPECT_FALSE(DecodeRle(data, pixels)) << data.size();

    EXPECT_FALSE(DecodeRle({6, 3, 0, 0}, pixels)); // stops after the first row
    const Bytes kept = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3};
    EXPECT_EQ(pixels, kept);
    EXPECT_TRUE(DecodeRle({6, 1, 0, 0, 6, 2, 0, 0, 6, 3, 0, 0, 6, 4, 0, 0}, pixels)); // no end mark
}

TEST(StoredBitmap, RejectsHeadersItCannotTrust) {
    const Bytes rows(8, 0);
    StoredBitmap stored{};
    ASSERT_TRUE(ParseStoredBitmap(MakeBmp(4, 2, 8, 0, 4, rows), stored));
    EXPECT_EQ(stored.colorCount, 4);
    EXPECT_EQ(stored.colors[3].red, 3);

    Bytes badMagic = MakeBmp(4, 2, 8, 0, 4, rows);
    badMagic[0] = 'X';
    Bytes shortTable = MakeBmp(4, 2, 8, 0, 4, {});
    shortTable.resize(14 + 40 + 8);
    Bytes pixelsBeyondEnd = MakeBmp(4, 2, 8, 0, 4, rows);
    pixelsBeyondEnd[10] = 0xff;
    const Bytes rejected[] = {
        badMagic,
        shortTable,
        pixelsBeyondEnd,
        MakeBmp(4, 2, 8, 0, 4, Bytes(7, 0)), // rows cut short
        MakeBmp(4, 2, 4, 1, 4, rows),        // run-length at 4 bits
        MakeBmp(4, -2, 8, 1, 4, rows),       // run-length stored top row first
        MakeBmp(0, 2, 8, 0, 4, rows),
        MakeBmp(4, 0, 8, 0, 4, rows),
        MakeBmp(4, 2, 8, 0, 300, rows), // more colours than 8 bits hold
        MakeBmp(4, 2, 24, 0, 0, rows),
        Bytes(20, 'B'),
    };
    for (const Bytes& file : rejected)
        EXPECT_FALSE(ParseStoredBitmap(file, stored));
}

TEST(StoredBitmap, ReadsOneAndFourBitRowsAndTopDownPictures) {
    // 1 bit: 10110000 per row; 4 bits: 0x12 0x30 per row.
    StoredBitmap stored{};
    const Bytes oneBit = MakeBmp(4, 2, 1, 0, 2, {0xb0, 0, 0, 0, 0x40, 0, 0, 0});
    ASSERT_TRUE(ParseStoredBitmap(oneBit, stored));
    Bytes pixels(8);
    ASSERT_TRUE(DecodeStoredBitmap(stored, pixels));
    EXPECT_EQ(pixels, (Bytes{0, 1, 0, 0, 1, 0, 1, 1}));

    const Bytes fourBit = MakeBmp(3, -1, 4, 0, 16, {0x12, 0x30, 0, 0});
    ASSERT_TRUE(ParseStoredBitmap(fourBit, stored));
    pixels.assign(3, 0);
    ASSERT_TRUE(DecodeStoredBitmap(stored, pixels));
    EXPECT_EQ(pixels, (Bytes{1, 2, 3}));
}

// Random damage to a real run-length picture: any result, but never a read
// or write out of bounds (the sanitizer build checks that).
TEST(StoredBitmap, SurvivesRandomDamage) {
    const auto original = FindResource(ResourceKind::Bitmap, 123);
    ASSERT_TRUE(original);
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Bytes file(original->begin(), original->end());
        std::uniform_int_distribution<std::size_t> anywhere(0, file.size() - 1);
        for (int i = 0; i < 1 + round % 8; ++i)
            file[round % 4 == 0 ? anywhere(random) % 64 : anywhere(random)] =
                static_cast<std::uint8_t>(random());
        if (round % 3 == 0)
            file.resize(anywhere(random));
        StoredBitmap stored{};
        if (!ParseStoredBitmap(file, stored))
            continue;
        Bytes pixels(static_cast<std::size_t>(stored.width) * std::abs(stored.height));
        DecodeStoredBitmap(stored, pixels);
        TestSurface surface(64, 64);
        DrawStoredBitmap(surface.context, -5, -5, stored);
    }
}

struct Art {
    int id;
    const char* file;
    std::int32_t width, height, bitsPerPixel, colorCount;
};
constexpr Art art[] = {
    {120, "bitmaps/sprites.bmp", 384, 432, 8, 256}, {121, "bitmaps/backwall.bmp", 128, 128, 8, 256},
    {122, "bitmaps/masks.bmp", 256, 160, 1, 2},     {123, "bitmaps/about.bmp", 288, 140, 8, 256},
    {124, "bitmaps/title.bmp", 288, 140, 8, 256},   {125, "bitmaps/frame.bmp", 634, 436, 8, 256},
};

TEST(StoredBitmap, EveryCommittedBitmapDecodesAsTheIndependentReaderDoes) {
    for (const Art& expected : art) {
        const auto bytes = FindResource(ResourceKind::Bitmap, expected.id);
        ASSERT_TRUE(bytes) << expected.id;
        StoredBitmap stored{};
        ASSERT_TRUE(ParseStoredBitmap(*bytes, stored)) << expected.id;
        EXPECT_EQ(stored.width, expected.width);
        EXPECT_EQ(stored.height, expected.height);
        EXPECT_EQ(stored.bitsPerPixel, expected.bitsPerPixel);
        EXPECT_EQ(stored.colorCount, expected.colorCount);
        Bytes pixels(static_cast<std::size_t>(stored.width) * stored.height);
        ASSERT_TRUE(DecodeStoredBitmap(stored, pixels)) << expected.id;
        const asset_readers::Bitmap reference = asset_readers::LoadBmp(expected.file);
        ASSERT_TRUE(reference.error.empty()) << reference.error;
        EXPECT_EQ(pixels, reference.pixels) << expected.id;
        EXPECT_EQ(stored.colors[stored.colorCount - 1].red, reference.table.back().r);
    }
}

TEST(StoredBitmap, MaskLoadsAsMonochromeAndPicturesDrawOneToOneClipped) {
    StoredBitmap stored{};
    ASSERT_TRUE(ParseStoredBitmap(*FindResource(ResourceKind::Bitmap, 122), stored));
    BitmapHandle mask = LoadMonoBitmap(stored);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(GetBitmapFormat(mask), BitmapFormat::Mono);
    const asset_readers::Bitmap maskReference = asset_readers::LoadBmp("bitmaps/masks.bmp");
    for (int y = 0; y < 160; y += 3)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(GetPixelIndex(mask, x, y), maskReference.at(x, y)) << x << "," << y;
    DeleteBitmap(mask);

    ASSERT_TRUE(ParseStoredBitmap(*FindResource(ResourceKind::Bitmap, 124), stored));
    const asset_readers::Bitmap title = asset_readers::LoadBmp("bitmaps/title.bmp");
    TestSurface surface(100, 100);
    surface.FillWith(3);
    RegionHandle clip = CreateRectRegion(0, 0, 100, 50);
    SelectClipRegion(surface.context, clip);
    DeleteRegion(clip);
    DrawStoredBitmap(surface.context, -10, 5, stored);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(surface.Pixel(x, y), y >= 5 && y < 50 ? title.at(x + 10, y - 5) : 3)
                << x << "," << y;
}

} // namespace
