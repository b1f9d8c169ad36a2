#pragma once

#include "image.h"

// Charge sparkles, frame 0..7, 64 x 48: twinkling stars that spiral up around
// the character, whose body fills x 16..47 and the bottom 32 rows of the frame.
Image SparkleFrame(int frame);
