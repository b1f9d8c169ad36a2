#pragma once

#include "palette.h"

#include <cstdint>
#include <string>
#include <vector>

// An 8-bit indexed picture, rows top-down. Writers turn it bottom-up on the way out.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    Image() = default;
    Image(int w, int h, std::uint8_t fill = 0);

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint8_t at(int x, int y) const { return pixels[y * width + x]; }
    // Writes outside the picture are dropped, so shapes may overhang an edge.
    void set(int x, int y, std::uint8_t v) {
        if (inside(x, y))
            pixels[y * width + x] = v;
    }
    void fill(int x, int y, int w, int h, std::uint8_t v);
    // Outline of a rectangle, one pixel wide.
    void frame(int x, int y, int w, int h, std::uint8_t v);
    void hline(int x0, int x1, int y, std::uint8_t v);
    void vline(int x, int y0, int y1, std::uint8_t v);

    Image crop(int x, int y, int w, int h) const;
    // Plain copy of the whole of src to (dx, dy).
    void paste(const Image& src, int dx, int dy);
    // Copy that skips index 0, for sprites drawn over a scene.
    void pasteOver(const Image& src, int dx, int dy);
    Image mirrored() const;
    Image scaled(int factor) const;
};

// Sunken or raised bevel of the given thickness just outside (x, y, w, h).
void Bevel(Image& img, int x, int y, int w, int h, int thickness, std::uint8_t topLeft,
           std::uint8_t bottomRight);

// Ordered (4x4 Bayer) dithering between neighbouring shades of a ramp: t in 0..1.
std::uint8_t Dither(const Ramp& ramp, double t, int x, int y);

// A small deterministic hash, so "random" texture is the same on every run.
std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0);

// Draws a text grid: each character of a row picks a colour through the key,
// '.' and ' ' are left untouched.
struct GridKey {
    char symbol;
    std::uint8_t index;
};
void DrawGrid(Image& img, int x, int y, const std::vector<std::string>& rows,
              const std::vector<GridKey>& key);
