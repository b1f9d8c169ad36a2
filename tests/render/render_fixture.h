// A real main window on the headless backend with the game's surfaces made
// by CreateSurfaces, and the committed pictures decoded by the asset tests'
// own reader, so that expected pixels never come from the code under test.
#pragma once

#include "core/game_state.h"
#include "base/rect.h"
#include "platform/gdi/gdi.h"
#include "tests/assets/asset_readers.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace render_test {

struct Pictures {
    asset_readers::Bitmap sprites, masks, backWall, title, frame;
};
const Pictures& Art(); // decoded once: rows top-down, one byte per pixel

// The play field as a test expects it: 416 x 352 indices composed from the
// decoded sheets.
class FieldModel {
  public:
    std::uint8_t& At(std::int32_t x, std::int32_t y) { return pixels_[y * fieldWidth + x]; }
    void Fill(std::uint8_t index) { pixels_.assign(pixels_.size(), index); }
    // The sheet block s at field (x, y), clipped to the field: a plain copy,
    // or with maskY >= 0 the transparency rule with the mask at (s.x, maskY):
    // a mask bit 1 keeps the background, 0 blackens it, then the sprite's
    // index is ORed in.
    void Put(std::int32_t x, std::int32_t y, const Rect& s, std::int32_t maskY = -1);
    // How many pixels of the window's field at (24, 64), columns from..to-1,
    // differ from the model.
    int Mismatches(BitmapHandle window, std::int32_t from = 0, std::int32_t to = fieldWidth);

  private:
    std::vector<std::uint8_t> pixels_ = std::vector<std::uint8_t>(fieldWidth * fieldHeight);
};

using Expected = std::function<std::uint8_t(std::int32_t dx, std::int32_t dy)>;
// How many pixels of the w x h block of bitmap at (x, y) differ from expected.
int Mismatches(BitmapHandle bitmap, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
               const Expected& expected);

class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    BitmapHandle Window() const { return GetSelectedBitmap(state_->windowDC); }
    std::uint8_t WindowPixel(std::int32_t x, std::int32_t y) const {
        return GetPixelIndex(Window(), x, y);
    }
    void FillWindow(std::uint8_t index) { FillRectIndex(state_->windowDC, 0, 0, 634, 436, index); }

    std::unique_ptr<GameState> state_ = std::make_unique<GameState>();
};

} // namespace render_test
