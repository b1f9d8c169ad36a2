#pragma once

#include "base/rect.h"
#include "core/game_state.h"

// Where each slot of the field is drawn and which part of the sprite sheet
// shows it. The landing probe marks the slots the character overlaps with the
// same boxes the renderers draw.

// The sprite sheet rectangle that shows slot i now.
Rect SlotSheetRect(const GameState& state, int slot);

// Where slot i is drawn now, in play-field coordinates.
Rect SlotDrawRect(const GameState& state, int slot);
