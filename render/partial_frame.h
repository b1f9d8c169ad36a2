#pragma once

#include "core/game_state.h"
#include "base/rect.h"

#include <array>
#include <cstdint>

// What the partial redraw remembers between its frames: where each slot and
// the character were last drawn, in window coordinates. One set for the
// whole program (there is one main window), all zero at start, written only
// by DrawPartialFrame.

// left, top, right, bottom; right and bottom exclusive.
struct WindowBox {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct PartialFrameMemory {
    std::array<Rect, floorSlotCount> lastSlotRects; // x, y, width, height
    WindowBox lastPlayerRect;
};

const PartialFrameMemory& PartialFrameRectangles();

// Back to the program's start: nothing drawn yet. For tests, which play many
// programs in one process.
void ResetPartialFrameState();
