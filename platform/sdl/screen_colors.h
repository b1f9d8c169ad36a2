#pragma once

#include "platform/gdi/gdi.h"

#include <array>
#include <cstdint>
#include <span>

// The colour of every palette index as the screen texture stores it
// (0xAARRGGBB, opaque), kept for the palette it was made from so that it is
// made again only when the palette's content changes, not on every frame.
class ScreenColorTable {
  public:
    // Remakes the table when palette differs from the one it was made from;
    // true when it did.
    bool Update(const PaletteEntries& palette);
    std::uint32_t operator[](std::uint8_t index) const { return argb_[index]; }

  private:
    bool made_ = false;
    PaletteEntries source_{};
    std::array<std::uint32_t, paletteSize> argb_{};
};

// Writes width x height indices (top row first, width per row) as colours
// into destination rows pitchBytes apart, as a locked texture gives them.
void ConvertIndicesToArgb(std::span<const std::uint8_t> indices, std::int32_t width,
                          std::int32_t height, const ScreenColorTable& colors,
                          std::uint8_t* destination, std::int32_t pitchBytes);
