// Stored pictures: a hand-made run-length picture with every escape, damaged
// data that must fail cleanly, and every committed bitmap checked against
// the asset tests' own independent reader.
#include "assets/resources.h"
#include "gdi_test_support.h"
#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// A .bmp file with a grey colour table of `colours` entries.
Pixels MakeBmp(std::int32_t width, std::int32_t height, int bitsPerPixel, int compression,
               int colours, const Pixels& pixels) {
    const auto pixelsAt = 54 + 4 * colours, size = static_cast<int>(pixels.size());
    const std::int64_t fields[] = {
        0x4d42, pixelsAt + size, 0,           0,    pixelsAt, 40,   width,   height,
        1,      bitsPerPixel,    compression, size, 2835,     2835, colours, 0};
    const int bytes[] = {2, 4, 2, 2, 4, 4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 4};
    Pixels out;
    for (int f = 0; f < 16; ++f)
        for (int i = 0; i < bytes[f]; ++i)
            out.push_back(static_cast<std::uint8_t>(fields[f] >> (8 * i)));
    for (int i = 0; i < colours; ++i)
        out.insert(out.end(), {std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// Decodes 6 x 4 run-length data; the pixels are kept even when it fails.
bool DecodeRle(const Pixels& data, Pixels& pixels) {
    const Pixels file = MakeBmp(6, 4, 8, 1, 16, data);
    StoredBitmap stored{};
    pixels.assign(24, 0xee);
    return ParseStoredBitmap(file, stored) && DecodeStoredBitmap(stored, pixels);
}

TEST(Rle8, DecodesRunsLiteralsDeltasAndTheEndMarks) {
    const Pixels data = {
        3, 7, 0,    3,    1,    2,
        3, 0, 0,    0,             // bottom row: run, odd literal (padded), end of line
        2, 5, 0,    2,    2,    1, // run, jump 2 right and 1 up
        2, 9, 0,    0,             // run to the row's end, end of line
        0, 4, 0x0a, 0x0b, 0x0c, 0x0d,
        1, 8, 0,    1, // even literal, run, end of bitmap
    };
    Pixels pixels;
    ASSERT_TRUE(DecodeRle(data, pixels));
    EXPECT_EQ(pixels, (Pixels{0x0a, 0x0b, 0x0c, 0x0d, 8, 0, 0, 0, 0, 0, 9, 9,
                              5,    5,    0,    0,    0, 0, 7, 7, 7, 1, 2, 3}));
    // Data may stop without the end mark once every row is done.
    EXPECT_TRUE(DecodeRle({6, 1, 0, 0, 6, 2, 0, 0, 6, 3, 0, 0, 6, 4, 0, 0}, pixels));
}

TEST(Rle8, DamagedDataFailsAndKeepsWhatDecoded) {
    const Pixels damaged[] = {
        {7, 5},                            // a run past the row's end
        {0, 5, 1, 2},                      // a literal run cut short
        {0, 2, 0, 9},                      // a jump above the top row
        {0},                               // an escape cut short
        {0, 0, 0, 0, 0, 0, 0, 0, 1, 5},    // a pixel above the top row
        {0, 2, 7, 0, 0, 3, 1, 2, 3, 0, 1}, // a literal run past the row's end
    };
    Pixels pixels;
    for (const Pixels& data : damaged)
        EXPECT_FALSE(DecodeRle(data, pixels)) << data.size();
    EXPECT_FALSE(DecodeRle({6, 3, 0, 0}, pixels)); // stops after the bottom row
    EXPECT_EQ(pixels,
              (Pixels{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3}));
}

TEST(StoredBitmap, RejectsHeadersItCannotTrustAndReadsFourBitRows) {
    const Pixels rows(8, 0);
    Pixels badMagic = MakeBmp(4, 2, 8, 0, 4, rows), pixelsBeyondEnd = badMagic,
           shortTable = MakeBmp(4, 2, 8, 0, 4, {});
    badMagic[0] = 'X';
    pixelsBeyondEnd[10] = 0xff;
    shortTable.resize(62);
    const Pixels rejected[] = {badMagic,
                               shortTable,
                               pixelsBeyondEnd,
                               Pixels(20, 'B'),
                               MakeBmp(4, 2, 8, 0, 4, Pixels(7, 0)), // rows cut short
                               MakeBmp(4, 2, 4, 1, 4, rows),         // run-length at 4 bits
                               MakeBmp(4, -2, 8, 1, 4, rows), // run-length stored top row first
                               MakeBmp(0, 2, 8, 0, 4, rows),
                               MakeBmp(4, 0, 8, 0, 4, rows),
                               MakeBmp(4, 2, 8, 0, 300, rows), // more colours than 8 bits hold
                               MakeBmp(4, 2, 24, 0, 0, rows)};
    StoredBitmap stored{};
    for (const Pixels& file : rejected)
        EXPECT_FALSE(ParseStoredBitmap(file, stored));

    const Pixels fourBit = MakeBmp(3, -1, 4, 0, 16, {0x12, 0x30, 0, 0}); // top row first
    ASSERT_TRUE(ParseStoredBitmap(fourBit, stored));
    EXPECT_EQ(stored.colors[3].red, 3);
    Pixels pixels(3);
    ASSERT_TRUE(DecodeStoredBitmap(stored, pixels));
    EXPECT_EQ(pixels, (Pixels{1, 2, 3}));
}

// Random damage to a real run-length picture: any result, but never a read
// or write out of bounds (the sanitizer build checks that).
TEST(StoredBitmap, SurvivesRandomDamage) {
    const auto original = FindResource(ResourceKind::Bitmap, 123);
    ASSERT_TRUE(original);
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        Pixels file(original->begin(), original->end());
        std::uniform_int_distribution<std::size_t> anywhere(0, file.size() - 1);
        for (int i = 0; i < 1 + round % 8; ++i)
            file[anywhere(random) % (round % 4 == 0 ? 64 : file.size())] =
                static_cast<std::uint8_t>(random());
        if (round % 3 == 0)
            file.resize(anywhere(random));
        StoredBitmap stored{};
        TestSurface surface(64, 64);
        if (ParseStoredBitmap(file, stored))
            DrawStoredBitmap(surface.context, -5, -5, stored);
    }
}

TEST(StoredBitmap, EveryCommittedBitmapDecodesAsTheIndependentReaderDoes) {
    const struct {
        int id;
        const char* file;
        std::int32_t width, height, bitsPerPixel, colorCount;
    } art[] = {{120, "sprites", 384, 432, 8, 256}, {121, "backwall", 128, 128, 8, 256},
               {122, "masks", 256, 160, 1, 2},     {123, "about", 288, 140, 8, 256},
               {124, "title", 288, 140, 8, 256},   {125, "frame", 634, 436, 8, 256}};
    for (const auto& expected : art) {
        StoredBitmap stored{};
        ASSERT_TRUE(ParseStoredBitmap(*FindResource(ResourceKind::Bitmap, expected.id), stored));
        EXPECT_EQ(stored.width, expected.width);
        EXPECT_EQ(stored.height, expected.height);
        EXPECT_EQ(stored.bitsPerPixel, expected.bitsPerPixel);
        EXPECT_EQ(stored.colorCount, expected.colorCount);
        Pixels pixels(static_cast<std::size_t>(stored.width) * stored.height);
        ASSERT_TRUE(DecodeStoredBitmap(stored, pixels)) << expected.id;
        const auto reference =
            asset_readers::LoadBmp(std::string("bitmaps/") + expected.file + ".bmp");
        EXPECT_EQ(pixels, reference.pixels) << expected.id;
        EXPECT_EQ(stored.colors[stored.colorCount - 1].green, reference.table.back().g);
        if (expected.bitsPerPixel != 1)
            continue;
        BitmapHandle mask = LoadMonoBitmap(stored); // its colour table is black, white
        ASSERT_EQ(GetBitmapFormat(mask), BitmapFormat::Mono);
        for (int y = 0; y < stored.height; ++y)
            for (int x = 0; x < stored.width; ++x)
                ASSERT_EQ(GetPixelIndex(mask, x, y), reference.at(x, y)) << x << "," << y;
        DeleteBitmap(mask);
    }
}

TEST(StoredBitmap, PicturesDrawOneToOneClipped) {
    StoredBitmap stored{};
    ASSERT_TRUE(ParseStoredBitmap(*FindResource(ResourceKind::Bitmap, 124), stored));
    const asset_readers::Bitmap title = asset_readers::LoadBmp("bitmaps/title.bmp");
    TestSurface surface(100, 100);
    surface.Fill(3, false);
    RegionHandle clip = CreateRectRegion(0, 0, 100, 50);
    SelectClipRegion(surface.context, clip);
    DeleteRegion(clip);
    DrawStoredBitmap(surface.context, -10, 5, stored);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(surface.Pixel(x, y), y >= 5 && y < 50 ? title.at(x + 10, y - 5) : 3);
}

} // namespace
