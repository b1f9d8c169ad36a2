#pragma once

#include "image.h"

// 128 x 128 dark red back-wall tile: large dim bricks whose courses and
// texture all repeat within the tile, so it tiles seamlessly both ways.
Image BackWallTile();
