#pragma once

#include "changed_rect.h"
#include "indexed_image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct GifOptions {
    int loopCount = 0; // 0 plays forever
    // After the first frame, store only the rectangle that changed, drawn
    // over the frame before it (disposal "do not dispose"), with the pixels
    // inside it that did not change left transparent when that is smaller.
    bool onlyChangedRect = true;
};

// Builds an animated GIF89a frame by frame. The first frame's palette is the
// global colour table; a frame with another palette carries its own.
class GifEncoder {
  public:
    explicit GifEncoder(GifOptions options) : options_(options) {}

    // Adds a frame shown for `delayCentiseconds` (4 is one game tick).
    // False (with `error` set) when its size differs from the first frame's.
    bool AddFrame(const IndexedImage& frame, int delayCentiseconds, std::string& error);

    // The whole file, ended with the trailer. Call once, after the frames.
    std::vector<std::uint8_t> Finish();

    int FrameCount() const { return frameCount_; }

  private:
    void WriteHeader(const IndexedImage& first);
    void WriteLoopExtension();
    void WriteFrameControl(int delayCentiseconds, std::optional<std::uint8_t> transparentIndex);
    void WriteImage(const IndexedImage& frame, const PixelRect& rect,
                    const std::vector<std::uint8_t>& compressed);

    GifOptions options_;
    std::vector<std::uint8_t> out_;
    IndexedImage shown_; // what a viewer shows after the frames so far
    Palette256 globalPalette_{};
    int frameCount_ = 0;
};
