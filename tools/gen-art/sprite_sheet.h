#pragma once

#include "image.h"
#include "palette.h"

// The 384 x 432 sprite sheet. The blank label and blank digits are cut from
// the frame picture, so hiding the jump count restores the panel exactly.
Image SpriteSheet(const Palette& pal, const Image& framePicture);

// The 256 x 160 mask sheet for it, as a coverage image: non-zero where the
// sprite is transparent (written as 1 bits), 0 where it is opaque.
Image MaskSheet(const Image& spriteSheet);
