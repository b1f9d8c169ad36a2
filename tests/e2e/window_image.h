#pragma once

// One picture of the game window, read in the game's own screen coordinates:
// the window shows the 634 x 455 screen enlarged by a whole factor, so game
// pixel (x, y) is the zoom x zoom block at (x * zoom, y * zoom), and we read
// the middle of that block.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
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
    // Writes the window's own pixels as a binary PPM; false on failure.
    bool SavePpm(const std::string& path) const {
        std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
        bool written = file && std::fprintf(file.get(), "P6\n%d %d\n255\n", width_, height_) > 0;
        for (std::size_t i = 0; written && i < rgb_.size(); ++i) {
            const unsigned char rgb[] = {static_cast<unsigned char>(rgb_[i] >> 16),
                                         static_cast<unsigned char>(rgb_[i] >> 8),
                                         static_cast<unsigned char>(rgb_[i])};
            written = std::fwrite(rgb, 1, 3, file.get()) == 3;
        }
        return written;
    }

  private:
    int width_ = 0, height_ = 0, zoom_ = 1;
    std::vector<std::uint32_t> rgb_;
};

// How many pixels of two equally sized areas differ.
inline int CountDifferences(const std::vector<std::uint32_t>& a,
                            const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size())
        return static_cast<int>(std::max(a.size(), b.size()));
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        count += a[i] != b[i] ? 1 : 0;
    return count;
}
