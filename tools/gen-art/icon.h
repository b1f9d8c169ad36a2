#pragma once

#include "ico_writer.h"
#include "image.h"
#include "palette.h"

#include <vector>

// Icon 101: the climber's head, helmet lamp and all, in four images:
// 32 x 32 and 16 x 16, each in 16 colours and in the game's 256.
std::vector<IconImage> IconImages(const Palette& pal);

// The 32 x 32 art in game palette indices, 0 where transparent.
Image IconArt32();
