// The repaint: the frame picture first, then the field, then the four status
// elements over their wells; FillWindowRectBlack.

#include "core/ports.h"
#include "render/window_drawing.h"
#include "tests/render/render_fixture.h"

#include <vector>

namespace render_test {
namespace {

TEST_F(RenderTest, RepaintDrawsTheFramePictureThenTheFieldThenTheStatusPanel) {
    state_->mode = GameMode::Playing;
    state_->floors[6] = {FloorKind::ConveyorLeft, 100, 120, 0, 0, 0};
    state_->playerX = 100;
    state_->playerY = 88;
    state_->jumpPower = 3;
    state_->shownFloor = 42;
    state_->records[1][0].score = 321;
    state_->showJumpCount = 1;
    state_->jumpCount = 17;
    state_->facing = 1;
    for (std::int32_t speedUp : {0, 1}) {
        state_->speedUp = speedUp;
        // The decoded frame picture put in pixel by pixel, then what the field
        // and the status panel draw. The partial redraw shows the slots and
        // the character on the picture's black field well, nothing behind.
        std::vector<std::uint8_t> expected;
        for (std::int32_t i = 0; i < 634 * 436; ++i) {
            const std::int32_t x = i % 634, y = i / 634;
            FillRectIndex(state_->windowDC, x, y, x + 1, y + 1, Art().frame.at(x, y));
        }
        if (speedUp == 0) {
            DrawFullFrame(*state_);
        } else {
            FieldModel field;
            field.Put(100, 120, {0, 240, 96, 16}); // the belt's first frame
            field.Put(116, 88, {128, 0, 32, 32}, 0);
            for (std::int32_t i = 0; i < fieldWidth * fieldHeight; ++i) {
                const std::int32_t x = i % fieldWidth, y = i / fieldWidth;
                FillRectIndex(state_->windowDC, 24 + x, 64 + y, 25 + x, 65 + y, field.At(x, y));
            }
        }
        DrawFloorCounter(*state_);
        DrawJumpGauge(*state_);
        DrawDifficultyAndBest(*state_);
        DrawJumpCountLabel(*state_);
        for (std::int32_t i = 0; i < 634 * 436; ++i) {
            expected.push_back(WindowPixel(i % 634, i / 634));
        }
        // Unmarked slots: the repaint itself must mark them all for redraw.
        for (FloorSlot& slot : state_->floors) {
            slot.dirty = 0;
        }
        FillWindow(7);
        PaintWindow(*state_);
        EXPECT_EQ(Mismatches(Window(), 0, 0, 634, 436,
                             [&](std::int32_t x, std::int32_t y) { return expected[y * 634 + x]; }),
                  0)
            << "speedUp " << speedUp;
    }
}

TEST_F(RenderTest, FillWindowRectBlackBlackensExactlyTheRectangle) {
    FillWindow(7);
    FillWindowRectBlack(*state_, 168, 208, 296, 256);
    // Black at 168..295 x 208..255, and the ring of pixels around it left alone.
    const Expected blackened = [](std::int32_t dx, std::int32_t dy) -> std::uint8_t {
        return dx > 0 && dy > 0 && dx < 129 && dy < 49 ? 0 : 7;
    };
    EXPECT_EQ(Mismatches(Window(), 167, 207, 130, 50, blackened), 0);
}

} // namespace
} // namespace render_test
