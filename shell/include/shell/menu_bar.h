#pragma once

#include "platform/user/menu.h"

// The main window's menu bar as the game carries it, and its two states.

inline constexpr int difficultyMenuPosition = 1;

// The menu as the program carries it: the title state, nothing checked.
MenuBar MakeMainMenu();

// Between games: New Game and Practice enabled, Pause and Abort grayed,
// the Difficulty menu enabled. During a game the other way round.
void SetTitleState(MenuBar& bar);
void SetPlayState(MenuBar& bar);

// Item 40003 reads "&Resume" while a game is paused, "&Pause" otherwise.
void SetPauseLabel(MenuBar& bar, bool paused);

inline constexpr const char* pauseLabel = "&Pause";
inline constexpr const char* resumeLabel = "&Resume";
