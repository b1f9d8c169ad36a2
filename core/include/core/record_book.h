#pragma once

#include "core/game_state.h"
#include "core/record_table.h"

#include <cstdint>

// The record book's part in a game: the offer of a Best5 place when a game
// ends, and the Clear Best5 command.

// At the end of a game: a place for this game in its difficulty's table.
void OfferRecord(GameState& state);

// The Clear Best5 command: asks which tables to reset and resets them.
void ApplyClearBest5(GameState& state);
