#include "tests/tools/gif_decoder.h"
#include "tools/make-capture/bmp_reader.h"
#include "tools/make-capture/gif_encoder.h"
#include "tools/make-capture/lzw_encoder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <utility>

namespace {

Palette256 RampPalette(std::uint8_t tint) {
    Palette256 palette{};
    for (int i = 0; i < 256; ++i) {
        palette[i] = Rgb{static_cast<std::uint8_t>(i), tint, static_cast<std::uint8_t>(255 - i)};
    }
    return palette;
}

IndexedImage RandomImage(int width, int height, std::mt19937& random, int colours) {
    IndexedImage image;
    image.width = width;
    image.height = height;
    image.palette = RampPalette(0);
    for (int i = 0; i < width * height; ++i) {
        image.pixels.push_back(static_cast<std::uint8_t>(random() % colours));
    }
    return image;
}

std::vector<Rgb> Colours(const IndexedImage& image) {
    std::vector<Rgb> colours;
    for (const std::uint8_t index : image.pixels) {
        colours.push_back(image.palette[index]);
    }
    return colours;
}

DecodedGif EncodeAndDecode(const std::vector<IndexedImage>& frames, GifOptions options = {}) {
    GifEncoder encoder(options);
    for (const IndexedImage& frame : frames) {
        std::string error;
        EXPECT_TRUE(encoder.AddFrame(frame, 4, error)) << error;
    }
    return DecodeGif(encoder.Finish());
}

} // namespace

// Every width change and table reset, and an end code right after each
// possible last entry: all lengths of a stream of random indices decode back.
TEST(LzwEncoder, RoundTripsEveryLengthAcrossWidthsAndTableResets) {
    std::mt19937 random(7);
    for (const int minCodeSize : {2, 8}) {
        std::vector<std::uint8_t> indices;
        for (int length = 0; length < 1500; ++length) {
            const auto packed = LzwEncode(indices, minCodeSize);
            ASSERT_EQ(LzwDecode(packed, minCodeSize), indices)
                << "length " << length << ", min code size " << minCodeSize;
            indices.push_back(static_cast<std::uint8_t>(random() % (1 << minCodeSize)));
        }
    }
    // Random bytes make about one code each: 40000 of them fill the
    // 4096-entry table ten times over.
    std::vector<std::uint8_t> noise(40000);
    for (auto& index : noise) {
        index = static_cast<std::uint8_t>(random());
    }
    EXPECT_EQ(LzwDecode(LzwEncode(noise, 8), 8), noise);
    // In one long run every code but the first is the entry made just
    // before it, right up to the last entry before the table is full.
    const std::vector<std::uint8_t> run(8'000'000, 3);
    EXPECT_EQ(LzwDecode(LzwEncode(run, 8), 8), run);
}

