#pragma once

#include "core/game_state.h"

// What the main window asks of the renderer besides the game core's own
// drawing ports: the surfaces and palette made at start-up and released at
// teardown, the repaint, and the jump counter's label.
void CreateSurfaces(GameState& state);
void ReleaseSurfaces(GameState& state);
void PaintWindow(GameState& state);
void DrawJumpCountLabel(GameState& state);
