#pragma once

// What the drawing handles hold. Private to the platform layer: other
// platform code may include this to look inside a bitmap or a context, the
// game never does. Free of pixman and SDL, so including it needs neither.

#include "platform/gdi/gdi.h"

#include <cstdint>
#include <memory>
#include <vector>

struct PlatformBitmap {
    BitmapFormat format = BitmapFormat::Indexed8;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t stride = 0; // bytes per stored row, a multiple of 4
    bool bottomUp = false;   // stored row 0 is the bottom row
    std::vector<std::uint8_t> bits;
    std::uint64_t changeCount = 0;
};

struct PlatformPalette {
    PaletteEntries entries{};
};

struct PlatformContext {
    PlatformBitmap* bitmap = nullptr;
    PlatformPalette* palette = nullptr;
    bool paletteInBackground = false;
    PlatformFont* font = nullptr;
    std::uint8_t textColor = blackIndex;
    std::uint8_t backgroundColor = whiteIndex;
    bool opaqueBackground = true;
    // The clip region, in the bitmap's coordinates. Owned; made on first
    // use and kept, so changing the clip every slot of a frame reuses it.
    bool hasClip = false;
    PlatformRegion* clip = nullptr;
};

// What the text half keeps for as long as the display is open: the system's
// font configuration, loaded at the first face lookup, instead of once per
// lookup. Whatever it is, it is freed when the display closes. nullptr while
// no display is open.
std::shared_ptr<void>* OpenDisplayFontData();

// Frees the context's clip region (regions.cpp owns the region type).
void ReleaseContextClip(PlatformContext& context);

// The stored row that holds pixel row y counted from the top.
inline std::uint8_t* BitmapRow(PlatformBitmap& bitmap, std::int32_t y) {
    const std::int32_t storedRow = bitmap.bottomUp ? bitmap.height - 1 - y : y;
    return bitmap.bits.data() + static_cast<std::size_t>(storedRow) * bitmap.stride;
}
