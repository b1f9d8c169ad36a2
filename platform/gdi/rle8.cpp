// The 8-bit run-length format of stored bitmaps: pairs of (count, value)
// runs, and escapes after a zero count: 0 end of line, 1 end of bitmap,
// 2 a jump right and up, 3..255 that many literal bytes padded to a word.
#include "rle8.h"

#include <cstddef>

namespace {

enum Escape : std::uint8_t { endOfLine = 0, endOfBitmap = 1, delta = 2 };

class Rle8Writer {
  public:
    Rle8Writer(std::int32_t width, std::int32_t height, std::span<std::uint8_t> pixels)
        : width_(width), height_(height), pixels_(pixels) {}

    // False when the pixel would land outside the picture.
    bool Put(std::uint8_t value) {
        if (x_ >= width_ || row_ >= height_)
            return false;
        const auto topRow = static_cast<std::size_t>(height_ - 1 - row_);
        pixels_[topRow * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x_)] = value;
        ++x_;
        return true;
    }
    void NextLine() {
        x_ = 0;
        ++row_;
    }
    // A jump may end on the edge (nothing more is drawn) but not beyond it.
    bool Jump(std::uint8_t right, std::uint8_t up) {
        x_ += right;
        row_ += up;
        return x_ <= width_ && row_ <= height_;
    }
    bool AllRowsDone() const { return row_ >= height_; }

  private:
    std::int32_t width_;
    std::int32_t height_;
    std::span<std::uint8_t> pixels_;
    std::int32_t x_ = 0;
    std::int32_t row_ = 0; // counted from the bottom, as the data runs
};

} // namespace

bool DecodeRle8(std::span<const std::uint8_t> data, std::int32_t width, std::int32_t height,
                std::span<std::uint8_t> topDownPixels) {
    if (width <= 0 || height <= 0 ||
        topDownPixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return false;
    Rle8Writer writer(width, height, topDownPixels);
    std::size_t at = 0;
    const auto available = [&](std::size_t count) { return data.size() - at >= count; };
    for (;;) {
        // Data that stops without its end mark is whole only if every row
        // has been written.
        if (!available(2))
            return writer.AllRowsDone();
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                if (!writer.Put(value))
                    return false;
            }
            continue;
        }
        switch (value) {
        case endOfLine: writer.NextLine(); break;
        case endOfBitmap: return true;
        case delta:
            if (!available(2) || !writer.Jump(data[at], data[at + 1]))
                return false;
            at += 2;
            break;
        default:
            if (!available(value))
                return false;
            for (int i = 0; i < value; ++i) {
                if (!writer.Put(data[at + static_cast<std::size_t>(i)]))
                    return false;
            }
            // Literal runs are padded to a whole 16-bit word.
            at += value + (value & 1u);
            if (at > data.size())
                at = data.size();
            break;
        }
    }
}
