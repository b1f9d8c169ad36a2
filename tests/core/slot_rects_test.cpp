#include "core/slot_rects.h"
#include "tests/core/core_test_support.h"

#include <gtest/gtest.h>

namespace {

using coretest::Slot;

void ExpectRect(const Rect& r, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

class SlotRects : public ::testing::Test {
  protected:
    void Put(FloorSlot slot) { state.floors[3] = slot; }
    Rect Sheet() const { return SlotSheetRect(state, 3); }
    Rect Draw() const { return SlotDrawRect(state, 3); }
    GameState state = MakeTitleState(1);
};

TEST_F(SlotRects, PlainAndSlidingFloorsShareTheFloorImage) {
    Put(Slot(FloorKind::Normal, 48, 100, 55, 3));
    ExpectRect(Sheet(), 0, 160, 96, 16);
    ExpectRect(Draw(), 48, 100, 96, 16);
    Put(Slot(FloorKind::MovingLR, 48, 100, -325, 0));
    ExpectRect(Sheet(), 0, 160, 96, 16);
    ExpectRect(Draw(), 16, 100, 96, 16); // -32.5 truncated toward zero
    Put(Slot(FloorKind::MovingLR, 48, 100, 300, 0));
    ExpectRect(Draw(), 78, 100, 96, 16);
    Put(Slot(FloorKind::MovingUD, 48, 100, -57, 0));
    ExpectRect(Sheet(), 0, 160, 96, 16);
    ExpectRect(Draw(), 48, 95, 96, 16);
}

TEST_F(SlotRects, BeltsCycleFourFramesWithTheAnimation) {
    Put(Slot(FloorKind::ConveyorLeft, 48, 100));
    for (std::int32_t frame = 0; frame < 8; ++frame) {
        state.animFrame = frame;
        ExpectRect(Sheet(), 0, 240 + 16 * (frame % 4), 96, 16);
    }
    ExpectRect(Draw(), 48, 100, 96, 16);
    Put(Slot(FloorKind::ConveyorRight, 48, 100));
    state.animFrame = 7;
    ExpectRect(Sheet(), 0, 224, 96, 16);
    ExpectRect(Draw(), 48, 100, 96, 16);
}

TEST_F(SlotRects, SpringKeepsItsBaseWhileItsTopMoves) {
    Put(Slot(FloorKind::Spring, 48, 100, 0, 0));
    ExpectRect(Sheet(), 96, 256, 96, 16);
    ExpectRect(Draw(), 48, 100, 96, 16);
    Put(Slot(FloorKind::Spring, 48, 100, 4, 0)); // pressed in
    ExpectRect(Sheet(), 96, 304, 96, 12);
    ExpectRect(Draw(), 48, 104, 96, 12);
    Put(Slot(FloorKind::Spring, 48, 100, -8, 2)); // stretched furthest
    ExpectRect(Sheet(), 96, 160, 96, 24);
    ExpectRect(Draw(), 48, 92, 96, 24);
    Put(Slot(FloorKind::Spring, 48, 100, -2, 2));
    ExpectRect(Sheet(), 96, 232, 96, 18);
    ExpectRect(Draw(), 48, 98, 96, 18);
}

TEST_F(SlotRects, GroundAndWalls) {
    ExpectRect(SlotSheetRect(state, 11), 0, 400, 384, 32);
    ExpectRect(SlotDrawRect(state, 11), 16, 320, 384, 32);
    state.floors[12].y = -7;
    ExpectRect(SlotSheetRect(state, 12), 352, 0, 16, 384);
    ExpectRect(SlotDrawRect(state, 12), 0, -7, 16, 384);
    ExpectRect(SlotDrawRect(state, 13), 400, 0, 16, 384);
}

} // namespace
