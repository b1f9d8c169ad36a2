#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

std::uint8_t Ramp::at(double t) const {
    return (*this)(static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * (count - 1))));
}

namespace {

Rgb Hex(unsigned v) {
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

// Fills the ramp's entries by walking evenly through its key colours.
void FillRamp(Palette& pal, const Ramp& ramp, std::initializer_list<unsigned> keys) {
    std::vector<Rgb> k;
    for (unsigned v : keys)
        k.push_back(Hex(v));
    for (int i = 0; i < ramp.count; ++i) {
        double pos = ramp.count == 1 ? 0.0
                                     : static_cast<double>(i) * static_cast<double>(k.size() - 1) /
                                           (ramp.count - 1);
        int a = std::min(static_cast<int>(pos), static_cast<int>(k.size()) - 2);
        double t = pos - a;
        auto mix = [&](std::uint8_t p, std::uint8_t q) {
            return static_cast<std::uint8_t>(std::lround(p + (q - p) * t));
        };
        pal[ramp.first + i] = {mix(k[a].r, k[a + 1].r), mix(k[a].g, k[a + 1].g),
                               mix(k[a].b, k[a + 1].b)};
    }
}

constexpr unsigned kStatic[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                  0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                  0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                  0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

} // namespace

Palette BuildPalette() {
    using namespace ink;
    Palette pal{};
    for (int i = 0; i < 10; ++i)
        pal[i] = Hex(kStatic[i]);
    for (int i = 0; i < 10; ++i)
        pal[246 + i] = Hex(kStatic[10 + i]);

    FillRamp(pal, kBackWall, {0x12040a, 0x2c0a10, 0x4a1218, 0x6a1e20, 0x8e3a2c});
    FillRamp(pal, kBrick, {0x241008, 0x5a2210, 0x9a4424, 0xcc7444, 0xeeb088, 0xfbe0c8});
    FillRamp(pal, kSteel, {0x0e141c, 0x2e3a4a, 0x56687e, 0x8498ae, 0xb4c6d6, 0xf0f6fb});
    FillRamp(pal, kRubber, {0x121216, 0x26262e, 0x3e3e4a, 0x5c5c6c});
    FillRamp(pal, kGold, {0x2a1200, 0x663400, 0xa86a04, 0xe0a418, 0xfad652, 0xfff6c0});
    FillRamp(pal, kSkin, {0x5c2a14, 0x9c5634, 0xd89068, 0xf6be96, 0xffe2c8});
    FillRamp(pal, kHair, {0x1e0e06, 0x48240e, 0x7a4420, 0xb47038});
    FillRamp(pal, kCloth, {0x0a1238, 0x16287a, 0x2a4cc4, 0x5a86f0, 0xa8c8ff});
    FillRamp(pal, kHot, {0x2e0004, 0x780810, 0xc41c1c, 0xf2503a, 0xff9878, 0xffd8c4});
    FillRamp(pal, kGreen, {0x021e08, 0x0a5416, 0x1c9428, 0x4cd040, 0xaaf88a});
    FillRamp(pal, kYellow, {0x3a2a00, 0x8a6a00, 0xd8b010, 0xfce03a, 0xfff8a0});
    FillRamp(pal, kSky, {0x0a0e2c, 0x16286a, 0x2a58b0, 0x4c94e4, 0x8cd0fa, 0xe0f8ff});
    FillRamp(pal, kPanel, {0x14181e, 0x2e3540, 0x4c5664, 0x6e7a8a, 0x96a2b0, 0xc4ccd6, 0xeef2f6});
    FillRamp(pal, kViolet, {0x0c0616, 0x24123e, 0x44266e, 0x6c46a4, 0xa684d8});
    FillRamp(pal, kTeal, {0x042222, 0x0c5a58, 0x1ea094, 0x6ae0cc});
    FillRamp(pal, kInk, {0x0a0a14, 0x12121e, 0x1c1a2c});
    FillRamp(pal, kCream, {0x6a5a4a, 0xa8947c, 0xd8c8b0, 0xf4ecdc, 0xfffaf2});

    // Interpolation can land on a colour already taken (a static one, or a
    // neighbour in a short ramp): nudge the later entry until it is unique,
    // because colour matching must never merge two of our indices.
    for (int i = 10; i < 246; ++i) {
        for (;;) {
            bool taken = pal[i] == Rgb{0, 0, 0} || pal[i] == Rgb{255, 255, 255};
            for (int j = 0; j < 256 && !taken; ++j)
                taken = j != i && (j < i || j >= 246) && pal[j] == pal[i];
            if (!taken)
                break;
            pal[i].b = static_cast<std::uint8_t>(pal[i].b == 255 ? 254 : pal[i].b + 1);
        }
    }
    if (kCream.first + kCream.count != 246) {
        std::fprintf(stderr, "palette ramps do not fill 10..245\n");
        std::exit(1);
    }
    return pal;
}
