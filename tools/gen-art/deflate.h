#pragma once

#include "byte_writer.h"

// A zlib stream in one fixed-Huffman deflate block. Matches are looked for
// only at a few distances that pay off in our pictures: the previous byte,
// the previous pixel and the row above (row bytes given by rowBytes), which
// catches flat areas and the repeated rows of enlarged art.
Bytes ZlibCompress(const Bytes& raw, int pixelBytes, int rowBytes);
