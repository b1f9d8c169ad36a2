#pragma once

#include "core/game_state.h"
#include "character_sprite.h"

#include <cstdint>

// Draws a sprite with its mask into backBuffer at (x, y): the mask ANDed in
// (opaque mask bits give index 0, transparent ones 255, which keeps the
// background), then the sprite ORed over it. Always into the 8-bit back
// buffer, never the window, so the arithmetic is on palette indices.
void DrawTransparent(GameState& state, std::int32_t x, std::int32_t y, const MaskedSprite& sprite);
