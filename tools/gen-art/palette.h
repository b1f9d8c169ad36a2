#pragma once

#include <array>
#include <cstdint>

// The one 256-colour table every 8-bit picture of the game carries. Entries 0..9 and
// 246..255 are the twenty static colours of a 256-colour desktop, so the game's own
// colours sit at 10..245 and a palette index equals a screen index.

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

using Palette = std::array<Rgb, 256>;

// A run of neighbouring entries shading one material from dark to light.
struct Ramp {
    int first = 0;
    int count = 1;
    // Shade i (0 = darkest), clamped to the ramp.
    constexpr std::uint8_t operator()(int i) const {
        return static_cast<std::uint8_t>(first + (i < 0 ? 0 : i >= count ? count - 1 : i));
    }
    // Shade at t in 0..1, rounded.
    std::uint8_t at(double t) const;
    int last() const { return count - 1; }
};

namespace ink {
// The static colours the art also uses.
inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kWhite = 255;

// The game's ramps, in palette order (see palette.cpp for their colours).
inline constexpr Ramp kBackWall{10, 16}; // the shaft's dark red back wall
inline constexpr Ramp kBrick{26, 16};    // walls and ground: brick reds and browns
inline constexpr Ramp kSteel{42, 18};    // floors, springs, metal trim
inline constexpr Ramp kRubber{60, 10};   // conveyor belts
inline constexpr Ramp kGold{70, 18};     // lettering and digits
inline constexpr Ramp kSkin{88, 10};     // the character's face and hands
inline constexpr Ramp kHair{98, 8};      // hair and boots
inline constexpr Ramp kCloth{106, 14};   // the character's blue overalls
inline constexpr Ramp kHot{120, 16};     // reds: scarf, charge tint, gauge top, abort sign
inline constexpr Ramp kGreen{136, 14};   // gauge bottom, easy label
inline constexpr Ramp kYellow{150, 12};  // helmet, gauge middle, hazard stripes
inline constexpr Ramp kSky{162, 16};     // sparkles, lamp light, title sky
inline constexpr Ramp kPanel{178, 22};   // the window frame's slate panel
inline constexpr Ramp kViolet{200, 14};  // title depth and shadows
inline constexpr Ramp kTeal{214, 10};    // practice label, accents
inline constexpr Ramp kInk{224, 6};      // outlines: near-black navy
inline constexpr Ramp kCream{230, 16};   // warm highlights up to near white
} // namespace ink

// Builds the table; aborts the program if two entries would coincide.
Palette BuildPalette();
