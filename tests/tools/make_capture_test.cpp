#include "tests/tools/gif_decoder.h"
#include "tools/make-capture/bmp_reader.h"
#include "tools/make-capture/gif_encoder.h"
#include "tools/make-capture/lzw_encoder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

static std::mt19937 randomBits(7);

static IndexedImage RandomImage(int width, int height, int colours, std::uint8_t tint = 0) {
    IndexedImage image{width, height, {}, {}};
    for (int i = 0; i < 256; ++i)
        image.palette[i] = {static_cast<std::uint8_t>(i), tint, static_cast<std::uint8_t>(255 - i)};
    for (int i = 0; i < width * height; ++i)
        image.pixels.push_back(static_cast<std::uint8_t>(randomBits() % colours));
    return image;
}

// Every length of random indices decodes back: each width change, table reset and end code.
TEST(LzwEncoder, RoundTripsEveryLengthAcrossWidthsAndTableResets) {
    for (const int minCodeSize : {2, 8}) {
        std::vector<std::uint8_t> indices;
        for (int length = 0; length < 1500; ++length) {
            ASSERT_EQ(LzwDecode(LzwEncode(indices, minCodeSize), minCodeSize), indices)
                << "length " << length << ", min code size " << minCodeSize;
            indices.push_back(static_cast<std::uint8_t>(randomBits() % (1 << minCodeSize)));
        }
    }
    // Random bytes fill the table ten times over; one long run uses each code just made.
    for (const auto& indices :
         {RandomImage(40000, 1, 256).pixels, std::vector<std::uint8_t>(8'000'000, 3)})
        EXPECT_EQ(LzwDecode(LzwEncode(indices, 8), 8), indices);
}

// Only the changes' box is stored (one pixel for a repeat, all for a new palette, with its
// own table); unchanged pixels in it become a transparent index no change draws with.
TEST(GifEncoder, StoresOnlyChangesAndFramesComposeBackToTheColoursGiven) {
    std::vector<IndexedImage> frames{RandomImage(40, 30, 256)};
    IndexedImage sprite = frames.back();
    std::uint8_t drawn = 0;
    for (const auto& [x, y] : {std::pair{3, 2}, std::pair{4, 2}, std::pair{36, 27}}) {
        frames.front().pixels[y * 40 + x] = 200;
        sprite.pixels[y * 40 + x] = drawn++;
    }
    IndexedImage tinted = sprite; // the same indices through another palette
    tinted.palette = RandomImage(1, 1, 1, 200).palette;
    frames.insert(frames.end(), {sprite, sprite, tinted, RandomImage(40, 30, 5)}); // a repeat
    GifEncoder encoder({});
    std::string error;
    for (const IndexedImage& frame : frames)
        ASSERT_TRUE(encoder.AddFrame(frame, 4, error)) << error;
    const DecodedGif gif = DecodeGif(encoder.Finish());
    ASSERT_EQ(gif.frames.size(), frames.size());
    EXPECT_EQ(std::tuple(gif.width, gif.height, gif.loopCount), std::tuple(40, 30, 0)) << "forever";
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const DecodedFrame& f = gif.frames[i];
        std::vector<Rgb> colours;
        for (const std::uint8_t index : frames[i].pixels)
            colours.push_back(frames[i].palette[index]);
        EXPECT_EQ(f.canvas, colours) << "frame " << i;
        const int stored[] = {40 * 30, 34 * 26, 1, 40 * 30, 40 * 30}; // disposal 1: kept
        EXPECT_EQ(std::tuple(f.delayCentiseconds, f.disposal, f.localTable, f.width * f.height),
                  std::tuple(4, 1, i == 3, stored[i]))
            << "frame " << i;
    }
    EXPECT_EQ(std::tuple(gif.frames[1].left, gif.frames[1].top, gif.frames[1].transparency),
              std::tuple(3, 2, true));
}

TEST(GifEncoder, WholeFramesOwnDelaysAndLoopsWhenAskedAndRefusesAnotherSize) {
    const IndexedImage first = RandomImage(9, 7, 16);
    GifEncoder encoder({.loopCount = 3, .onlyChangedRect = false});
    std::string error;
    ASSERT_TRUE(encoder.AddFrame(first, 4, error) && encoder.AddFrame(first, 12, error)) << error;
    EXPECT_FALSE(encoder.AddFrame(RandomImage(8, 7, 16), 4, error));
    EXPECT_NE(error.find("8x7"), std::string::npos) << error;
    const DecodedGif gif = DecodeGif(encoder.Finish());
    ASSERT_EQ(gif.frames.size(), 2u);
    const DecodedFrame& second = gif.frames[1];
    EXPECT_EQ(std::tuple(gif.loopCount, second.delayCentiseconds, second.width, second.height),
              std::tuple(3, 12, 9, 7));
}

// Rows padded to four bytes, bottom-up or (negative height) top-down; colours as B, G, R, 0.
TEST(BmpReader, ReadsPaddedRowsInEitherOrder) {
    const auto file = std::filesystem::temp_directory_path() / "make_capture_test.bmp";
    std::string error;
    for (const std::int32_t height : {2, -2}) {
        std::vector<std::uint8_t> bytes(14 + 40 + 4 * 2, 0);
        const std::pair<std::size_t, std::uint32_t> fields[] = {
            {0, 'B' | 'M' << 8},         {10, 62},          {14, 40}, {18, 3},
            {22, std::uint32_t(height)}, {26, 1 | 8 << 16}, {46, 2}, // planes 1, 8 bits, 2 colours
            {58, 30 | 90 << 16}}; // colour 1: blue 30, green 0, red 90
        for (const auto& [at, value] : fields)
            for (std::size_t i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        bytes.insert(bytes.end(), {0, 1, 1, 0xEE, 1, 0, 0, 0xEE}); // two rows as stored
        std::ofstream(file, std::ios::binary) << std::string(bytes.begin(), bytes.end());
        const auto image = ReadIndexedBmp(file, error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(image->pixels, (height > 0 ? std::vector<std::uint8_t>{1, 0, 0, 0, 1, 1}
                                             : std::vector<std::uint8_t>{0, 1, 1, 1, 0, 0}));
        EXPECT_EQ(image->palette[1], (Rgb{90, 0, 30}));
        EXPECT_EQ(image->palette[2], Rgb{}) << "past the table";
    }
    std::filesystem::remove(file);
    EXPECT_FALSE(ReadIndexedBmp(file, error));
}
