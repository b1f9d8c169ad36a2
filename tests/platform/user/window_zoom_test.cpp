// The window's zoom, shared by the desktop backends: the factor chosen for
// the desktop and pointer positions scaled back.
#include "platform/user/window_zoom.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

constexpr PixelSize screen{634, 455};

// The factor asked for (0: automatic), usable desktops as they are met (the
// full screen less a panel or a dock) and the factor chosen: automatic
// leaves 16 x 48 pixels for the window manager's frame.
TEST(WindowZoom, AutomaticFitsTheFramedWindowARequestTheWindowAloneAndPointsRoundDown) {
    // clang-format off
    const struct { std::int32_t requested; PixelSize usable; std::int32_t zoom; } cases[] = {
        {0, {800, 600}, 1}, {0, {1366, 740}, 1}, {0, {1920, 1050}, 2}, {0, {2560, 1400}, 2},
        {0, {1284, 958}, 2}, {0, {1283, 958}, 1}, {0, {1284, 957}, 1}, // twice the window, framed
        {0, {3840, 2112}, 4}, {0, {7680, 4280}, 9},
        {1, {3840, 2112}, 1}, {3, {3840, 2112}, 3}, {5, {3840, 2112}, 4}, // 5 x 455 > 2112
        {2, {1280, 800}, 1}, {2147483647, {3840, 2112}, 4},
        {0, {0, 0}, 1}, {2, {0, 0}, 2}, {100, {-1, 900}, 4}, // nothing known: what was asked, within reason
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(ChooseWindowZoom(c.requested, screen, c.usable), c.zoom)
            << c.requested << " on " << c.usable.width << " x " << c.usable.height;
    EXPECT_EQ(ChooseWindowZoom(0, {0, 0}, {3840, 2112}), 1);

    // Pointer positions scale back rounding towards minus infinity: (window
    // coordinate, zoom, screen coordinate); -1 stays outside.
    const struct {
        std::int32_t window, zoom, screen;
    } points[] = {{0, 2, 0},   {1, 2, 0},   {1267, 2, 633}, {-1, 2, -1},
                  {-2, 2, -1}, {-3, 3, -1}, {-4, 3, -2},    {-7, 1, -7}};
    for (const auto& p : points)
        EXPECT_EQ(ScreenCoordinate(p.window, p.zoom), p.screen) << p.window << " / " << p.zoom;
}

// Fullscreen takes the whole display, frame or not, and centres the picture.
TEST(WindowZoom, FullscreenTakesTheLargestFactorOfTheWholeDisplayCentred) {
    const struct {
        PixelSize display;
        std::int32_t zoom, x, y;
    } cases[] = {{{1920, 1080}, 2, 326, 85},  {{1366, 768}, 1, 366, 156},
                 {{3840, 2160}, 4, 652, 170}, {{1268, 910}, 2, 0, 0},
                 {{1267, 2160}, 1, 316, 852}, {{600, 400}, 1, -17, -27},
                 {{0, 0}, 1, -317, -227}};
    for (const auto& c : cases) {
        const ScreenPlacement placed = PlaceFullscreen(screen, c.display);
        EXPECT_EQ(placed.zoom, c.zoom) << c.display.width << " x " << c.display.height;
        EXPECT_EQ(placed.x, c.x) << c.display.width << " x " << c.display.height;
        EXPECT_EQ(placed.y, c.y) << c.display.width << " x " << c.display.height;
    }
}

} // namespace
