// A bitmap with its own context for the drawing tests, and pixel access
// through the documented row layout rather than the layer's own helpers.
#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <vector>

struct TestSurface {
    BitmapHandle bitmap;
    ContextHandle context;

    TestSurface(std::int32_t width, std::int32_t height, bool bottomUp = true,
                BitmapFormat format = BitmapFormat::Indexed8)
        : bitmap(format == BitmapFormat::Mono ? CreateMonoBitmap(width, height)
                                              : CreateIndexedBitmap(width, height, bottomUp)),
          context(CreateMemoryContext()), bottomUp_(format == BitmapFormat::Indexed8 && bottomUp) {
        SelectBitmap(context, bitmap);
    }
    ~TestSurface() {
        DeleteContext(context);
        DeleteBitmap(bitmap);
    }
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    std::int32_t Width() const { return BitmapWidth(bitmap); }
    std::int32_t Height() const { return BitmapHeight(bitmap); }

    std::uint8_t& Pixel(std::int32_t x, std::int32_t y) {
        const std::int32_t row = bottomUp_ ? Height() - 1 - y : y;
        return BitmapBits(bitmap)[row * BitmapStride(bitmap) + x];
    }
    // Pixel values that differ from their neighbours, so a misplaced copy shows.
    void FillPattern(std::uint8_t seed) {
        for (std::int32_t y = 0; y < Height(); ++y)
            for (std::int32_t x = 0; x < Width(); ++x)
                Pixel(x, y) = static_cast<std::uint8_t>(seed + x * 7 + y * 31);
    }
    void FillWith(std::uint8_t value) {
        for (std::int32_t y = 0; y < Height(); ++y)
            for (std::int32_t x = 0; x < Width(); ++x)
                Pixel(x, y) = value;
    }
    std::vector<std::uint8_t> Snapshot() {
        std::vector<std::uint8_t> pixels;
        for (std::int32_t y = 0; y < Height(); ++y)
            for (std::int32_t x = 0; x < Width(); ++x)
                pixels.push_back(GetPixelIndex(bitmap, x, y));
        return pixels;
    }

  private:
    bool bottomUp_;
};
