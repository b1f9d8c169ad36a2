#pragma once

#include "character_sprite.h"
#include "render/render_resources.h"

#include <cstdint>

// Draws a sprite with its mask into the back buffer at (x, y): the mask ANDed
// in (opaque mask bits give index 0, transparent ones 255, which keeps the
// background), then the sprite ORed over it. Always into the 8-bit back
// buffer, never the window, so the arithmetic is on palette indices.
void DrawTransparent(RenderResources& screen, std::int32_t x, std::int32_t y,
                     const MaskedSprite& sprite);
