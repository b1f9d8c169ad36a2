#pragma once

// Where things are on the game's screen, in its own pixels: the 19-pixel menu
// bar, then the 634 x 436 client area. Colours are 0xRRGGBB.

#include "tests/e2e/window_image.h"

#include <cstdint>

namespace layout {

inline constexpr int screenWidth = 634;
inline constexpr int screenHeight = 455;
inline constexpr int menuBarHeight = 19;

// A client-area rectangle moved onto the screen, below the menu bar.
constexpr GameRect FromClient(int x, int y, int width, int height) {
    return {x, y + menuBarHeight, width, height};
}

inline constexpr GameRect field = FromClient(24, 64, 416, 352);
// The frame around the field and the status panel at its right: drawn from
// the game's own bitmaps, the same pixels on every system. The menu bar's
// lettering is the system's text, which may differ by a pixel here and there.
inline constexpr GameRect frameTop = FromClient(0, 0, 634, 64);
inline constexpr GameRect frameLeft = FromClient(0, 64, 24, 352);
inline constexpr GameRect statusPanel = FromClient(440, 64, 194, 352);
inline constexpr GameRect frameBottom = FromClient(0, 416, 634, 20);
inline constexpr GameRect menuBar = {0, 0, screenWidth, menuBarHeight};
inline constexpr GameRect jumpGauge = FromClient(88, 32, 96, 16);
inline constexpr GameRect jumpCountLabel = FromClient(464, 192, 64, 16);
inline constexpr GameRect jumpCounter = FromClient(560, 213, 52, 14);

// The classic window colours of the start panel and the menus.
inline constexpr std::uint32_t face = 0xC0C0C0, white = 0xFFFFFF, shadow = 0x808080,
                               black = 0x000000, selection = 0x000080;

struct Probe {
    int x, y;
    std::uint32_t color;
};

// The start panel, centred over the field: its face around the picture, the
// faces of its three buttons and the black frame of the default one.
inline constexpr Probe startPanel[] = {
    {160, 140, face},  {470, 140, face},  {160, 330, face},  {470, 330, face},
    {158, 296, white}, {475, 296, black}, {176, 308, face},  {292, 308, face},
    {386, 308, face},  {381, 313, black}, {420, 303, black}, {420, 323, black},
};

// The pause sign's dark outline, light rim and purple face.
inline constexpr Probe pauseSignProbes[] = {
    {168, 227, 0x0A0A14}, {295, 230, 0x0A0A14}, {200, 274, 0x0A0A14}, {169, 228, 0xFEEDA0},
    {170, 233, 0x4A2B76}, {170, 241, 0x3F2367}, {170, 253, 0x351D58}, {200, 265, 0x2B1749},
};

} // namespace layout

// Checks for WaitUntil: every probe shows its colour, or (some may match by
// chance) next to none does.
template <std::size_t N>
auto ShowsAll(const layout::Probe (&probes)[N], bool all = true) {
    return [&probes, all](const WindowImage& image) {
        int matches = 0;
        for (const layout::Probe& probe : probes)
            matches += image.At(probe.x, probe.y) == probe.color ? 1 : 0;
        return all ? matches == static_cast<int>(N) : matches <= 2;
    };
}
template <std::size_t N>
auto ShowsNone(const layout::Probe (&probes)[N]) {
    return ShowsAll(probes, false);
}

// A check that holds once an area differs from what it showed before (or,
// with `back`, once it shows that again).
inline auto Changed(const GameRect& area, std::vector<std::uint32_t> before, bool back = false) {
    return [area, before = std::move(before), back](const WindowImage& image) {
        return (CountDifferences(image.Area(area), before) > 0) != back;
    };
}
