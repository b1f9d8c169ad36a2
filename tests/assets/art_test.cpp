// The rules the committed art must keep, checked on the files themselves:
// formats, the shared palette, the atlas pieces the renderers rely on, and
// the frame picture's wells.

#include "tests/assets/asset_readers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

namespace {

using namespace asset_readers;

// Loaded once: the files do not change while the tests run.
const Bitmap sprites = LoadBmp("bitmaps/sprites.bmp"), masks = LoadBmp("bitmaps/masks.bmp"),
             frame = LoadBmp("bitmaps/frame.bmp");

// How many pixels of the w x h block at (x, y) pass the test.
template <class Test>
int Count(int x, int y, int w, int h, Test test) {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            n += test(i, j) ? 1 : 0;
    return n;
}
int Zeros(const Bitmap& b, int x, int y, int w, int h) {
    return Count(x, y, w, h, [&](int i, int j) { return b.at(i, j) == 0; });
}
bool Black(const Bitmap& b, int x, int y, int w, int h) {
    return Zeros(b, x, y, w, h) == w * h;
}
// Whether the w x h blocks at (ax, ay) in a and (bx, by) in b are equal.
bool Same(int ax, int ay, int bx, int by, int w, int h, const Bitmap& a = sprites,
          const Bitmap& b = sprites) {
    return !Count(0, 0, w, h,
                  [&](int i, int j) { return a.at(ax + i, ay + j) != b.at(bx + i, by + j); });
}

// Every picture decodes cleanly in its format; the 8-bit ones carry the one
// palette the screen uses, with the twenty static colours at its two ends
// and no entry repeated; the mask sheet is black for opaque, white for clear.
TEST(ArtFiles, EveryBitmapHasItsFormatAndTheSharedPalette) {
    for (auto [file, width, height, bits, rle] :
         {std::tuple{"sprites", 384, 432, 8, 0}, std::tuple{"backwall", 128, 128, 8, 0},
          std::tuple{"masks", 256, 160, 1, 0}, std::tuple{"about", 288, 140, 8, 1},
          std::tuple{"title", 288, 140, 8, 0}, std::tuple{"frame", 634, 436, 8, 1}}) {
        SCOPED_TRACE(file);
        const Bitmap b = LoadBmp(std::string("bitmaps/") + file + ".bmp");
        EXPECT_EQ(b.error, "");
        EXPECT_EQ((std::array{b.width, b.height, b.bits, b.compression}),
                  (std::array{width, height, bits, rle}));
        EXPECT_TRUE(bits == 1 || b.clrUsed == 256 || b.clrUsed == 0);
        EXPECT_EQ(b.table,
                  bits == 8 ? sprites.table : (std::vector<Colour>{{0, 0, 0}, {255, 255, 255}}));
    }
    constexpr unsigned kStatic[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                      0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                      0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                      0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const auto& table = sprites.table;
    ASSERT_EQ(table.size(), 256u);
    for (int i = 0; i < 20; ++i) {
        const Colour& c = table[i < 10 ? i : 236 + i];
        EXPECT_EQ(unsigned(c.r << 16 | c.g << 8 | c.b), kStatic[i]) << "static colour " << i;
    }
    EXPECT_EQ(std::set(table.begin(), table.end()).size(), 256u);
}

// The renderers AND the mask and then OR the sprite, so wherever a mask is
// clear the sprite must be index 0, or the colour bleeds into the shaft.
TEST(Masks, MatchTheirSpritesAndRepeatForTheChargingPose) {
    EXPECT_TRUE(Same(0, 0, 0, 32, 256, 32, masks, masks)) << "rows 32-63 repeat the masks";
    // Sprite colour under a clear mask pixel, from the sprite rows dy below.
    auto bleed = [](int x, int y, int w, int h, int dy) {
        return Count(x, y, w, h, [&](int i, int j) {
            return masks.at(i, j) == 1 && sprites.at(i, j + dy) != 0;
        });
    };
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(bleed(32 * c, 0, 32, 32, 0) + bleed(32 * c, 0, 32, 32, 32), 0) << c;
        EXPECT_GT(Zeros(masks, 32 * c, 0, 32, 32), 200) << "column " << c << " shows a character";
    }
    const int opaque = Zeros(masks, 0, 64, 256, 96);
    EXPECT_GT(opaque, 8 * 8) << "every sparkle frame has some sparkle";
    EXPECT_LT(bleed(0, 64, 256, 96, 0), opaque / 4) << "sparkles ORed outside the mask stay subtle";
}

// Walking frames differ in turn, the charging row flashes frames 0 and 2
// only, and the two facings differ.
TEST(Character, FramesWalkChargingFramesFlashAndFacingsMirror) {
    for (int c = 0; c < 8; ++c) {
        const int next = c % 4 == 3 ? c - 3 : c + 1;
        EXPECT_FALSE(Same(32 * c, 0, 32 * next, 0, 32, 32)) << c;
        EXPECT_EQ(Same(32 * c, 0, 32 * c, 32, 32, 32), c % 2 == 1) << c;
    }
    EXPECT_FALSE(Same(0, 0, 128, 0, 32, 32));
}

TEST(Shaft, WallsRepeatEveryThirtyTwoRowsAndTheBackWallTileHasNoSeam) {
    EXPECT_TRUE(Same(352, 0, 352, 32, 16, 352)) << "wall column";
    const Bitmap t = LoadBmp("bitmaps/backwall.bmp");
    ASSERT_EQ(t.error, "");
    // The brightness step across the wrap is no larger than the largest step inside.
    auto lum = [&](int x, int y) {
        const Colour& c = t.table[t.at(x % 128, y % 128)];
        return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    };
    for (const bool across : {false, true}) {
        std::array<double, 128> steps{}; // between line a and a + 1, the last one wrapping
        for (int a = 0; a < 128; ++a)
            for (int i = 0; i < 128; ++i)
                steps[a] += across ? std::abs(lum(a, i) - lum(a + 1, i))
                                   : std::abs(lum(i, a) - lum(i, a + 1));
        EXPECT_LE(steps[127], *std::max_element(steps.begin(), steps.end() - 1)) << across;
    }
    // Dark red: red leads and the tile stays dim, so floors read against it.
    double red = 0, green = 0, brightness = 0;
    for (int i = 0; i < 128 * 128; ++i)
        red += t.table[t.pixels[i]].r, green += t.table[t.pixels[i]].g,
            brightness += lum(i, i / 128);
    EXPECT_GT(red, 2 * green);
    EXPECT_LT(brightness / (128 * 128), 80.0);
}

TEST(Shaft, SpringsHaveBarsAtTopAndBottomAndConveyorsRunBothWays) {
    for (int k = 0; k < 7; ++k) {
        const int top = 160 + 24 * k, h = 24 - 2 * k;
        for (int row : {0, 1, 2, h - 3, h - 2, h - 1})
            EXPECT_EQ(Zeros(sprites, 96, top + row, 96, 1), 0) << "spring " << k << " row " << row;
        EXPECT_FALSE(Same(96, top + 1, 96, top + h / 2, 96, 1)) << "bar and coil " << k;
    }
    for (int k = 0; k < 4; ++k) {
        const int next = (k + 1) % 4;
        EXPECT_FALSE(Same(0, 176 + 16 * k, 0, 176 + 16 * next, 96, 16)) << k;
        EXPECT_FALSE(Same(0, 240 + 16 * k, 0, 240 + 16 * next, 96, 16)) << k;
        EXPECT_FALSE(Same(0, 176 + 16 * k, 0, 240 + 16 * k, 96, 16)) << k;
    }
}

TEST(StatusPanel, DigitStripRollsCleanlyAndTheGaugeFillsStepByStep) {
    const Bitmap& s = sprites;
    // The second 0 closes the loop: rolling 9 -> 0 ends on the image it starts from.
    EXPECT_TRUE(Same(288, 320, 288, 0, 30, 32));
    for (int d = 0; d < 11; ++d) {
        // Empty rows at both ends of each digit, so no window cuts a stroke in two.
        EXPECT_TRUE(Black(s, 288, 32 * d, 30, 1) && Black(s, 288, 32 * d + 31, 30, 1)) << d;
        EXPECT_TRUE(d == 10 || !Black(s, 288, 32 * d + 8, 30, 16)) << d;
        EXPECT_TRUE(d >= 9 || !Same(288, 32 * d, 288, 32 * (d + 1), 30, 32)) << d;
    }
    for (int p = 0, previous = -1; p <= 12; ++p) {
        const int bright = Count(192, 160 + 16 * p, 96, 16, [&](int x, int y) {
            const Colour& c = s.table[s.at(x, y)];
            return c.r + c.g + c.b > 300;
        });
        EXPECT_GT(bright, previous) << "gauge " << p;
        previous = bright;
    }
}

// The wells the panel draws into are plain black and framed; the blank label
// and blank digits are cut from the panel behind them; and each hot-spot
// picture reaches all four edges of its spot, in colours the panel beside it
// does not use.
TEST(FramePicture, WellsArePlainBlackAndPiecesAndPicturesFitTheirPlaces) {
    const Bitmap& f = frame;
    ASSERT_EQ(f.error, "");
    for (auto [x, y, w, h] :
         {std::array{24, 64, 416, 352}, std::array{88, 32, 96, 16}, std::array{216, 16, 120, 32},
          std::array{512, 116, 100, 16}, std::array{543, 165, 52, 14}})
        EXPECT_TRUE(Black(f, x, y, w, h)) << "well at " << x << "," << y;
    EXPECT_FALSE(Black(f, 23, 63, 418, 1)) << "the wells are framed";
    EXPECT_TRUE(Same(164, 384, 464, 192, 64, 16, sprites, frame));
    EXPECT_TRUE(Same(228, 384, 560, 213, 52, 14, sprites, frame));
    EXPECT_FALSE(Black(f, 464, 192, 64, 16)) << "the jump-count place is not a well";
    for (auto [x0, y0, w, h] : {std::array{522, 304, 28, 32}, std::array{520, 368, 32, 27}}) {
        std::set<std::uint8_t> panel;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0 - 12; x < x0 - 4; ++x)
                panel.insert(f.at(x, y));
        auto touches = [&](int x, int y, int dw, int dh) {
            return Count(x, y, dw, dh, [&](int i, int j) { return !panel.contains(f.at(i, j)); });
        };
        EXPECT_TRUE(touches(x0, y0, w, 1) && touches(x0, y0 + h - 1, w, 1) &&
                    touches(x0, y0, 1, h) && touches(x0 + w - 1, y0, 1, h))
            << x0 << "," << y0;
    }
}

