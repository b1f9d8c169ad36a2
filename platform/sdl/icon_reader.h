#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The program's icon as the desktop wants it: 32 x 32 pixels, top row
// first, each 0xAARRGGBB, fully transparent where the icon's mask says so.
struct IconImage {
    static constexpr std::int32_t size = 32;
    std::vector<std::uint32_t> argb; // size * size
};

// Reads the 32 x 32, 256-colour picture out of an .ico file (its directory
// of pictures, each a device-independent bitmap of twice the height: the
// colour rows, then the 1-bit transparency mask). Nothing when the file is
// damaged or has no such picture; the window then keeps the desktop's icon.
std::optional<IconImage> ReadIcon32(std::span<const std::uint8_t> file);
