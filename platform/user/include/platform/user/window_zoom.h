#pragma once

#include <cstdint>

// The game draws a 96-dpi-sized screen; on today's desktops the whole window
// is shown larger by a whole factor, so that every pixel stays a sharp square.

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The factor to show a screen of the given size at on a desktop whose usable
// area (without panels and docks) is `usable`.
// - requested 0 (automatic): the largest factor for which the window, with a
//   window manager's frame around it, fits the usable desktop;
// - requested N > 0: N, but never so large that the window would not fit on
//   the usable desktop at all;
// - always at least 1, also when the desktop is too small or unknown
//   (a zero or negative usable size).
std::int32_t ChooseWindowZoom(std::int32_t requested, PixelSize screen, PixelSize usable);

// Where the screen is shown fullscreen: at the largest whole factor that
// fits the display (at least 1), its top-left corner placed so that it is
// centred, the rest of the display black.
struct ScreenPlacement {
    std::int32_t zoom = 1;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
ScreenPlacement PlaceFullscreen(PixelSize screen, PixelSize display);

// A window coordinate back in screen pixels. Rounds towards minus infinity,
// so that a pointer just left of or above the window (while a button holds
// it captured) stays outside the screen rather than landing on its edge.
std::int32_t ScreenCoordinate(std::int32_t windowCoordinate, std::int32_t zoom);
