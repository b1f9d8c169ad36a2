#pragma once

#include "base/rect.h"
#include "core/game_state.h"

// Which images show the character and its charge sparkles now. Both
// renderers choose them the same way.

struct MaskedSprite {
    Rect sprite; // in the sprite sheet
    Rect mask;   // in the mask sheet, the same size
};

// The 32 x 32 body: frame 0 while airborne, else animFrame mod 4; the
// facing half of the columns; the charging pose while charging on a floor,
// always with the walking mask.
MaskedSprite CharacterSprite(const GameState& state);

// Sparkles show while charging on a floor (not once airborne).
bool ShowsChargeSparkles(const GameState& state);
// The 64 x 48 sparkle frame for animFrame 0..7.
MaskedSprite ChargeSparkleSprite(const GameState& state);

// The character (and its sparkles) show only while a game runs or is paused.
bool ShowsCharacter(const GameState& state);
