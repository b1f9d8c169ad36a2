// The full frame against a field modelled from the decoded sheets, and the
// repaint: the frame picture under the field and the panel.

#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

class FullFrame : public RenderTest {
  protected:
    // Between the walls, field (x, y) shows tile column x - 16 and row
    // y + 128 - scrollPhase; the tile repeats every 128 rows.
    FieldModel BackWall() const {
        FieldModel field;
        for (std::int32_t y = 0; y < fieldHeight; ++y) {
            for (std::int32_t x = 16; x < 400; ++x) {
                field.At(x, y) =
                    Art().backWall.at((x - 16) % 128, (y + 128 - state_.scrollPhase) % 128);
            }
        }
        return field;
    }
};

TEST_F(FullFrame, SlotsInIndexOrderThenSparklesCharacterAndPauseSignOverTheBackWall) {
    // Every kind of slot, some overlapping or partly outside the field, the
    // walls off their rest; the other slots at the field's top left.
    state_.floors = {{
        {FloorKind::Normal, 100, 100, 0, 0, 0},
        {FloorKind::ConveyorRight, 148, 100, 0, 0, 0},
        {FloorKind::ConveyorLeft, 40, 2, 0, 0, 0},
        {FloorKind::MovingLR, -40, 200, -325, 0, 0},
        {FloorKind::MovingUD, 60, 250, 29, 0, 0},
        {FloorKind::Spring, 120, 150, 4, 0, 0},
        {FloorKind::Spring, 250, 150, -8, 0, 0},
        {FloorKind::Normal, 300, 340, 0, 0, 0},
    }};
    state_.floors[11] = {FloorKind::Ground, 16, 320, 0, 0, 0};
    state_.floors[12] = {FloorKind::Wall, 0, -10, 0, 0, 0};
    state_.floors[13] = {FloorKind::Wall, 400, 0, 0, 0, 0};
    // The body at field (156, 170), its top and the sparkles under the sign.
    state_.playerX = 140;
    state_.playerY = 170;
    const struct {
        const char* what;
        GameMode mode;
        std::int32_t facing, airborne, charging, animFrame, scrollPhase;
    } cases[] = {
        {"airborne: no sparkles though charging", GameMode::Playing, 1, 1, 1, 3, 0},
        {"walking left", GameMode::Playing, -1, 0, 0, 7, 1},
        {"charging, frame 2", GameMode::Playing, 1, 0, 1, 2, 127},
        {"charging, frame 5", GameMode::Playing, -1, 0, 1, 5, 64},
        {"paused: the sign over all", GameMode::Paused, 1, 0, 0, 0, 2},
        {"title: no character", GameMode::Title, 1, 0, 1, 0, 3},
        {"game over: no character", GameMode::GameOver, 1, 0, 1, 6, 4},
    };
    for (const auto& c : cases) {
        state_.mode = c.mode;
        state_.facing = c.facing;
        state_.airborne = c.airborne;
        state_.charging = c.charging;
        state_.animFrame = c.animFrame;
        state_.scrollPhase = c.scrollPhase;
        FillWindow(7);
        DrawFullFrame(state_, screen_);
        FieldModel field = BackWall();
        for (int i = 0; i < floorSlotCount; ++i)
            field.PutSlot(state_, i);
        if (c.mode == GameMode::Playing || c.mode == GameMode::Paused) {
            if (c.charging != 0 && c.airborne == 0) { // centred on the body, two bands of four
                const std::int32_t band = 64 + 48 * (c.animFrame / 4);
                field.Put(140, 154, {64 * (c.animFrame % 4), band, 64, 48}, band);
            }
            field.PutCharacter(state_);
        }
        if (c.mode == GameMode::Paused)
            field.PutPauseSign();
        EXPECT_EQ(field.Mismatches(Window()), 0) << c.what;
        for (auto [x, y] : {std::pair{23, 64}, {24, 63}, {440, 415}, {439, 416}})
            EXPECT_EQ(WindowPixel(x, y), 7) << "outside the field at " << x << "," << y;
    }
}

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
