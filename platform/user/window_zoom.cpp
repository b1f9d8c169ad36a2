#include "platform/user/window_zoom.h"

#include <algorithm>

namespace {

// What a window manager's frame takes around the window at most: a title
// bar and borders, with a little room to spare. The frame's real size is
// known only once the window is shown, too late to choose its size.
constexpr PixelSize frameAllowance{16, 48};

// The largest factor with factor * size <= room in both directions.
std::int32_t LargestFittingFactor(PixelSize screen, PixelSize room) {
    return std::min(room.width / screen.width, room.height / screen.height);
}

} // namespace

std::int32_t ChooseWindowZoom(std::int32_t requested, PixelSize screen, PixelSize usable) {
    if (screen.width <= 0 || screen.height <= 0) {
        return 1;
    }
    if (usable.width <= 0 || usable.height <= 0) {
        // Nothing known about the desktop: what was asked for, within reason.
        return std::clamp(requested, 1, 4);
    }
    if (requested > 0) {
        return std::max(1, std::min(requested, LargestFittingFactor(screen, usable)));
    }
    const PixelSize room{usable.width - frameAllowance.width,
                         usable.height - frameAllowance.height};
    return std::max(1, LargestFittingFactor(screen, room));
}

ScreenPlacement PlaceFullscreen(PixelSize screen, PixelSize display) {
    if (screen.width <= 0 || screen.height <= 0) {
        return {};
    }
    const std::int32_t zoom = std::max(1, LargestFittingFactor(screen, display));
    return {zoom, (display.width - screen.width * zoom) / 2,
            (display.height - screen.height * zoom) / 2};
}

std::int32_t ScreenCoordinate(std::int32_t windowCoordinate, std::int32_t zoom) {
    if (zoom <= 1) {
        return windowCoordinate;
    }
    const std::int32_t quotient = windowCoordinate / zoom;
    return windowCoordinate % zoom < 0 ? quotient - 1 : quotient;
}
