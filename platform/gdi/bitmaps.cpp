// Bitmaps: 8-bit surfaces laid out like DIB sections, and monochrome ones
// with a byte per pixel so blits never have to shift bits.
#include "gdi_objects.h"

namespace {

// Large enough for any surface of the game, small enough that the row
// arithmetic below never overflows.
constexpr std::int32_t maxSide = 1 << 15;

std::int32_t PaddedStride(std::int32_t width) {
    return (width + 3) / 4 * 4;
}

BitmapHandle CreateBitmap(BitmapFormat format, std::int32_t width, std::int32_t height,
                          bool bottomUp) {
    if (width < 0 || height < 0 || width > maxSide || height > maxSide)
        return nullptr;
    auto* bitmap = new PlatformBitmap;
    bitmap->format = format;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->stride = PaddedStride(width);
    bitmap->bottomUp = bottomUp;
    bitmap->bits.assign(static_cast<std::size_t>(bitmap->stride) * height, 0);
    return bitmap;
}

} // namespace

BitmapHandle CreateIndexedBitmap(std::int32_t width, std::int32_t height, bool bottomUp) {
    return CreateBitmap(BitmapFormat::Indexed8, width, height, bottomUp);
}

BitmapHandle CreateMonoBitmap(std::int32_t width, std::int32_t height) {
    return CreateBitmap(BitmapFormat::Mono, width, height, false);
}

void DeleteBitmap(BitmapHandle bitmap) {
    delete bitmap;
}

std::uint8_t* BitmapBits(BitmapHandle bitmap) {
    return bitmap ? bitmap->bits.data() : nullptr;
}
std::int32_t BitmapStride(BitmapHandle bitmap) {
    return bitmap ? bitmap->stride : 0;
}
std::int32_t BitmapWidth(BitmapHandle bitmap) {
    return bitmap ? bitmap->width : 0;
}
std::int32_t BitmapHeight(BitmapHandle bitmap) {
    return bitmap ? bitmap->height : 0;
}

BitmapFormat GetBitmapFormat(BitmapHandle bitmap) {
    return bitmap ? bitmap->format : BitmapFormat::Indexed8;
}

std::uint8_t GetPixelIndex(BitmapHandle bitmap, std::int32_t x, std::int32_t y) {
    if (!bitmap || x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height)
        return 0;
    return BitmapRow(*bitmap, y)[x];
}

std::uint64_t BitmapChangeCount(BitmapHandle bitmap) {
    return bitmap ? bitmap->changeCount : 0;
}

void MarkBitmapChanged(BitmapHandle bitmap) {
    if (bitmap)
        ++bitmap->changeCount;
}
