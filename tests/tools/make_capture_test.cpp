#include "tests/tools/gif_decoder.h"
#include "tools/make-capture/bmp_reader.h"
#include "tools/make-capture/gif_encoder.h"
#include "tools/make-capture/lzw_encoder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace {

std::mt19937 randomBits(7);

IndexedImage RandomImage(int width, int height, int colours, std::uint8_t tint = 0) {
    IndexedImage image{width, height, {}, {}};
    for (int i = 0; i < 256; ++i)
        image.palette[i] = {static_cast<std::uint8_t>(i), tint, static_cast<std::uint8_t>(255 - i)};
    for (int i = 0; i < width * height; ++i)
        image.pixels.push_back(static_cast<std::uint8_t>(randomBits() % colours));
    return image;
}

} // namespace

// Every width change and table reset, and an end code right after each
// possible last entry: all lengths of a stream of random indices decode back.
TEST(LzwEncoder, RoundTripsEveryLengthAcrossWidthsAndTableResets) {
    for (const int minCodeSize : {2, 8}) {
        std::vector<std::uint8_t> indices;
        for (int length = 0; length < 1500; ++length) {
            ASSERT_EQ(LzwDecode(LzwEncode(indices, minCodeSize), minCodeSize), indices)
                << "length " << length << ", min code size " << minCodeSize;
            indices.push_back(static_cast<std::uint8_t>(randomBits() % (1 << minCodeSize)));
        }
    }
    // Random bytes make about a code each, filling the table ten times over;
    // in one long run each code but the first is the entry made just before.
    for (const auto& indices :
         {RandomImage(40000, 1, 256).pixels, std::vector<std::uint8_t>(8'000'000, 3)})
        EXPECT_EQ(LzwDecode(LzwEncode(indices, 8), 8), indices);
}

// Only what changed is stored: the changes' box, one pixel for a repeat, all
// of it for a new palette, which comes as its own table. Changes far apart
// leave the box mostly unchanged noise, stored as the transparent index,
// which must be none of the low indices the changes draw with.
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
    EXPECT_EQ(gif.width, 40);
    EXPECT_EQ(gif.height, 30);
    EXPECT_EQ(gif.loopCount, 0) << "forever";
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const DecodedFrame& f = gif.frames[i];
        std::vector<Rgb> colours;
        for (const std::uint8_t index : frames[i].pixels)
            colours.push_back(frames[i].palette[index]);
        EXPECT_EQ(f.canvas, colours) << "frame " << i;
        EXPECT_EQ(f.delayCentiseconds, 4) << "frame " << i;
        EXPECT_EQ(f.disposal, 1) << "frame " << i << " is kept under the next";
        EXPECT_EQ(f.localTable, i == 3) << "frame " << i;
        const int stored[] = {40 * 30, 34 * 26, 1, 40 * 30, 40 * 30};
        EXPECT_EQ(f.width * f.height, stored[i]) << "frame " << i;
    }
    EXPECT_EQ(gif.frames[1].left, 3);
    EXPECT_EQ(gif.frames[1].top, 2);
    EXPECT_TRUE(gif.frames[1].transparency);
}

TEST(GifEncoder, WholeFramesOwnDelaysAndLoopsWhenAskedAndRefusesAnotherSize) {
    const IndexedImage first = RandomImage(9, 7, 16);
    GifEncoder encoder({.loopCount = 3, .onlyChangedRect = false});
    std::string error;
    ASSERT_TRUE(encoder.AddFrame(first, 4, error));
    ASSERT_TRUE(encoder.AddFrame(first, 12, error));
    EXPECT_FALSE(encoder.AddFrame(RandomImage(8, 7, 16), 4, error));
    EXPECT_NE(error.find("8x7"), std::string::npos) << error;
    const DecodedGif gif = DecodeGif(encoder.Finish());
    EXPECT_EQ(gif.loopCount, 3);
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.frames[1].delayCentiseconds, 12);
    EXPECT_EQ(gif.frames[1].width * gif.frames[1].height, 9 * 7);
}

// Rows are padded to four bytes and stored bottom-up, or top-down when the
// height is negative; the colour table is blue, green, red, unused.
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
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
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
