#pragma once

#include "image.h"

// The window's frame picture, 634 x 436: the lit slate panel with the play
// field's well, the status wells, the lettering and the two clickable icons.
Image FramePicture();

// Places the frame shares with the rest of the game (x, y, w, h).
struct Box {
    int x, y, w, h;
};
namespace frame_layout {
inline constexpr Box kField{24, 64, 416, 352};
inline constexpr Box kGauge{88, 32, 96, 16};
inline constexpr Box kCounter{216, 16, 120, 32};
inline constexpr Box kLabel{512, 116, 100, 16};
inline constexpr Box kBest{543, 165, 52, 14};
inline constexpr Box kJumpLabel{464, 192, 64, 16};  // panel texture, not a well
inline constexpr Box kJumpDigits{560, 213, 52, 14}; // panel texture, not a well
inline constexpr Box kPauseSpot{522, 304, 28, 32};
inline constexpr Box kAbortSpot{520, 368, 32, 27};
} // namespace frame_layout
