#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Straight RGBA pictures written as PNG (with a colour table when they have
// at most 256 colours), compressed by our own small deflate
// (deflate.h): no compression library needed, and every viewer reads them.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    RgbaImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

void WritePng(const std::string& path, const RgbaImage& img);
