#pragma once

#include <cstdint>

// A rectangle as x, y, width and height; it covers x..x+width-1 and
// y..y+height-1.
struct Rect {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

// Both rectangles non-empty and sharing at least one pixel.
constexpr bool Overlaps(const Rect& a, const Rect& b) {
    if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) {
        return false;
    }
    const std::int32_t left = a.x > b.x ? a.x : b.x;
    const std::int32_t right = a.x + a.width < b.x + b.width ? a.x + a.width : b.x + b.width;
    const std::int32_t top = a.y > b.y ? a.y : b.y;
    const std::int32_t bottom = a.y + a.height < b.y + b.height ? a.y + a.height : b.y + b.height;
    return left < right && top < bottom;
}
