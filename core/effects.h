#pragma once

// The identifiers of the wave effects.
namespace effect {
inline constexpr int jump = 141;
inline constexpr int land = 142;
inline constexpr int gaugeBase = 142; // the gauge's tone for power p is gaugeBase + p
inline constexpr int springJump = 155;
inline constexpr int springLand = 156;
inline constexpr int conveyorLand = 157;
inline constexpr int record = 158;
inline constexpr int pause = 159;
inline constexpr int gameOver = 160;
} // namespace effect
