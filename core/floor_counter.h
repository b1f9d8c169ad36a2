#pragma once

#include "core/game_state.h"

// The status panel's floor counter trails the floor count: its digits roll
// one floor every nine ticks until it has caught up.
void RollFloorCounter(GameState& state);
