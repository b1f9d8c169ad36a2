#pragma once

#include "core/game_state.h"
#include "shell/menu_bar.h"

// The check marks of the Difficulty menu, which follow the difficulty and
// the floor switches, set on a main window's menu bar.
void UpdateMenuChecks(MenuBar& bar, const GameState& state);
