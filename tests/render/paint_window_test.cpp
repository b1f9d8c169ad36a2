// The repaint: the frame picture first, then the field, then the four status
// elements over their wells; FillWindowRectBlack.

#include "core/ports.h"
#include "platform/gdi/gdi.h"
#include "shell/shell_ports.h"
#include "tests/render/partial_frame_stand_in.h"
#include "tests/render/render_fixture.h"

#include <vector>

namespace render_test {
namespace {

// What a repaint draws over the frame picture, in window coordinates.
const Rect fieldWell{24, 64, 416, 352};
const Rect drawnOverFrame[] = {
    fieldWell,           {88, 32, 96, 16}, // gauge
    {216, 16, 120, 32},                    // floor counter
    {512, 116, 100, 16},                   // difficulty label
    {543, 165, 52, 14},                    // best score
    {464, 192, 64, 16},                    // jump-count label
    {560, 213, 52, 14},                    // jump counter
};

bool Inside(const Rect& r, std::int32_t x, std::int32_t y) {
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

class Repaint : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        state_->mode = GameMode::Playing;
        state_->floors[6] = {FloorKind::ConveyorLeft, 100, 120, 0, 0, 0};
        state_->playerX = 100;
        state_->playerY = 88;
        state_->facing = 1;
        state_->jumpPower = 3;
        state_->shownFloor = 42;
        state_->difficulty = 3;
        state_->records[2][0].score = 321;
        state_->showJumpCount = 1;
        state_->jumpCount = 17;
    }
    void TearDown() override {
        OnPartialFrame() = nullptr;
        RenderTest::TearDown();
    }

    // Client pixels outside everything the repaint draws over the frame
    // picture that differ from the picture.
    int FrameMismatches() const {
        int mismatches = 0;
        for (std::int32_t y = 0; y < 436; ++y) {
            for (std::int32_t x = 0; x < 634; ++x) {
                bool drawnOver = false;
                for (const Rect& r : drawnOverFrame) {
                    drawnOver = drawnOver || Inside(r, x, y);
                }
                mismatches += !drawnOver && WindowPixel(x, y) != Frame().at(x, y);
            }
        }
        return mismatches;
    }
    void ExpectStatusPanel() const {
        EXPECT_EQ(SheetMismatches(88, 32, 96, 16, 192, 208), 0);       // gauge 3
        EXPECT_EQ(SheetMismatches(216 + 60, 16, 30, 32, 288, 128), 0); // counter's 4
        EXPECT_EQ(SheetMismatches(512, 116, 100, 16, 200, 368), 0);    // Hard
        EXPECT_EQ(SheetMismatches(543 + 13, 165, 13, 14, 320, 42), 0); // best's 3
        EXPECT_EQ(SheetMismatches(464, 192, 64, 16, 100, 384), 0);     // jump-count label
        EXPECT_EQ(SheetMismatches(560 + 39, 213, 13, 14, 320, 98), 0); // jumps' 7
    }
};

TEST_F(Repaint, DrawsTheFramePictureThenTheFieldThenTheStatusPanel) {
    FillWindow(7);
    PaintWindow(*state_);
    EXPECT_EQ(FrameMismatches(), 0);
    // The field is the composed frame, over the picture's black well.
    int fieldMismatches = 0;
    for (std::int32_t y = 0; y < fieldHeight; ++y) {
        for (std::int32_t x = 0; x < fieldWidth; ++x) {
            fieldMismatches +=
                WindowPixel(24 + x, 64 + y) != GetPixelIndex(state_->backBuffer.bitmap, x, y);
        }
    }
    EXPECT_EQ(fieldMismatches, 0);
    EXPECT_EQ(SheetMismatches(24 + 100, 64 + 120, 96, 16, 0, 240), 0);
    ExpectStatusPanel();
}

TEST_F(Repaint, PartialModeMarksEverySlotOverTheBlackWellFirst) {
    state_->speedUp = 1;
    int partialFrames = 0;
    OnPartialFrame() = [&](GameState& state) {
        ++partialFrames;
        for (const FloorSlot& slot : state.floors) {
            EXPECT_NE(slot.dirty, 0);
        }
        // The frame picture is already there: its field well is black.
        EXPECT_EQ(WindowPixel(24 + 200, 64 + 100), Frame().at(24 + 200, 64 + 100));
    };
    FillWindow(7);
    PaintWindow(*state_);
    EXPECT_EQ(partialFrames, 1);
    EXPECT_EQ(FrameMismatches(), 0);
    ExpectStatusPanel();
}

TEST_F(Repaint, FillWindowRectBlackBlackensExactlyTheRectangle) {
    FillWindow(7);
    FillWindowRectBlack(*state_, 168, 208, 296, 256);
    EXPECT_EQ(WindowPixel(168, 208), 0);
    EXPECT_EQ(WindowPixel(295, 255), 0);
    EXPECT_EQ(WindowPixel(167, 208), 7);
    EXPECT_EQ(WindowPixel(296, 255), 7);
    EXPECT_EQ(WindowPixel(168, 256), 7);
}

} // namespace
} // namespace render_test
