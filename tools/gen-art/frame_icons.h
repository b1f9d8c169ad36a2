#pragma once

#include "image.h"

// The two clickable pictures of the frame, each exactly the size of its spot.
Image StopwatchIcon(); // 28 x 32
Image AbortIcon();     // 32 x 27
