// DrawPartialFrame against a model of what each frame must leave on screen:
// black where something has left, changed slots in index order but behind
// unchanged ones, and in the character's box only the cell: black, the
// slots marked 2 and the character.

#include "core/floor_field.h"
#include "core/ports.h"
#include "core/random.h"
#include "core/slot_rects.h"
#include "render/partial_frame.h"
#include "tests/render/render_fixture.h"

#include <algorithm>

namespace render_test {
namespace {

class PartialFrame : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        state_->speedUp = 1;
        state_->mode = GameMode::Playing;
        state_->facing = 1;
        state_->floors[12] = {FloorKind::Wall, 0, -20, 0, 0, 0};
        state_->floors[13] = {FloorKind::Wall, 400, -20, 0, 0, 0};
        state_->floors[11] = {FloorKind::Ground, 16, 320, 0, 0, 0};
        FillWindow(7);
    }

    // What the SpeedUp command does when it is switched on.
    void SwitchOn() {
        FillWindowRectBlack(*state_, 24, 64, 440, 416);
        ScrollField(*state_, 0);
        Draw();
    }
    // One frame, remembering the marks it was drawn with.
    void Draw() {
        for (int i = 0; i < floorSlotCount; ++i)
            marks_[i] = state_->floors[i].dirty;
        DrawPartialFrame(*state_);
    }
    // One frame, the landing probe's marks first if landed; then how many
    // field pixels differ from Composed().
    int FrameMismatches(bool landed = false) {
        if (landed)
            MarkUnderBody();
        Draw();
        return Composed().Mismatches(Window());
    }
    // Marks as the landing probe sets them: 2 on every slot under the body.
    void MarkUnderBody() {
        const Rect body{state_->playerX + 16, state_->playerY, 32, 32};
        for (int i = 0; i < floorSlotCount; ++i) {
            if (Overlaps(body, SlotDrawRect(*state_, i)))
                state_->floors[i].dirty = 2;
        }
    }
    void PutSlot(FieldModel& field, int i) {
        const Rect d = SlotDrawRect(*state_, i);
        field.Put(d.x, d.y, SlotSheetRect(*state_, i));
    }
    // The field composed on black, the slots in index order, with the
    // character's box holding only its cell: the slots of the last frame's
    // marks 2 and the character over black. With `untouched` set, the first
    // frame over a window of that index: only the slots it drew show.
    FieldModel Composed(std::uint8_t untouched = 0) {
        FieldModel field, cell;
        field.Fill(untouched);
        cell.Fill(0);
        for (int i = 0; i < floorSlotCount; ++i) {
            if (untouched == 0 || marks_[i] != 0) {
                PutSlot(field, i);
            }
            if (marks_[i] == 2) {
                PutSlot(cell, i);
            }
        }
        if (state_->mode == GameMode::Playing || state_->mode == GameMode::Paused) {
            const std::int32_t x = state_->playerX + 16, y = state_->playerY;
            for (std::int32_t dy = std::max(y, 0); dy < std::min(y + 32, fieldHeight); ++dy) {
                for (std::int32_t dx = std::max(x, 0); dx < std::min(x + 32, fieldWidth); ++dx) {
                    field.At(dx, dy) = cell.At(dx, dy);
                }
            }
            // Facing right, never charging: the walk's frames from column 4.
            const std::int32_t frame = state_->airborne != 0 ? 0 : state_->animFrame % 4;
            field.Put(x, y, {32 * (4 + frame), 0, 32, 32}, 0);
        }
        if (state_->mode == GameMode::Paused) {
            field.Put(144, 144, {0, 320, 128, 48});
        }
        return field;
    }
    // The ring of pixels just around the field, all still 7.
    int OutsideFieldChanged() {
        const Expected seven = [](std::int32_t, std::int32_t) { return std::uint8_t{7}; };
        return Mismatches(Window(), 0, 63, 634, 1, seven) +
               Mismatches(Window(), 0, 416, 634, 1, seven) +
               Mismatches(Window(), 23, 64, 1, 352, seven) +
               Mismatches(Window(), 440, 64, 1, 352, seven);
    }
    void ScribbleOver(int slot) {
        const Rect d = SlotDrawRect(*state_, slot);
        FillRectIndex(state_->windowDC, d.x + 24, d.y + 64, d.x + 24 + d.width, d.y + 64 + d.height,
                      9);
    }

    std::array<std::int32_t, floorSlotCount> marks_{};
};

