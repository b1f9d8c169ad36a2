// A real main window on the headless backend with the game's surfaces made
// by CreateSurfaces, and the committed pictures decoded by the asset tests'
// own reader, so that expected pixels never come from the code under test.
#pragma once

#include "core/game_state.h"
#include "core/rect.h"
#include "platform/gdi/gdi.h"
#include "tests/assets/asset_readers.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace render_test {

struct Pictures {
    asset_readers::Bitmap sprites, masks, backWall, title, frame;
};
const Pictures& Art(); // decoded once: rows top-down, one byte per pixel

// The partial redraw renderer is not in this library: the tests link a
// stand-in that calls this hook (when set) with the state at that moment.
std::function<void(GameState&)>& OnPartialFrame();

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
