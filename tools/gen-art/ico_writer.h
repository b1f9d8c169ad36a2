#pragma once

#include "image.h"
#include "palette.h"

#include <string>
#include <vector>

// One image of an icon file: indices into its own colour table (16 or 256
// entries), with index 0 and transparent[i] != 0 giving the AND mask.
struct IconImage {
    Image pixels;      // colour indices
    Image transparent; // non-zero where the desktop shows through
    int bitCount = 8;  // 4 or 8
    std::vector<Rgb> colours;
};

void WriteIco(const std::string& path, const std::vector<IconImage>& images);
