#pragma once

#include "image.h"

// The shaft's furniture. Every one is blitted as an opaque rectangle, so each
// fills its whole box; gaps are painted in the back wall's shadow colour.

Image PlainFloor();                       // 96 x 16 steel girder walkway
Image ConveyorFloor(int k, bool toRight); // 96 x 16, animation step k = 0..3
Image SpringImage(int k);                 // 96 x (24 - 2k); k = 4 is at rest
Image GroundStrip();                      // 384 x 32, the bottom of the shaft
Image WallColumn();                       // 16 x 384 brick pillar, repeats every 32 rows
