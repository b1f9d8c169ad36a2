// Stored pictures: run-length data with every escape or damaged, and every
// committed bitmap against the asset tests' own independent reader.
#include "assets/resources.h"
#include "gdi_test_support.h"
#include "tests/assets/asset_readers.h"

#include <gtest/gtest.h>

namespace {

// A .bmp file with a grey colour table of `colours` entries.
Pixels MakeBmp(int width, int height, int bitsPerPixel, int compression, int colours,
               const Pixels& pixels) {
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

// 6 x 4 run-length data, whether it decodes, and the pixels (top row first)
// it leaves, kept even when it fails; none: the pixels are not checked.
TEST(Rle8, DecodesEveryEscapeAndFailsOnDamageKeepingWhatDecoded) {
    const struct {
        Pixels data;
        bool decodes;
        Pixels pixels;
    } cases[] = {
        // clang-format off
        // Bottom row: run, odd literal (padded), end of line; run, jump 2 right and 1 up;
        // run to the row's end, end of line; even literal, run, end of bitmap.
        {{3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 2, 5, 0, 2, 2, 1, 2, 9, 0, 0, 0, 4, 0x0a, 0x0b, 0x0c, 0x0d, 1, 8, 0, 1},
         true, {0x0a, 0x0b, 0x0c, 0x0d, 8, 0, 0, 0, 0, 0, 9, 9, 5, 5, 0, 0, 0, 0, 7, 7, 7, 1, 2, 3}},
        // Data may stop without the end mark once every row is done.
        {{6, 1, 0, 0, 6, 2, 0, 0, 6, 3, 0, 0, 6, 4, 0, 0}, true, {}},
        {{6, 3, 0, 0}, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 3, 3}},
        {{7, 5}, false, {}},                            // a run past the row's end
        {{0, 5, 1, 2}, false, {}},                      // a literal run cut short
        {{0, 2, 0, 9}, false, {}},                      // a jump above the top row
        {{0}, false, {}},                               // an escape cut short
        {{0, 0, 0, 0, 0, 0, 0, 0, 1, 5}, false, {}},    // a pixel above the top row
        {{0, 2, 7, 0, 0, 3, 1, 2, 3, 0, 1}, false, {}}, // a literal run past the row's end
        // clang-format on
    };
    for (const auto& c : cases) {
        const Pixels file = MakeBmp(6, 4, 8, 1, 16, c.data);
        StoredBitmap stored{};
        Pixels pixels(24, 0xee);
        ASSERT_TRUE(ParseStoredBitmap(file, stored));
        EXPECT_EQ(DecodeStoredBitmap(stored, pixels), c.decodes) << c.data.size();
        EXPECT_EQ(c.pixels.empty() ? c.pixels : pixels, c.pixels);
    }
}

// Each committed picture decodes as the asset tests' own reader reads it;
// an 8-bit one draws 1:1 across the top-left edges under a clip, the 1-bit
// mask loads as a monochrome bitmap (its colour table is black, white).
TEST(StoredBitmap, EveryCommittedBitmapDecodesAndDrawsAsTheIndependentReaderDoes) {
    const std::pair<int, const char*> art[] = {{120, "sprites"}, {121, "backwall"}, {122, "masks"},
                                               {123, "about"},   {124, "title"},    {125, "frame"}};
    for (const auto& [id, name] : art) {
        const auto reference = asset_readers::LoadBmp(std::string("bitmaps/") + name + ".bmp");
        StoredBitmap stored{};
        ASSERT_TRUE(ParseStoredBitmap(*FindResource(ResourceKind::Bitmap, id), stored)) << name;
        Pixels pixels(static_cast<std::size_t>(stored.width) * stored.height);
        ASSERT_TRUE(DecodeStoredBitmap(stored, pixels));
        EXPECT_EQ(pixels, reference.pixels) << name;
        BitmapHandle mask = stored.bitsPerPixel == 1 ? LoadMonoBitmap(stored) : nullptr;
        TestSurface surface(100, 100);
        surface.Fill(3, false);
        RegionHandle clip = CreateRectRegion(0, 0, 100, 50);
        SelectClipRegion(surface.context, clip);
        DeleteRegion(clip);
        DrawStoredBitmap(surface.context, -10, 5, stored);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool drawn = y >= 5 && y < 50;
                ASSERT_EQ(surface.Pixel(x, y), drawn ? reference.at(x + 10, y - 5) : 3) << name;
                if (mask) {
                    ASSERT_EQ(GetPixelIndex(mask, x, y), reference.at(x, y)) << name;
                }
            }
        DeleteBitmap(mask);
    }
}

} // namespace
