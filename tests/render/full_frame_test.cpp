// The repaint: the frame picture under the field and the panel. (The full
// frame itself is checked against frames composed from the art and the trace
// by the runner's screen test, and in SpeedUp games by the partial games.)

#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

TEST_F(RenderTest, RepaintDrawsTheFramePictureThenTheFieldThenTheStatusPanel) {
    state_.mode = GameMode::Playing;
    state_.floors[6] = {FloorKind::ConveyorLeft, 100, 120, 0, 0, 0};
    state_.playerX = 100;
    state_.playerY = 88;
    state_.facing = 1;
    state_.jumpPower = 3;
    state_.shownFloor = 42;
    state_.records[1][0].score = 321;
    state_.showJumpCount = 1;
    state_.jumpCount = 17;
    for (std::int32_t speedUp : {0, 1}) {
        state_.speedUp = speedUp;
        // The frame picture pixel by pixel, then the field (the partial
        // redraw's on the black well) and the panel.
        for (std::int32_t i = 0; i < 634 * 436; ++i) {
            const std::int32_t x = i % 634, y = i / 634;
            FillRectIndex(screen_.windowDC, x, y, x + 1, y + 1, Art().frame.at(x, y));
        }
        if (speedUp == 0) {
            DrawFullFrame(state_, screen_);
        } else {
            FieldModel field;
            field.PutSlot(state_, 6);
            field.PutCharacter(state_);
            for (std::int32_t i = 0; i < fieldWidth * fieldHeight; ++i) {
                const std::int32_t x = i % fieldWidth, y = i / fieldWidth;
                FillRectIndex(screen_.windowDC, 24 + x, 64 + y, 25 + x, 65 + y, field.At(x, y));
            }
        }
        DrawFloorCounter(state_, screen_);
        DrawJumpGauge(state_, screen_);
        DrawDifficultyAndBest(state_, screen_);
        DrawJumpCountLabel(state_, screen_);
        std::vector<std::uint8_t> expected(std::size_t{634} * 436);
        for (std::int32_t i = 0; i < 634 * 436; ++i)
            expected[static_cast<std::size_t>(i)] = WindowPixel(i % 634, i / 634);
        FillWindow(7); // and no slot marked: the repaint must mark them itself
        PaintWindow(state_, screen_);
        EXPECT_EQ(Mismatches(Window(), 0, 0, 634, 436,
                             [&](std::int32_t x, std::int32_t y) {
                                 return expected[static_cast<std::size_t>(y * 634 + x)];
                             }),
                  0)
            << "speedUp " << speedUp;
    }
}

} // namespace
} // namespace render_test
