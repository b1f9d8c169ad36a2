#include "screen_colors.h"

#include <cstring>

namespace {

bool SameColors(const PaletteEntries& a, const PaletteEntries& b) {
    // The flags say how an entry was mapped, not what colour it shows.
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue) {
            return false;
        }
    }
    return true;
}

std::uint32_t ArgbFromPaletteEntry(const PaletteEntry& entry) {
    return 0xFF000000u | static_cast<std::uint32_t>(entry.red) << 16 |
           static_cast<std::uint32_t>(entry.green) << 8 | entry.blue;
}

} // namespace

bool ScreenColorTable::Update(const PaletteEntries& palette) {
    if (made_ && SameColors(palette, source_)) {
        return false;
    }
    source_ = palette;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        argb_[i] = ArgbFromPaletteEntry(palette[i]);
    }
    made_ = true;
    return true;
}

void ConvertIndicesToArgb(std::span<const std::uint8_t> indices, std::int32_t width,
                          std::int32_t height, const ScreenColorTable& colors,
                          std::uint8_t* destination, std::int32_t pitchBytes) {
    const std::size_t rowLength = static_cast<std::size_t>(width);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* source = indices.data() + static_cast<std::size_t>(y) * rowLength;
        // The locked row need not be aligned for 32-bit stores: build the row
        // in place through memcpy, which compilers turn into plain stores.
        std::uint8_t* row = destination + static_cast<std::ptrdiff_t>(y) * pitchBytes;
        for (std::size_t x = 0; x < rowLength; ++x) {
            const std::uint32_t color = colors[source[x]];
            std::memcpy(row + x * 4, &color, sizeof color);
        }
    }
}
