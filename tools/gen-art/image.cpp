#include "image.h"

#include <algorithm>
#include <cmath>

Image::Image(int w, int h, std::uint8_t fillIndex)
    : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fillIndex) {}

void Image::fill(int x, int y, int w, int h, std::uint8_t v) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, v);
}

void Image::frame(int x, int y, int w, int h, std::uint8_t v) {
    hline(x, x + w - 1, y, v);
    hline(x, x + w - 1, y + h - 1, v);
    vline(x, y, y + h - 1, v);
    vline(x + w - 1, y, y + h - 1, v);
}

void Image::hline(int x0, int x1, int y, std::uint8_t v) {
    for (int x = x0; x <= x1; ++x)
        set(x, y, v);
}

void Image::vline(int x, int y0, int y1, std::uint8_t v) {
    for (int y = y0; y <= y1; ++y)
        set(x, y, v);
}

Image Image::crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (inside(x + i, y + j))
                out.set(i, j, at(x + i, y + j));
    return out;
}

void Image::paste(const Image& src, int dx, int dy) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            set(dx + i, dy + j, src.at(i, j));
}

void Image::pasteOver(const Image& src, int dx, int dy) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (src.at(i, j) != 0)
                set(dx + i, dy + j, src.at(i, j));
}

Image Image::mirrored() const {
    Image out(width, height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            out.set(width - 1 - i, j, at(i, j));
    return out;
}

Image Image::scaled(int factor) const {
    Image out(width * factor, height * factor);
    for (int j = 0; j < out.height; ++j)
        for (int i = 0; i < out.width; ++i)
            out.set(i, j, at(i / factor, j / factor));
    return out;
}

void Bevel(Image& img, int x, int y, int w, int h, int thickness, std::uint8_t topLeft,
           std::uint8_t bottomRight) {
    for (int t = 1; t <= thickness; ++t) {
        img.hline(x - t, x + w - 1 + t, y - t, topLeft);
        img.vline(x - t, y - t, y + h - 1 + t, topLeft);
        img.hline(x - t + 1, x + w - 1 + t, y + h - 1 + t, bottomRight);
        img.vline(x + w - 1 + t, y - t + 1, y + h - 1 + t, bottomRight);
    }
}

std::uint8_t Dither(const Ramp& ramp, double t, int x, int y) {
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    double pos = std::clamp(t, 0.0, 1.0) * ramp.last();
    int base = static_cast<int>(std::floor(pos));
    double frac = pos - base;
    int threshold = kBayer[y & 3][x & 3];
    return ramp(frac * 16.0 > threshold + 0.5 ? base + 1 : base);
}

std::uint32_t Hash(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    std::uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

void DrawGrid(Image& img, int x, int y, const std::vector<std::string>& rows,
              const std::vector<GridKey>& key) {
    for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
        const std::string& row = rows[j];
        for (int i = 0; i < static_cast<int>(row.size()); ++i) {
            char c = row[i];
            if (c == '.' || c == ' ')
                continue;
            for (const GridKey& k : key)
                if (k.symbol == c)
                    img.set(x + i, y + j, k.index);
        }
    }
}
