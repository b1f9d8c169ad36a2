#include "platform/sdl/window_zoom.h"

#include <gtest/gtest.h>

namespace {

constexpr PixelSize screen{634, 455};

// Usable desktops as they are met: the full screen less a panel or a dock.
TEST(WindowZoom, AutomaticFactorKeepsTheWindowWithinHalfTheDesktopEachWay) {
    struct Case {
        PixelSize usable;
        std::int32_t zoom;
    };
    const Case cases[] = {
        {{800, 600}, 1},   // too small even for half: never below 1
        {{1280, 800}, 1},  // 2 x 634 = 1268 > 640
        {{1920, 1050}, 1}, // full HD with a panel
        {{2536, 1820}, 2}, // exactly twice the window in each half
        {{2535, 1820}, 1}, // one pixel short in width
        {{2536, 1819}, 1}, // one pixel short in height
        {{2560, 1400}, 1}, // wide but short: height decides
        {{3840, 2112}, 2}, // 4K with a panel: 3 would fit across, height allows 2
        {{5120, 2840}, 3}, {{7680, 4280}, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseWindowZoom(0, screen, c.usable), c.zoom)
            << c.usable.width << " x " << c.usable.height;
    }
}

TEST(WindowZoom, RequestedFactorIsKeptWhileTheWindowFitsTheDesktop) {
    EXPECT_EQ(ChooseWindowZoom(1, screen, {3840, 2112}), 1); // smaller than automatic
    EXPECT_EQ(ChooseWindowZoom(3, screen, {3840, 2112}), 3); // more than half is allowed
    EXPECT_EQ(ChooseWindowZoom(5, screen, {3840, 2112}), 4); // 5 x 455 > 2112
    EXPECT_EQ(ChooseWindowZoom(2, screen, {1280, 800}), 1);  // would not fit at all
    EXPECT_EQ(ChooseWindowZoom(2147483647, screen, {3840, 2112}), 4);
}

TEST(WindowZoom, UnknownDesktopOrScreenFallsBackToWhatWasAskedWithinReason) {
    EXPECT_EQ(ChooseWindowZoom(0, screen, {0, 0}), 1);
    EXPECT_EQ(ChooseWindowZoom(2, screen, {0, 0}), 2);
    EXPECT_EQ(ChooseWindowZoom(100, screen, {-1, 900}), 4);
    EXPECT_EQ(ChooseWindowZoom(0, {0, 0}, {3840, 2112}), 1);
}

TEST(WindowZoom, WindowCoordinatesScaleBackRoundingTowardsMinusInfinity) {
    EXPECT_EQ(ScreenCoordinate(0, 2), 0);
    EXPECT_EQ(ScreenCoordinate(1, 2), 0);
    EXPECT_EQ(ScreenCoordinate(1267, 2), 633); // the last window pixel, the last screen pixel
    EXPECT_EQ(ScreenCoordinate(-1, 2), -1);    // just outside stays outside
    EXPECT_EQ(ScreenCoordinate(-2, 2), -1);
    EXPECT_EQ(ScreenCoordinate(-3, 3), -1);
    EXPECT_EQ(ScreenCoordinate(-4, 3), -2);
    EXPECT_EQ(ScreenCoordinate(-7, 1), -7);
}

} // namespace
