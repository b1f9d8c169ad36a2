// The renderer on a TestScreen; expected pixels come from the committed
// pictures decoded by the asset tests' reader, never from the code under test.
#pragma once

#include "base/rect.h"
#include "core/game_state.h"
#include "tests/assets/asset_readers.h"
#include "tests/render/test_screen.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace render_test {

struct Pictures {
    asset_readers::Bitmap sprites, masks, backWall, title, frame;
};
const Pictures& Art(); // decoded once: rows top-down, one byte per pixel

// The play field as a test expects it: 416 x 352 indices, black at first.
class FieldModel {
  public:
    std::uint8_t& At(std::int32_t x, std::int32_t y) { return pixels_[Index(x, y)]; }
    std::uint8_t At(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }
    // Sheet block s at field (x, y), clipped: a copy, or with maskY >= 0 the
    // mask at (s.x, maskY) keeps (1) or blackens (0), then the sprite is ORed.
    void Put(std::int32_t x, std::int32_t y, const Rect& s, std::int32_t maskY = -1);
    void PutSlot(const GameState& state, int slot); // where and as the slot rectangles say
    void PutCharacter(const GameState& state);      // the body in its pose, no sparkles
    void PutPauseSign() { Put(144, 144, {0, 320, 128, 48}); }
    // How many pixels of the window's field at (24, 64) differ from the model.
    int Mismatches(BitmapHandle window) const;
    static FieldModel Read(BitmapHandle window); // the window's field as it is

  private:
    static std::size_t Index(std::int32_t x, std::int32_t y) {
        return static_cast<std::size_t>(y) * fieldWidth + static_cast<std::size_t>(x);
    }
    std::vector<std::uint8_t> pixels_ =
        std::vector<std::uint8_t>(std::size_t{fieldWidth} * fieldHeight);
};

using Expected = std::function<std::uint8_t(std::int32_t dx, std::int32_t dy)>;
// How many pixels of the w x h block of bitmap at (x, y) differ from expected.
int Mismatches(BitmapHandle bitmap, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               const Expected& expected);

class RenderTest : public ::testing::Test {
  protected:
    RenderTest();
    BitmapHandle Window() const { return GetSelectedBitmap(screen_.windowDC); }
    std::uint8_t WindowPixel(std::int32_t x, std::int32_t y) const {
        return GetPixelIndex(Window(), x, y);
    }
    void FillWindow(std::uint8_t index) { FillRectIndex(screen_.windowDC, 0, 0, 634, 436, index); }

    TestScreen window_;
    RenderResources& screen_ = window_.screen;
    GameState state_{}; // the title, Normal, every slot out of sight
};

} // namespace render_test
