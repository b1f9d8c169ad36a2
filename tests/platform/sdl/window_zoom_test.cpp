#include "platform/sdl/window_zoom.h"

#include <array>
#include <gtest/gtest.h>

namespace {

constexpr PixelSize screen{634, 455};

// Usable desktops as they are met (the full screen less a panel or a dock),
// the factor asked for (0: automatic) and the factor chosen.
TEST(WindowZoom, AutomaticKeepsWithinHalfTheDesktopAndARequestWithinAllOfIt) {
    const struct {
        std::int32_t requested;
        PixelSize usable;
        std::int32_t zoom;
    } cases[] = {
        // clang-format off
        {0, {800, 600}, 1}, {0, {1280, 800}, 1}, {0, {1920, 1050}, 1},
        {0, {2536, 1820}, 2}, {0, {2535, 1820}, 1}, {0, {2536, 1819}, 1}, // twice the window, or a pixel short
        {0, {2560, 1400}, 1}, {0, {3840, 2112}, 2}, {0, {5120, 2840}, 3}, {0, {7680, 4280}, 4},
        {1, {3840, 2112}, 1}, {3, {3840, 2112}, 3}, {5, {3840, 2112}, 4}, // 5 x 455 > 2112
        {2, {1280, 800}, 1}, {2147483647, {3840, 2112}, 4},
        {0, {0, 0}, 1}, {2, {0, 0}, 2}, {100, {-1, 900}, 4}, // nothing known: what was asked, within reason
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseWindowZoom(c.requested, screen, c.usable), c.zoom)
            << c.requested << " on " << c.usable.width << " x " << c.usable.height;
    EXPECT_EQ(ChooseWindowZoom(0, {0, 0}, {3840, 2112}), 1);
}

TEST(WindowZoom, WindowCoordinatesScaleBackRoundingTowardsMinusInfinity) {
    // (window coordinate, zoom, screen coordinate); -1 stays outside.
    const std::array<std::array<std::int32_t, 3>, 8> cases{{{0, 2, 0},
                                                            {1, 2, 0},
                                                            {1267, 2, 633},
                                                            {-1, 2, -1},
                                                            {-2, 2, -1},
                                                            {-3, 3, -1},
                                                            {-4, 3, -2},
                                                            {-7, 1, -7}}};
    for (const auto& [window, zoom, expected] : cases)
        EXPECT_EQ(ScreenCoordinate(window, zoom), expected) << window << " / " << zoom;
}

} // namespace