// Four images in two sizes and two depths, each with a 40-byte header of
// double height (for the AND mask) and exactly the bytes its rows need; the
// desktop PNGs are whole sizes.
TEST(Icon, HoldsFourImagesInTwoSizesAndDepthsAndThePngsAreWholeScales) {
    const Bytes b = ReadAsset("icons/varnisk.ico");
    ASSERT_GE(b.size(), 6u + 4 * 16);
    ASSERT_EQ((std::array{Le(b, 0, 2), Le(b, 2, 2), Le(b, 4, 2)}), (std::array{0u, 1u, 4u}));
    std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
    for (std::size_t entry = 6; entry < 6 + 4 * 16; entry += 16) {
        const std::uint32_t size = b.at(entry), bits = Le(b, entry + 6, 2);
        const std::uint32_t bytes = Le(b, entry + 8, 4), at = Le(b, entry + 12, 4);
        ASSERT_LE(at + bytes, b.size());
        EXPECT_EQ((std::array{Le(b, at, 4), Le(b, at + 4, 4), Le(b, at + 8, 4), Le(b, at + 14, 2)}),
                  (std::array{40u, size, 2 * size, bits}));
        const std::uint32_t rows = (size * bits + 31) / 32 * 4 * size + (size + 31) / 32 * 4 * size;
        EXPECT_EQ(bytes, 40 + 4 * (bits == 4 ? 16 : 256) + rows);
        seen.insert({size, bits});
    }
    EXPECT_EQ(seen, (decltype(seen){{32, 4}, {32, 8}, {16, 4}, {16, 8}}));
    for (std::uint32_t size : {32, 64, 128, 256}) {
        const Bytes png = ReadAsset("icons/varnisk-" + std::to_string(size) + ".png");
        ASSERT_GE(png.size(), 33u);
        EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
                  (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
        EXPECT_TRUE(Tag(png, 12) == "IHDR" && Be(png, 16, 4) == size && Be(png, 20, 4) == size);
    }
}

} // namespace
