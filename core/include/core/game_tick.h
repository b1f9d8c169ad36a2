#pragma once

#include "core/game_state.h"

#include <cstdint>

// The 40 ms tick: a step of play, or of the field scrolling by in the title.

// Runs the tick that the mode calls for when timerId is the game timer.
void DispatchTick(GameState& state, std::uint32_t timerId);

void GameTick(GameState& state);
void AttractTick(GameState& state);

// The floor slot (0..11) the character's feet meet in this tick, or -1.
int ProbeLanding(GameState& state);
