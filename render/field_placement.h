#pragma once

#include <cstdint>

// The play field is the back buffer, shown in the main window's client area
// with its top-left at (24, 64).
inline constexpr std::int32_t fieldWindowX = 24;
inline constexpr std::int32_t fieldWindowY = 64;

// The pause sign: 128 x 48 from the sprite sheet at (0, 320), in the middle
// of the field at play-field (144, 144), window (168, 208).
inline constexpr std::int32_t pauseSignSheetX = 0;
inline constexpr std::int32_t pauseSignSheetY = 320;
inline constexpr std::int32_t pauseSignWidth = 128;
inline constexpr std::int32_t pauseSignHeight = 48;
inline constexpr std::int32_t pauseSignFieldX = 144;
inline constexpr std::int32_t pauseSignFieldY = 144;
