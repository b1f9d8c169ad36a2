#pragma once

#include "platform/gdi/gdi.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Where red, green and blue lie in a 32-bit pixel, as bit masks. Every bit
// outside them is set: an opaque alpha, or padding the desktop ignores.
struct PixelLayout {
    std::uint32_t red = 0x00FF0000u;
    std::uint32_t green = 0x0000FF00u;
    std::uint32_t blue = 0x000000FFu;
    bool operator==(const PixelLayout&) const = default;
};

// The colour of every palette index as the screen's pixels store it (by
// default 0xAARRGGBB, opaque), kept for the palette and layout it was made
// from so that it is made again only when one of them changes, not on
// every frame.
class ScreenColorTable {
  public:
    // Remakes the table when the palette's colours or the layout differ
    // from those it was made from; true when it did.
    bool Update(const PaletteEntries& palette, const PixelLayout& layout = {});
    std::uint32_t operator[](std::uint8_t index) const { return pixels_[index]; }
    // Counts the remakes, so that a window can tell its pixels are stale.
    std::uint64_t Version() const { return version_; }

  private:
    std::uint64_t version_ = 0;
    PixelLayout layout_{};
    PaletteEntries source_{};
    std::array<std::uint32_t, paletteSize> pixels_{};
};

// A rectangle of screen pixels.
struct PixelRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

// Writes the area of the indices (rows `stride` apart, top row first) as
// colours, each index as zoom x zoom pixels, into 32-bit destination rows
// pitchBytes apart whose first byte is where index (0, 0) would go.
void ConvertIndices(std::span<const std::uint8_t> indices, std::int32_t stride,
                    const PixelRect& area, const ScreenColorTable& colors, std::int32_t zoom,
                    std::uint8_t* destination, std::int32_t pitchBytes);

// Compares width x height indices (rows `stride` apart) with `shown`, the
// copy of the last frame shown, and brings the copy up to date. The
// rectangles cover every index that changed: one for each run of changed
// rows, as wide as the changes in it. A copy of another size is remade and
// the whole frame counts as changed.
std::vector<PixelRect> TakeChanges(std::span<const std::uint8_t> indices, std::int32_t stride,
                                   std::int32_t width, std::int32_t height,
                                   std::vector<std::uint8_t>& shown);
