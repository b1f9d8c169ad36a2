#pragma once

// Menu command identifiers.
namespace command {
inline constexpr int newGame = 40001;
inline constexpr int practice = 40002;
inline constexpr int pause = 40003;
inline constexpr int abort = 40004;
inline constexpr int exit = 40005;
inline constexpr int difficultyBase = 40005; // Easy, Normal, Hard are base + 1..3
inline constexpr int easy = 40006;
inline constexpr int normal = 40007;
inline constexpr int hard = 40008;
inline constexpr int conveyorBelt = 40009;
inline constexpr int movingLR = 40010;
inline constexpr int movingUD = 40011;
inline constexpr int spring = 40012;
inline constexpr int music = 40013;
inline constexpr int sound = 40014;
inline constexpr int speedUp = 40015;
inline constexpr int showJumpCount = 40016;
inline constexpr int clearBest5 = 40017;
inline constexpr int helpTopics = 40018;
inline constexpr int about = 40019;
inline constexpr int nothing = 40020;
inline constexpr int helpKey = 40021; // what F1 sends
} // namespace command
