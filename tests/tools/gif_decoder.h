#pragma once

#include "tools/make-capture/indexed_image.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

// A strict reader of the GIFs make-capture writes, for the tests: it throws
// on anything it does not expect, and composes each frame the way a viewer
// does, in colours.
struct DecodedFrame {
    int delayCentiseconds = 0;
    int disposal = 0;
    int left = 0, top = 0, width = 0, height = 0;
    bool localTable = false;
    bool transparency = false;
    int transparentIndex = 0;
    std::vector<Rgb> canvas; // the whole picture after this frame
};

struct DecodedGif {
    int width = 0;
    int height = 0;
    int loopCount = -1; // -1: no loop extension
    std::vector<DecodedFrame> frames;
};

struct GifFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

DecodedGif DecodeGif(std::span<const std::uint8_t> file);

// Unpacks one LZW code stream; throws unless it ends with the end code.
std::vector<std::uint8_t> LzwDecode(std::span<const std::uint8_t> packed, int minCodeSize);
