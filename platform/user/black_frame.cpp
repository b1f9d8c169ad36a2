#include "control_drawing.h"

#include <cstdlib>

// The sunken black frame: a black rectangle inside a one-pixel sunken edge,
// which tells its dialog of every press. A second press soon after the
// first and near it is a double click: it reports that instead, so a double
// click as a whole gives one click and one double click.

namespace {

constexpr std::uint32_t doubleClickTime = 500;
constexpr std::int32_t doubleClickSlop = 2; // pixels either way

bool IsSecondPress(const ControlState& state, std::uint32_t time, std::int32_t x, std::int32_t y) {
    return state.hasLastPress && time - state.lastPressTime <= doubleClickTime &&
           std::abs(x - state.lastPressX) <= doubleClickSlop &&
           std::abs(y - state.lastPressY) <= doubleClickSlop;
}

} // namespace

void DrawBlackFrame(PlatformWindow* window) {
    using namespace control_colors;
    ContextHandle context = window->context;
    FillRectIndex(context, 0, 0, window->width, window->height, blackIndex);
    DrawFrameEdge(context, 0, 0, window->width, window->height, shadow, highlight);
}

LResult BlackFrameMessage(PlatformWindow* window, ControlState& state, std::uint32_t message,
                          WParam wParam, LParam lParam) {
    if (message != wm::lButtonDown) {
        return DefWindowProc(window, message, wParam, lParam);
    }
    const std::uint32_t time = GetTickCount();
    const std::int32_t x = PointParamX(lParam);
    const std::int32_t y = PointParamY(lParam);
    const bool second = IsSecondPress(state, time, x, y);
    // After a double click the next press starts afresh.
    state.hasLastPress = !second;
    state.lastPressTime = time;
    state.lastPressX = x;
    state.lastPressY = y;
    NotifyDialog(window, second ? bn::doubleClicked : bn::clicked);
    return 0;
}
