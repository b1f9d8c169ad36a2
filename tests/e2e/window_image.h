#pragma once

// One picture of the game window, read in the game's own screen coordinates:
// the window shows the 634 x 455 screen enlarged by a whole factor, so game
// pixel (x, y) is the zoom x zoom block at (x * zoom, y * zoom), and we read
// the middle of that block.

#include <cstdint>
#include <string>
#include <vector>

struct GameRect {
    int x;
    int y;
    int width;
    int height;
};

class WindowImage {
  public:
    WindowImage() = default;
    WindowImage(int width, int height, int zoom, std::vector<std::uint32_t> rgb);

    bool Empty() const { return rgb_.empty(); }
    // 0xRRGGBB of game pixel (x, y); 0xFF000000 (no colour) outside the image.
    std::uint32_t At(int x, int y) const;
    // The game pixels of an area, row by row.
    std::vector<std::uint32_t> Area(const GameRect& area) const;
    // Writes the window's own pixels as a binary PPM; false on failure.
    bool SavePpm(const std::string& path) const;

  private:
    int width_ = 0;
    int height_ = 0;
    int zoom_ = 1;
    std::vector<std::uint32_t> rgb_;
};

inline constexpr std::uint32_t noColor = 0xFF000000u;

// How many pixels of two equally sized areas differ.
int CountDifferences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);
