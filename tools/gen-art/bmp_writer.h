#pragma once

#include "image.h"
#include "palette.h"

#include <string>

// Windows bitmap files: 14-byte file header, 40-byte BITMAPINFOHEADER, colour
// table, pixel rows bottom-up (positive height), each row padded to 4 bytes.

enum class BmpCompression { None, Rle8 };

void WriteBmp8(const std::string& path, const Image& img, const Palette& pal,
               BmpCompression compression);

// A 1-bit picture with the two-entry table 0 black, 1 white; a pixel is 1 where
// the given image is non-zero.
void WriteBmp1(const std::string& path, const Image& bits);