TEST(GifEncoder, FramesComposeBackToTheColoursGiven) {
    std::mt19937 random(11);
    std::vector<IndexedImage> frames;
    frames.push_back(RandomImage(40, 30, random, 256));

    // Small changes far apart: the box between them is mostly unchanged
    // noise, stored as the transparent index, which must be none of the
    // lowest indices the changes draw with.
    IndexedImage sprite = frames.back();
    std::uint8_t drawn = 0;
    for (const auto& [x, y] : {std::pair{3, 2}, std::pair{4, 2}, std::pair{36, 27}}) {
        frames.front().pixels[y * 40 + x] = 200;
        sprite.pixels[y * 40 + x] = drawn++;
    }
    frames.push_back(sprite);
    frames.push_back(sprite); // looks the same as the last

    IndexedImage tinted = sprite; // same indices through another palette
    tinted.palette = RampPalette(200);
    frames.push_back(tinted);

    IndexedImage back = RandomImage(40, 30, random, 5); // the first palette again
    frames.push_back(back);

    const DecodedGif gif = EncodeAndDecode(frames);
    ASSERT_EQ(gif.frames.size(), frames.size());
    EXPECT_EQ(gif.width, 40);
    EXPECT_EQ(gif.height, 30);
    EXPECT_EQ(gif.loopCount, 0);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(gif.frames[i].canvas, Colours(frames[i])) << "frame " << i;
        EXPECT_EQ(gif.frames[i].delayCentiseconds, 4);
        EXPECT_EQ(gif.frames[i].disposal, 1);
    }
    // Only what changed is stored: the changes' box, one pixel for a
    // repeat, the whole picture for a new palette, which comes as its own.
    const DecodedFrame& moved = gif.frames[1];
    EXPECT_EQ((std::array{moved.left, moved.top, moved.width, moved.height}),
              (std::array{3, 2, 34, 26}));
    EXPECT_TRUE(moved.transparency);
    EXPECT_EQ(gif.frames[2].width * gif.frames[2].height, 1);
    EXPECT_FALSE(gif.frames[2].localTable);
    EXPECT_TRUE(gif.frames[3].localTable);
    EXPECT_EQ(gif.frames[3].width * gif.frames[3].height, 40 * 30);
    EXPECT_FALSE(gif.frames[4].localTable);
}

TEST(GifEncoder, WholeFramesAndOwnDelaysWhenAsked) {
    std::mt19937 random(3);
    const IndexedImage first = RandomImage(9, 7, random, 16);
    GifEncoder encoder({.loopCount = 3, .onlyChangedRect = false});
    std::string error;
    ASSERT_TRUE(encoder.AddFrame(first, 4, error));
    ASSERT_TRUE(encoder.AddFrame(first, 12, error));
    EXPECT_FALSE(encoder.AddFrame(RandomImage(8, 7, random, 16), 4, error));
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
    const auto write = [](const std::filesystem::path& file, std::int32_t height) {
        std::vector<std::uint8_t> bytes(14 + 40 + 4 * 2 + 4 * 2, 0);
        const auto put32 = [&](std::size_t at, std::uint32_t value) {
            for (int i = 0; i < 4; ++i) {
                bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
            }
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        put32(10, 14 + 40 + 8);
        put32(14, 40);
        put32(18, 3);
        put32(22, static_cast<std::uint32_t>(height));
        bytes[26] = 1;
        bytes[28] = 8;
        put32(46, 2);                                                       // two colours
        bytes[54 + 4] = 30;                                                 // index 1: blue 30,
        bytes[54 + 6] = 90;                                                 // red 90
        const std::uint8_t rows[2][4] = {{0, 1, 1, 0xEE}, {1, 0, 0, 0xEE}}; // as stored
        std::copy(&rows[0][0], &rows[0][0] + 8, bytes.begin() + 62);
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    };
    const auto dir = std::filesystem::temp_directory_path();
    std::string error;

    write(dir / "make_capture_bottom_up.bmp", 2);
    const auto bottomUp = ReadIndexedBmp(dir / "make_capture_bottom_up.bmp", error);
    ASSERT_TRUE(bottomUp) << error;
    EXPECT_EQ(bottomUp->pixels, (std::vector<std::uint8_t>{1, 0, 0, 0, 1, 1}));
    EXPECT_EQ(bottomUp->palette[1], (Rgb{90, 0, 30}));
    EXPECT_EQ(bottomUp->palette[2], Rgb{});

    write(dir / "make_capture_top_down.bmp", -2);
    const auto topDown = ReadIndexedBmp(dir / "make_capture_top_down.bmp", error);
    ASSERT_TRUE(topDown) << error;
    EXPECT_EQ(topDown->pixels, (std::vector<std::uint8_t>{0, 1, 1, 1, 0, 0}));

    EXPECT_FALSE(ReadIndexedBmp(dir / "make_capture_missing.bmp", error));
    std::filesystem::remove(dir / "make_capture_bottom_up.bmp");
    std::filesystem::remove(dir / "make_capture_top_down.bmp");
}
