// A stored picture drawn 1:1, its pixel values taken as palette indices.
// The frame picture is drawn this way at every repaint: decoding it costs
// far less than the frame's blits, so nothing is cached.
#include "clip_walk.h"

#include <cstring>
#include <vector>

void DrawStoredBitmap(ContextHandle context, std::int32_t x, std::int32_t y,
                      const StoredBitmap& stored) {
    if (!context || !context->bitmap || stored.width <= 0 || stored.height == 0)
        return;
    const std::int32_t rows = stored.height < 0 ? -stored.height : stored.height;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stored.width) *
                                     static_cast<std::size_t>(rows));
    // A damaged picture still shows the rows that decoded.
    DecodeStoredBitmap(stored, pixels);

    PlatformBitmap& to = *context->bitmap;
    const bool mono = to.format == BitmapFormat::Mono;
    const PixelRect area =
        ClampToBitmap(x, y, std::int64_t{x} + stored.width, std::int64_t{y} + rows, to);
    ++to.changeCount;
    ForEachClippedSpan(
        *context, area, {}, [&](std::int32_t row, std::int32_t left, std::int32_t right) {
            const std::uint8_t* from =
                pixels.data() + static_cast<std::size_t>(row - y) * stored.width + (left - x);
            std::uint8_t* out = BitmapRow(to, row) + left;
            if (!mono) {
                std::memcpy(out, from, static_cast<std::size_t>(right - left));
                return;
            }
            for (std::int32_t i = 0; i < right - left; ++i)
                out[i] = MonoBitFor(from[i]);
        });
}