TEST_F(PartialFrame, SwitchingOnShowsEverySlotAndTheCharacterOnBlackAfterFullFramesToo) {
    SeedRandom(2026);
    state_->floorFlags = 15;
    LayOutField(*state_);
    state_->playerY = 288; // at the left on the ground, clear of every floor
    for (int round = 0; round < 2; ++round) {
        DrawFullFrame(*state_); // the mode off: the back wall shows
        SwitchOn();
        EXPECT_EQ(Composed().Mismatches(Window()), 0) << "round " << round;
        EXPECT_EQ(OutsideFieldChanged(), 0);
        // Off again, the field moves on under full frames; the remembered
        // rectangles go stale and must do no harm.
        state_->speedUp = 0;
        ScrollField(*state_, 30);
        state_->playerX = 40;
        state_->speedUp = 1;
    }
}

TEST_F(PartialFrame, UnchangedSlotsStayInFrontAndBlackLandsOnlyWhereSomethingLeft) {
    state_->floors[2] = {FloorKind::Normal, 100, 100, 0, 0, 0};
    state_->floors[5] = {FloorKind::MovingLR, 250, 100, 0, 0, 0};
    state_->floors[7] = {FloorKind::MovingLR, 200, 108, 0, 0, 0};
    SwitchOn(); // the character out of sight below the field
    // Slot 5 slides under the unchanged slot 2, and slot 7 over slot 5's new
    // place from where it used to overlap it.
    state_->floors[5].phase = -1000;
    state_->floors[7].phase = 300;
    state_->floors[5].dirty = state_->floors[7].dirty = 1;
    Draw();
    FieldModel want = Composed();
    PutSlot(want, 2); // in front of the changed slot with the higher number
    EXPECT_EQ(want.Mismatches(Window()), 0);
    // Full frames draw the higher number in front instead.
    EXPECT_NE(Composed().Mismatches(Window()), 0);
}

TEST_F(PartialFrame, SlotsUnderTheCharacterShowBehindItAndAreRedrawnTwiceThenLeftAlone) {
    state_->floors[3] = {FloorKind::Normal, 100, 200, 0, 0, 0}; // under the feet
    state_->floors[4] = {FloorKind::Normal, 80, 168, 0, 0, 0};  // across the body
    state_->playerX = 110;
    state_->playerY = 168;
    SwitchOn();
    // 2: the floors show through the cell, behind the character.
    EXPECT_EQ(FrameMismatches(true), 0);
    EXPECT_EQ(state_->floors[4].dirty, 1);
    EXPECT_EQ(FrameMismatches(true), 0) << "a still frame";
    // A step along the floor: the old place is blackened, the floors stay.
    state_->playerX += 4;
    state_->animFrame = 1;
    EXPECT_EQ(FrameMismatches(true), 0);
    // 1: the character has jumped off; the floor is whole again where it stood.
    state_->playerY = 100;
    state_->airborne = 1;
    ScribbleOver(4);
    EXPECT_EQ(FrameMismatches(), 0);
    // 0: left alone.
    ScribbleOver(4);
    Draw();
    const Rect d = SlotDrawRect(*state_, 4);
    EXPECT_EQ(WindowPixel(d.x + 24 + 40, d.y + 64 + 8), 9);
}

TEST_F(PartialFrame, TheFirstFrameErasesNothingAndPausingResumingAndLeavingRestoreTheField) {
    state_->floors[6] = {FloorKind::Spring, 150, 180, 0, 0, 1}; // partly under the sign
    state_->floors[11].dirty = 1;
    state_->playerX = 200;
    state_->playerY = 150; // under the sign too
    Draw();
    EXPECT_EQ(Composed(7).Mismatches(Window()), 0);
    EXPECT_EQ(OutsideFieldChanged(), 0);
    // What the whole-game check reads back, in window coordinates.
    const PartialFrameMemory& memory = PartialFrameRectangles();
    EXPECT_EQ(memory.lastSlotRects[6].x, 174);
    EXPECT_EQ(memory.lastSlotRects[6].y, 244);
    EXPECT_EQ(memory.lastSlotRects[0].width, 0); // never drawn
    EXPECT_EQ(memory.lastPlayerRect.left, 240);
    EXPECT_EQ(memory.lastPlayerRect.bottom, 246);

    SwitchOn();
    state_->mode = GameMode::Paused;
    EXPECT_EQ(FrameMismatches(), 0);
    // Resuming blackens the sign's place and marks every slot; the next
    // tick's frame puts the field back.
    state_->mode = GameMode::Playing;
    FillWindowRectBlack(*state_, 168, 208, 296, 256);
    ScrollField(*state_, 0);
    EXPECT_EQ(FrameMismatches(true), 0);
    // The game is abandoned: the character's last place goes black, and the
    // spring it overlapped is whole again.
    state_->mode = GameMode::Title;
    state_->playerY = fieldHeight;
    EXPECT_EQ(FrameMismatches(), 0);
}

} // namespace
} // namespace render_test
