#pragma once

// Every drawing call ends here: the part of a rectangle that lies in the
// destination bitmap and in the context's clip region, visited as row
// spans. Blits within one bitmap pick the order that makes an overlapping
// copy behave like memmove.

#include "region_impl.h"

#include <algorithm>
#include <cstdint>

struct PixelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// left..right-1, top..bottom-1 cut to the bitmap; 64-bit so that positions
// near the ends of the int range never overflow.
inline PixelRect ClampToBitmap(std::int64_t left, std::int64_t top, std::int64_t right,
                               std::int64_t bottom, const PlatformBitmap& bitmap) {
    const auto clampTo = [](std::int64_t value, std::int32_t limit) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, limit));
    };
    return {clampTo(left, bitmap.width), clampTo(top, bitmap.height), clampTo(right, bitmap.width),
            clampTo(bottom, bitmap.height)};
}

struct WalkOrder {
    bool lastRowFirst = false;  // the source lies above the destination
    bool lastSpanFirst = false; // same rows, the source lies to the left
};

namespace clip_walk_detail {

template <typename SpanFn>
void WalkBand(const RegionBox* boxes, int count, const PixelRect& area, WalkOrder order,
              SpanFn& span) {
    const std::int32_t top = std::max(boxes[0].y1, area.top);
    const std::int32_t bottom = std::min(boxes[0].y2, area.bottom);
    for (std::int32_t i = 0; i < bottom - top; ++i) {
        const std::int32_t row = order.lastRowFirst ? bottom - 1 - i : top + i;
        for (int b = 0; b < count; ++b) {
            const RegionBox& box = boxes[order.lastSpanFirst ? count - 1 - b : b];
            const std::int32_t left = std::max(box.x1, area.left);
            const std::int32_t right = std::min(box.x2, area.right);
            if (left < right)
                span(row, left, right);
        }
    }
}

} // namespace clip_walk_detail

// Calls span(row, left, right) for each clipped run of area, which must
// already lie inside the context's bitmap.
template <typename SpanFn>
void ForEachClippedSpan(const PlatformContext& context, const PixelRect& area, WalkOrder order,
                        SpanFn&& span) {
    if (area.left >= area.right || area.top >= area.bottom)
        return;
    if (!context.hasClip) {
        for (std::int32_t i = 0; i < area.bottom - area.top; ++i)
            span(order.lastRowFirst ? area.bottom - 1 - i : area.top + i, area.left, area.right);
        return;
    }
    // Boxes come in bands of equal y, bands top to bottom and boxes left to
    // right within a band.
    const std::span<const RegionBox> all = RegionBoxes(*context.clip);
    const RegionBox* boxes = all.data();
    const int count = static_cast<int>(all.size());
    const auto bandEnd = [&](int first) {
        int end = first + 1;
        while (end < count && boxes[end].y1 == boxes[first].y1)
            ++end;
        return end;
    };
    if (!order.lastRowFirst) {
        for (int first = 0; first < count && boxes[first].y1 < area.bottom;) {
            const int end = bandEnd(first);
            if (boxes[first].y2 > area.top)
                clip_walk_detail::WalkBand(boxes + first, end - first, area, order, span);
            first = end;
        }
        return;
    }
    for (int end = count; end > 0 && boxes[end - 1].y2 > area.top;) {
        int first = end - 1;
        while (first > 0 && boxes[first - 1].y1 == boxes[end - 1].y1)
            --first;
        if (boxes[first].y1 < area.bottom)
            clip_walk_detail::WalkBand(boxes + first, end - first, area, order, span);
        end = first;
    }
}

// A palette index as a monochrome bitmap stores it: black is 0, anything
// else 1.
inline std::uint8_t MonoBitFor(std::uint8_t index) {
    return index == blackIndex ? 0 : 1;
}
