// A test bitmap with its context; pixels read by the documented row layout.
#pragma once

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <vector>

using Pixels = std::vector<std::uint8_t>;

struct TestSurface {
    BitmapHandle bitmap;
    ContextHandle context = CreateMemoryContext();
    bool bottomUp; // monochrome bitmaps are always stored top row first

    TestSurface(int width, int height, bool rowsBottomUp = true,
                BitmapFormat format = BitmapFormat::Indexed8)
        : bitmap(format == BitmapFormat::Mono ? CreateMonoBitmap(width, height)
                                              : CreateIndexedBitmap(width, height, rowsBottomUp)),
          bottomUp(format == BitmapFormat::Indexed8 && rowsBottomUp) {
        SelectBitmap(context, bitmap);
    }
    ~TestSurface() {
        DeleteContext(context);
        DeleteBitmap(bitmap);
    }
    TestSurface(const TestSurface&) = delete;

    int Width() const { return BitmapWidth(bitmap); }
    int Height() const { return BitmapHeight(bitmap); }
    std::uint8_t& Pixel(int x, int y) {
        return BitmapBits(bitmap)[(bottomUp ? Height() - 1 - y : y) * BitmapStride(bitmap) + x];
    }
    // Values that differ from their neighbours (seed + 7x + 31y), so a
    // misplaced pixel shows; without the pattern, one value everywhere.
    void Fill(std::uint8_t seed, bool pattern = true) {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                Pixel(x, y) = static_cast<std::uint8_t>(pattern ? seed + x * 7 + y * 31 : seed);
    }
    Pixels Snapshot() {
        Pixels pixels;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }
};
