// Stored .bmp pictures: the header checked strictly enough that decoding
// can trust every offset, the pixels turned into indices top row first,
// and the 1-bit mask loaded as a monochrome bitmap.
#include "gdi_objects.h"
#include "rle8.h"

#include <cstddef>
#include <vector>

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;
constexpr std::int32_t maxSide = 1 << 15;
constexpr std::uint32_t uncompressed = 0;
constexpr std::uint32_t runLength8 = 1;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}
std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Where the pixels are and how they are stored, once the header is known
// to be sound.
struct Layout {
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: top row first
    std::int32_t bitsPerPixel = 0;
    std::int32_t colorCount = 0;
    std::size_t colorTableAt = 0;
    std::uint32_t compression = uncompressed;
    std::span<const std::uint8_t> pixels;
};

std::size_t StoredStride(std::int32_t width, std::int32_t bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

std::int32_t Rows(std::int32_t height) {
    return height < 0 ? -height : height;
}

bool ReadLayout(std::span<const std::uint8_t> file, Layout& layout) {
    if (file.size() < fileHeaderSize + infoHeaderSize || file[0] != 'B' || file[1] != 'M')
        return false;
    const std::uint32_t pixelsAt = ReadU32(file, 10);
    const std::uint32_t headerSize = ReadU32(file, 14);
    if (headerSize < infoHeaderSize || headerSize > file.size() - fileHeaderSize)
        return false;
    layout.width = static_cast<std::int32_t>(ReadU32(file, 18));
    layout.height = static_cast<std::int32_t>(ReadU32(file, 22));
    layout.bitsPerPixel = ReadU16(file, 28);
    layout.compression = ReadU32(file, 30);
    const std::uint32_t colorsUsed = ReadU32(file, 46);
    if (layout.width <= 0 || layout.width > maxSide || layout.height == 0 ||
        layout.height < -maxSide || layout.height > maxSide || ReadU16(file, 26) != 1)
        return false;
    if (layout.bitsPerPixel != 1 && layout.bitsPerPixel != 4 && layout.bitsPerPixel != 8)
        return false;
    const bool runLength = layout.compression == runLength8;
    // Run-length data always runs bottom row first.
    if (layout.compression != uncompressed &&
        !(runLength && layout.bitsPerPixel == 8 && layout.height > 0))
        return false;
    const std::uint32_t maxColors = 1u << layout.bitsPerPixel;
    if (colorsUsed > maxColors)
        return false;
    layout.colorCount = static_cast<std::int32_t>(colorsUsed != 0 ? colorsUsed : maxColors);
    layout.colorTableAt = fileHeaderSize + headerSize;
    if (file.size() - layout.colorTableAt < static_cast<std::size_t>(layout.colorCount) * 4)
        return false;
    if (pixelsAt > file.size())
        return false;
    layout.pixels = file.subspan(pixelsAt);
    if (!runLength && layout.pixels.size() < StoredStride(layout.width, layout.bitsPerPixel) *
                                                 static_cast<std::size_t>(Rows(layout.height)))
        return false;
    return true;
}

// The index of pixel x in one stored row of 1, 4 or 8 bits per pixel.
std::uint8_t StoredIndex(const std::uint8_t* row, std::int32_t x, std::int32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0f;
    default: return row[x];
    }
}

void DecodeUncompressed(const Layout& layout, std::span<std::uint8_t> topDown) {
    const std::size_t stride = StoredStride(layout.width, layout.bitsPerPixel);
    const std::int32_t rows = Rows(layout.height);
    for (std::int32_t r = 0; r < rows; ++r) {
        const std::uint8_t* stored = layout.pixels.data() + static_cast<std::size_t>(r) * stride;
        const std::int32_t topRow = layout.height > 0 ? rows - 1 - r : r;
        std::uint8_t* out = topDown.data() + static_cast<std::size_t>(topRow) * layout.width;
        for (std::int32_t x = 0; x < layout.width; ++x)
            out[x] = StoredIndex(stored, x, layout.bitsPerPixel);
    }
}

} // namespace

bool ParseStoredBitmap(std::span<const std::uint8_t> file, StoredBitmap& out) {
    Layout layout;
    if (!ReadLayout(file, layout))
        return false;
    out.width = layout.width;
    out.height = layout.height;
    out.bitsPerPixel = layout.bitsPerPixel;
    out.colorCount = layout.colorCount;
    out.colors = {};
    for (std::int32_t i = 0; i < layout.colorCount; ++i) {
        const std::size_t at = layout.colorTableAt + static_cast<std::size_t>(i) * 4;
        // Stored as blue, green, red, reserved.
        out.colors[i] = {file[at + 2], file[at + 1], file[at], 0};
    }
    out.file = file;
    return true;
}

bool DecodeStoredBitmap(const StoredBitmap& stored, std::span<std::uint8_t> topDownPixels) {
    Layout layout;
    if (!ReadLayout(stored.file, layout) || layout.width != stored.width ||
        layout.height != stored.height)
        return false;
    const std::size_t count =
        static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(Rows(layout.height));
    if (topDownPixels.size() < count)
        return false;
    std::fill_n(topDownPixels.begin(), count, std::uint8_t{0});
    if (layout.compression == runLength8)
        return DecodeRle8(layout.pixels, layout.width, layout.height, topDownPixels);
    DecodeUncompressed(layout, topDownPixels);
    return true;
}

BitmapHandle LoadMonoBitmap(const StoredBitmap& stored) {
    if (stored.bitsPerPixel != 1 || stored.width <= 0 || stored.height == 0)
        return nullptr;
    const std::int32_t rows = Rows(stored.height);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(stored.width) *
                                      static_cast<std::size_t>(rows));
    if (!DecodeStoredBitmap(stored, indices))
        return nullptr;
    BitmapHandle bitmap = CreateMonoBitmap(stored.width, rows);
    if (!bitmap)
        return nullptr;
    // Like loading onto a monochrome device: light colours become 1, dark 0.
    std::uint8_t bitFor[2] = {0, 1};
    for (std::int32_t i = 0; i < 2 && i < stored.colorCount; ++i) {
        const PaletteEntry& colour = stored.colors[i];
        bitFor[i] = colour.red + colour.green + colour.blue >= 384 ? 1 : 0;
    }
    for (std::int32_t y = 0; y < rows; ++y) {
        const std::uint8_t* from = indices.data() + static_cast<std::size_t>(y) * stored.width;
        std::uint8_t* to = BitmapRow(*bitmap, y);
        for (std::int32_t x = 0; x < stored.width; ++x)
            to[x] = bitFor[from[x] & 1];
    }
    return bitmap;
}
