#pragma once

#include "image.h"
#include "palette.h"

// The little climber: helmet with lamp, red shirt, blue overalls, brown boots.
// 32 x 32 with index 0 around it; the feet rest on the bottom row.

// Walking frame 0..3 (0 and 2 are strides, 1 and 3 passing poses, body up a pixel).
Image CharacterFrame(int frame, bool facingRight);

// Same shape with every colour moved onto the red ramp by its brightness, for the
// flashing charge pose; the outline stays dark so the shape still reads.
Image TintedRed(const Image& frame, const Palette& pal);
