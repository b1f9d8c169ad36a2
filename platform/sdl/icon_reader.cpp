#include "icon_reader.h"

#include <cstddef>

namespace {

constexpr std::size_t directoryHeaderSize = 6;
constexpr std::size_t directoryEntrySize = 16;
constexpr std::size_t infoHeaderSize = 40;
constexpr std::int32_t wantedBits = 8;

std::uint32_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Read16(bytes, at) | (Read16(bytes, at + 2) << 16);
}

// Rows of a device-independent bitmap are padded to whole 32-bit words.
constexpr std::size_t RowStride(std::int32_t width, std::int32_t bits) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
}

// Decodes one picture of the directory; the span is exactly its bytes.
std::optional<IconImage> DecodePicture(std::span<const std::uint8_t> picture) {
    constexpr std::int32_t size = IconImage::size;
    if (picture.size() < infoHeaderSize || Read32(picture, 0) != infoHeaderSize) {
        return std::nullopt; // also what a PNG-compressed picture gives
    }
    // The height counts the colour rows and the mask rows together.
    const bool shapeFits = Read32(picture, 4) == size && Read32(picture, 8) == 2 * size &&
                           Read16(picture, 12) == 1 && Read16(picture, 14) == wantedBits &&
                           Read32(picture, 16) == 0;
    if (!shapeFits) {
        return std::nullopt;
    }
    std::uint32_t colorCount = Read32(picture, 32);
    if (colorCount == 0) {
        colorCount = 1u << wantedBits;
    }
    if (colorCount > (1u << wantedBits)) {
        return std::nullopt;
    }

    const std::size_t colorTableAt = infoHeaderSize;
    const std::size_t colorRowsAt = colorTableAt + std::size_t{colorCount} * 4;
    const std::size_t colorStride = RowStride(size, wantedBits);
    const std::size_t maskAt = colorRowsAt + colorStride * size;
    const std::size_t maskStride = RowStride(size, 1);
    if (picture.size() < maskAt + maskStride * size) {
        return std::nullopt;
    }

    IconImage image;
    image.argb.resize(static_cast<std::size_t>(size) * size);
    for (std::int32_t y = 0; y < size; ++y) {
        // Both the colour rows and the mask rows are stored bottom row first.
        const std::size_t storedRow = static_cast<std::size_t>(size - 1 - y);
        const std::size_t colorRow = colorRowsAt + storedRow * colorStride;
        const std::size_t maskRow = maskAt + storedRow * maskStride;
        for (std::int32_t x = 0; x < size; ++x) {
            const std::uint32_t index = picture[colorRow + x];
            if (index >= colorCount) {
                return std::nullopt;
            }
            const bool transparent = (picture[maskRow + x / 8] >> (7 - x % 8) & 1) != 0;
            // The colour table stores blue, green, red, unused.
            const std::size_t color = colorTableAt + std::size_t{index} * 4;
            const std::uint32_t rgb = static_cast<std::uint32_t>(picture[color + 2]) << 16 |
                                      static_cast<std::uint32_t>(picture[color + 1]) << 8 |
                                      picture[color];
            image.argb[static_cast<std::size_t>(y) * size + x] =
                transparent ? 0u : 0xFF000000u | rgb;
        }
    }
    return image;
}

} // namespace

std::optional<IconImage> ReadIcon32(std::span<const std::uint8_t> file) {
    if (file.size() < directoryHeaderSize || Read16(file, 0) != 0 || Read16(file, 2) != 1) {
        return std::nullopt;
    }
    const std::size_t count = Read16(file, 4);
    if (file.size() < directoryHeaderSize + count * directoryEntrySize) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = directoryHeaderSize + i * directoryEntrySize;
        // The directory's own width, height and colour fields are only hints
        // (0 may mean 256, or nothing); the picture's header decides.
        if (file[entry] != IconImage::size || file[entry + 1] != IconImage::size) {
            continue;
        }
        const std::size_t length = Read32(file, entry + 8);
        const std::size_t offset = Read32(file, entry + 12);
        if (offset > file.size() || length > file.size() - offset) {
            continue;
        }
        if (auto image = DecodePicture(file.subspan(offset, length))) {
            return image;
        }
    }
    return std::nullopt;
}
