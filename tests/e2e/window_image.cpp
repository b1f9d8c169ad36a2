#include "tests/e2e/window_image.h"

#include <algorithm>
#include <cstdio>
#include <memory>

WindowImage::WindowImage(int width, int height, int zoom, std::vector<std::uint32_t> rgb)
    : width_(width), height_(height), zoom_(std::max(zoom, 1)), rgb_(std::move(rgb)) {}

std::uint32_t WindowImage::At(int x, int y) const {
    const int wx = x * zoom_ + zoom_ / 2;
    const int wy = y * zoom_ + zoom_ / 2;
    if (x < 0 || y < 0 || wx >= width_ || wy >= height_) {
        return noColor;
    }
    return rgb_[static_cast<std::size_t>(wy) * width_ + wx];
}

std::vector<std::uint32_t> WindowImage::Area(const GameRect& area) const {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(area.width) * area.height);
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            pixels.push_back(At(x, y));
        }
    }
    return pixels;
}

bool WindowImage::SavePpm(const std::string& path) const {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) {
        return false;
    }
    std::fprintf(file.get(), "P6\n%d %d\n255\n", width_, height_);
    std::vector<unsigned char> row(static_cast<std::size_t>(width_) * 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t c = rgb_[static_cast<std::size_t>(y) * width_ + x];
            row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(c >> 16);
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(c >> 8);
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(c);
        }
        if (std::fwrite(row.data(), 1, row.size(), file.get()) != row.size()) {
            return false;
        }
    }
    return true;
}

int CountDifferences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    if (a.size() != b.size()) {
        return static_cast<int>(std::max(a.size(), b.size()));
    }
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        count += a[i] != b[i] ? 1 : 0;
    }
    return count;
}
