#pragma once

#include "core/game_state.h"

#include <cstdint>

// The life of a game and the player's input: the mode changes and what each
// tells the screen, the menu, the start panel and the music.

void NewGame(GameState& state);
void StartPractice(GameState& state);
void TogglePause(GameState& state);
void AbortGame(GameState& state);
void ExitGame(GameState& state);

// Puts back the difficulty and floor switches that a practice game replaced.
// Returns false, changing nothing, when no practice game is running.
bool RestorePracticeSettings(GameState& state);

inline constexpr int vkSpace = 32;
inline constexpr int vkEscape = 27;

void HandleKey(GameState& state, int key, bool down);
// x and y in main-window client pixels.
void HandleLeftButtonDown(GameState& state, std::int32_t x, std::int32_t y);
void HandleLeftButtonUp(GameState& state);

// The two mouse hot spots on the window frame: the stopwatch and the sign.
bool InPauseHotSpot(std::int32_t x, std::int32_t y);
bool InAbortHotSpot(std::int32_t x, std::int32_t y);
