#pragma once

// One picture of the game window, read in game pixels: the window shows the
// 634 x 455 screen by a whole factor zoom, and a game pixel is read in the
// middle of its zoom x zoom block.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

struct GameRect {
    int x, y, width, height;
};

inline constexpr std::uint32_t noColor = 0xFF000000u;

class WindowImage {
  public:
    WindowImage() = default;
    WindowImage(int width, int height, int zoom, std::vector<std::uint32_t> rgb)
        : width_(width), height_(height), zoom_(std::max(zoom, 1)), rgb_(std::move(rgb)) {}

    bool Empty() const { return rgb_.empty(); }
    // 0xRRGGBB of game pixel (x, y); noColor outside the image.
    std::uint32_t At(int x, int y) const {
        const int wx = x * zoom_ + zoom_ / 2, wy = y * zoom_ + zoom_ / 2;
        return x < 0 || y < 0 || wx >= width_ || wy >= height_
                   ? noColor
                   : rgb_[static_cast<std::size_t>(wy) * width_ + wx];
    }
    // The game pixels of an area, row by row.
    std::vector<std::uint32_t> Area(const GameRect& area) const {
        std::vector<std::uint32_t> pixels;
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x)
                pixels.push_back(At(x, y));
        return pixels;
    }
    // The picture in game pixels, at zoom 1, to compare across zooms.
    WindowImage GamePixels(int gameWidth, int gameHeight) const {
        return {gameWidth, gameHeight, 1, Area({0, 0, gameWidth, gameHeight})};
    }
    // Reads a binary PPM as SavePpm writes it; empty when it cannot.
    static WindowImage LoadPpm(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::string magic;
        int width = 0, height = 0, depth = 0;
        in >> magic >> width >> height >> depth;
        in.get();
        if (!in || magic != "P6" || depth != 255 || width <= 0 || height <= 0)
            return {};
        std::vector<std::uint32_t> rgb(static_cast<std::size_t>(width) * height);
        for (std::uint32_t& pixel : rgb) {
            unsigned char bytes[3] = {};
            in.read(reinterpret_cast<char*>(bytes), 3);
            pixel = std::uint32_t{bytes[0]} << 16 | std::uint32_t{bytes[1]} << 8 | bytes[2];
        }
        return in ? WindowImage(width, height, 1, std::move(rgb)) : WindowImage();
    }
    // Writes the window's own pixels as a binary PPM; false on failure.
    bool SavePpm(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P6\n" << width_ << " " << height_ << "\n255\n";
        for (const std::uint32_t pixel : rgb_)
            out.put(char(pixel >> 16)).put(char(pixel >> 8)).put(char(pixel));
        return out.good();
    }

  private:
    int width_ = 0, height_ = 0, zoom_ = 1;
    std::vector<std::uint32_t> rgb_;
};

// How many pixels of two equally sized areas differ.
inline int CountDifferences(const std::vector<std::uint32_t>& a,
                            const std::vector<std::uint32_t>& b) {
    return a.size() != b.size() ? static_cast<int>(std::max(a.size(), b.size()))
                                : std::transform_reduce(a.begin(), a.end(), b.begin(), 0,
                                                        std::plus<>(), std::not_equal_to<>());
}
