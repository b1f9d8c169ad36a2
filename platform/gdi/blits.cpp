// BitBlt and FillRectIndex: index arithmetic over clipped row spans. These
// run many times per frame, so they allocate nothing and keep the inner
// loops to plain byte loops the compiler can vectorise.
#include "clip_walk.h"

#include <cstring>

namespace {

// destination = destination op source, for n pixels; the two rows may
// overlap (same bitmap), in which case the copy behaves like memmove.
void CombineRow(std::uint8_t* to, const std::uint8_t* from, std::int32_t n, RasterOp op) {
    if (op == RasterOp::SrcCopy) {
        std::memmove(to, from, static_cast<std::size_t>(n));
        return;
    }
    // Only a destination just right of its source needs the pixels in
    // reverse; the forward loops stay simple enough to vectorise.
    if (to > from && to < from + n) {
        for (std::int32_t i = n - 1; i >= 0; --i)
            to[i] = op == RasterOp::SrcAnd ? to[i] & from[i] : to[i] | from[i];
    } else if (op == RasterOp::SrcAnd) {
        for (std::int32_t i = 0; i < n; ++i)
            to[i] &= from[i];
    } else {
        for (std::int32_t i = 0; i < n; ++i)
            to[i] |= from[i];
    }
}

// A mask row to indices: its 0 bits become colours[0] (the text colour),
// its 1 bits colours[1] (the background colour).
void ExpandMaskRow(std::uint8_t* to, const std::uint8_t* bits, std::int32_t n,
                   const std::uint8_t colours[2], RasterOp op) {
    // text ^ (text ^ background) for a 1 bit, text for a 0 bit: no lookup,
    // so the loops vectorise.
    const std::uint8_t text = colours[0];
    const auto flip = static_cast<std::uint8_t>(colours[0] ^ colours[1]);
    const auto colour = [&](std::int32_t i) {
        return static_cast<std::uint8_t>(text ^ (flip & -(bits[i] & 1)));
    };
    switch (op) {
    case RasterOp::SrcCopy:
        for (std::int32_t i = 0; i < n; ++i)
            to[i] = colour(i);
        break;
    case RasterOp::SrcAnd:
        for (std::int32_t i = 0; i < n; ++i)
            to[i] &= colour(i);
        break;
    case RasterOp::SrcPaint:
        for (std::int32_t i = 0; i < n; ++i)
            to[i] |= colour(i);
        break;
    }
}

// Indices to a mask row: the source's background colour gives 1, any other
// index 0.
void ReduceToMaskRow(std::uint8_t* to, const std::uint8_t* from, std::int32_t n,
                     std::uint8_t background, RasterOp op) {
    for (std::int32_t i = 0; i < n; ++i) {
        const std::uint8_t bit = from[i] == background ? 1 : 0;
        if (op == RasterOp::SrcCopy)
            to[i] = bit;
        else if (op == RasterOp::SrcAnd)
            to[i] &= bit;
        else
            to[i] |= bit;
    }
}

} // namespace

void BitBlt(ContextHandle destination, std::int32_t x, std::int32_t y, std::int32_t width,
            std::int32_t height, ContextHandle source, std::int32_t sourceX, std::int32_t sourceY,
            RasterOp op) {
    if (!destination || !source || !destination->bitmap || !source->bitmap || width <= 0 ||
        height <= 0)
        return;
    PlatformBitmap& to = *destination->bitmap;
    PlatformBitmap& from = *source->bitmap;
    // Destination pixel (px, py) takes source pixel (px - dx, py - dy).
    const std::int64_t dx = std::int64_t{x} - sourceX;
    const std::int64_t dy = std::int64_t{y} - sourceY;
    const PixelRect area =
        ClampToBitmap(std::max<std::int64_t>(x, dx), std::max<std::int64_t>(y, dy),
                      std::min<std::int64_t>(std::int64_t{x} + width, dx + from.width),
                      std::min<std::int64_t>(std::int64_t{y} + height, dy + from.height), to);
    ++to.changeCount;

    const bool sameBitmap = &to == &from;
    const WalkOrder order{sameBitmap && dy > 0, sameBitmap && dy == 0 && dx > 0};
    // Within area both offsets fit in 32 bits: every pixel lies in both bitmaps.
    const auto shiftX = static_cast<std::int32_t>(dx);
    const auto shiftY = static_cast<std::int32_t>(dy);
    const auto sourceSpan = [&](std::int32_t row, std::int32_t left) {
        return BitmapRow(from, row - shiftY) + (left - shiftX);
    };

    if (from.format == to.format) {
        ForEachClippedSpan(*destination, area, order,
                           [&](std::int32_t row, std::int32_t left, std::int32_t right) {
                               CombineRow(BitmapRow(to, row) + left, sourceSpan(row, left),
                                          right - left, op);
                           });
    } else if (from.format == BitmapFormat::Mono) {
        const std::uint8_t colours[2] = {destination->textColor, destination->backgroundColor};
        ForEachClippedSpan(*destination, area, order,
                           [&](std::int32_t row, std::int32_t left, std::int32_t right) {
                               ExpandMaskRow(BitmapRow(to, row) + left, sourceSpan(row, left),
                                             right - left, colours, op);
                           });
    } else {
        const std::uint8_t background = source->backgroundColor;
        ForEachClippedSpan(*destination, area, order,
                           [&](std::int32_t row, std::int32_t left, std::int32_t right) {
                               ReduceToMaskRow(BitmapRow(to, row) + left, sourceSpan(row, left),
                                               right - left, background, op);
                           });
    }
}

void FillRectIndex(ContextHandle context, std::int32_t left, std::int32_t top, std::int32_t right,
                   std::int32_t bottom, std::uint8_t index) {
    if (!context || !context->bitmap)
        return;
    PlatformBitmap& to = *context->bitmap;
    const std::uint8_t value = to.format == BitmapFormat::Mono ? MonoBitFor(index) : index;
    ++to.changeCount;
    ForEachClippedSpan(*context, ClampToBitmap(left, top, right, bottom, to), {},
                       [&](std::int32_t row, std::int32_t spanLeft, std::int32_t spanRight) {
                           std::memset(BitmapRow(to, row) + spanLeft, value,
                                       static_cast<std::size_t>(spanRight - spanLeft));
                       });
}
