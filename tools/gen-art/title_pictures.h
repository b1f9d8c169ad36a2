#pragma once

#include "image.h"
#include "palette.h"

// The two 288 x 140 pictures: the start panel's title and the About box's.
Image TitlePicture(const Palette& pal);
Image AboutPicture(const Palette& pal);
