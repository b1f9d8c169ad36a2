// A real main window on the headless backend with the game's surfaces made
// by CreateSurfaces, and the committed pictures decoded by the asset tests'
// own reader, so that expected pixels never come from the code under test.
#pragma once

#include "core/game_state.h"
#include "core/rect.h"
#include "tests/assets/asset_readers.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace render_test {

using asset_readers::Bitmap;

// The committed pictures, decoded once: rows top-down, one byte per pixel.
const Bitmap& Sprites();
const Bitmap& Masks();
const Bitmap& BackWall();
const Bitmap& Title();
const Bitmap& Frame();

// A field with every slot moved out of sight, so a frame shows the back
// wall alone where no test puts something.
void ClearField(GameState& state);

// What the transparency rule leaves over a background pixel.
std::uint8_t Masked(std::uint8_t background, std::uint8_t maskBit, std::uint8_t sprite);

class RenderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The main window's client pixel at (x, y).
    std::uint8_t WindowPixel(std::int32_t x, std::int32_t y) const;
    // Fills the whole client with one index, to see what a call draws.
    void FillWindow(std::uint8_t index);
    // How many pixels of the w x h window block at (x, y) differ from the
    // sprite sheet block at (sheetX, sheetY); 0 when it shows exactly that.
    int SheetMismatches(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                        std::int32_t sheetX, std::int32_t sheetY) const;
    // The back wall's pixel at play-field (x, y), 16 <= x < 400, for the
    // state's scrollPhase.
    std::uint8_t BackWallAt(std::int32_t x, std::int32_t y) const;

    std::unique_ptr<GameState> state_;
};

} // namespace render_test
