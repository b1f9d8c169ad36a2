#pragma once

#include <array>
#include <cstdint>
#include <vector>

// One colour of a 256-entry palette.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

using Palette256 = std::array<Rgb, 256>;

// An 8-bit picture as the game's screen holds it: one palette index per
// pixel, rows top to bottom, no padding.
struct IndexedImage {
    int width = 0;
    int height = 0;
    Palette256 palette{};
    std::vector<std::uint8_t> pixels;

    std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Rgb ColourAt(int x, int y) const { return palette[At(x, y)]; }
};
