#include "changed_rect.h"

#include <algorithm>

std::optional<PixelRect> ChangedRect(const IndexedImage& before, const IndexedImage& after) {
    int left = after.width;
    int right = -1;
    int top = after.height;
    int bottom = -1;
    const bool samePalette = before.palette == after.palette;
    for (int y = 0; y < after.height; ++y) {
        for (int x = 0; x < after.width; ++x) {
            const bool changed = samePalette ? before.At(x, y) != after.At(x, y)
                                             : before.ColourAt(x, y) != after.ColourAt(x, y);
            if (changed) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    if (right < 0) {
        return std::nullopt;
    }
    return PixelRect{left, top, right - left + 1, bottom - top + 1};
}
