#pragma once

#include "byte_writer.h"
#include "image.h"

// BI_RLE8 pixel data for an 8-bit picture, bottom row first: encoded runs for
// repeats, absolute mode (padded to a 16-bit boundary) for stretches of
// differing pixels, an end-of-line after every row but the last, then the
// end-of-bitmap marker.
Bytes EncodeRle8(const Image& img);
