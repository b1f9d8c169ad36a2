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

#include <vector>

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
        for (int i = 0; i < floorSlotCount; ++i) {
            marks_[i] = state_->floors[i].dirty;
        }
        DrawPartialFrame(*state_);
    }
    // Marks as the landing probe sets them: 2 on every slot under the body.
    void MarkUnderBody() {
        const Rect body{state_->playerX + 16, state_->playerY, 32, 32};
        for (int i = 0; i < floorSlotCount; ++i) {
            if (Overlaps(body, SlotDrawRect(*state_, i))) {
                state_->floors[i].dirty = 2;
            }
        }
    }
    void PutSlot(FieldModel& field, int i) {
        const Rect d = SlotDrawRect(*state_, i);
        field.Put(d.x, d.y, SlotSheetRect(*state_, i));
    }
    // The field composed on black, the slots in index order, with the
    // character's box holding only its cell: the slots of the last frame's
    // marks 2 and the character over black.
    FieldModel Composed() {
        FieldModel field;
        field.Fill(0);
        for (int i = 0; i < floorSlotCount; ++i) {
            PutSlot(field, i);
        }
        if (state_->mode == GameMode::Playing || state_->mode == GameMode::Paused) {
            const std::int32_t x = state_->playerX + 16, y = state_->playerY;
            for (std::int32_t dy = 0; dy < 32; ++dy) {
                for (std::int32_t dx = 0; dx < 32; ++dx) {
                    if (x + dx >= 0 && x + dx < fieldWidth && y + dy >= 0 && y + dy < fieldHeight) {
                        field.At(x + dx, y + dy) = 0;
                    }
                }
            }
            FieldModel cell = field;
            for (int i = 0; i < floorSlotCount; ++i) {
                if (marks_[i] == 2) {
                    PutSlot(cell, i);
                }
            }
            for (std::int32_t dy = 0; dy < 32; ++dy) {
                for (std::int32_t dx = 0; dx < 32; ++dx) {
                    if (x + dx >= 0 && x + dx < fieldWidth && y + dy >= 0 && y + dy < fieldHeight) {
                        field.At(x + dx, y + dy) = cell.At(x + dx, y + dy);
                    }
                }
            }
            const std::int32_t frame = state_->airborne != 0 ? 0 : state_->animFrame % 4;
            const std::int32_t column = 2 * state_->facing + 2 + frame;
            const std::int32_t row = state_->charging != 0 && state_->airborne == 0 ? 32 : 0;
            field.Put(x, y, {32 * column, row, 32, 32}, 0);
        }
        if (state_->mode == GameMode::Paused) {
            field.Put(144, 144, {0, 320, 128, 48});
        }
        return field;
    }
    std::vector<std::uint8_t> Screen() {
        std::vector<std::uint8_t> pixels;
        for (std::int32_t i = 0; i < 634 * 436; ++i) {
            pixels.push_back(WindowPixel(i % 634, i / 634));
        }
        return pixels;
    }
    int ChangedSince(const std::vector<std::uint8_t>& before) {
        return Mismatches(Window(), 0, 0, 634, 436,
                          [&](std::int32_t x, std::int32_t y) { return before[y * 634 + x]; });
    }
    int OutsideFieldChanged() {
        int changed = 0;
        for (std::int32_t x = 0; x < 634; ++x) {
            changed += WindowPixel(x, 63) != 7;
            changed += WindowPixel(x, 416) != 7;
        }
        for (std::int32_t y = 64; y < 416; ++y) {
            changed += WindowPixel(23, y) != 7;
            changed += WindowPixel(440, y) != 7;
        }
        return changed;
    }
    void ScribbleOver(int slot, std::uint8_t index) {
        const Rect d = SlotDrawRect(*state_, slot);
        FillRectIndex(state_->windowDC, d.x + 24, d.y + 64, d.x + 24 + d.width, d.y + 64 + d.height,
                      index);
    }

    std::array<std::int32_t, floorSlotCount> marks_{};
};

TEST_F(PartialFrame, TheFirstFrameErasesNothingAndRemembersWhereItDrew) {
    state_->floors[3] = {FloorKind::ConveyorLeft, 100, 200, 0, 0, 1};
    state_->floors[11].dirty = 1;
    state_->playerX = 200;
    state_->playerY = 100;
    Draw();
    // Nothing black but the cell's background: every other pixel not under
    // a slot keeps what was there.
    FieldModel want;
    want.Fill(7);
    for (int i : {3, 11}) {
        PutSlot(want, i);
    }
    for (std::int32_t dy = 0; dy < 32; ++dy) {
        for (std::int32_t dx = 0; dx < 32; ++dx) {
            want.At(216 + dx, 100 + dy) = 0;
        }
    }
    want.Put(216, 100, {128, 0, 32, 32}, 0);
    EXPECT_EQ(want.Mismatches(Window()), 0);
    EXPECT_EQ(OutsideFieldChanged(), 0);
    const PartialFrameMemory& memory = PartialFrameRectangles();
    EXPECT_EQ(memory.lastSlotRects[3].x, 124);
    EXPECT_EQ(memory.lastSlotRects[3].y, 264);
    EXPECT_EQ(memory.lastSlotRects[11].width, 384);
    EXPECT_EQ(memory.lastSlotRects[0].width, 0); // never drawn
    EXPECT_EQ(memory.lastPlayerRect.left, 240);
    EXPECT_EQ(memory.lastPlayerRect.bottom, 196);
    EXPECT_EQ(state_->floors[3].dirty, 0);
}

TEST_F(PartialFrame, SwitchingOnShowsEverySlotAndTheCharacterOnBlackAfterFullFramesToo) {
    SeedRandom(2026);
    state_->floorFlags = 15;
    LayOutField(*state_);
    state_->playerX = 0;
    state_->playerY = 288; // on the ground, clear of every floor
    for (int round = 0; round < 2; ++round) {
        DrawFullFrame(*state_); // the mode off: the back wall shows
        SwitchOn();
        EXPECT_EQ(Composed().Mismatches(Window()), 0) << "round " << round;
        EXPECT_EQ(OutsideFieldChanged(), 0);
        for (const FloorSlot& slot : state_->floors) {
            EXPECT_EQ(slot.dirty, 0);
        }
        // Off again, the field moves on under full frames; the remembered
        // rectangles go stale and must do no harm.
        state_->speedUp = 0;
        ScrollField(*state_, 30);
        state_->playerX = 40;
        state_->speedUp = 1;
    }
}

TEST_F(PartialFrame, ASlotUnderTheCharacterIsRedrawnTwiceThenLeftAlone) {
    state_->floors[4] = {FloorKind::Normal, 100, 100, 0, 0, 0};
    state_->playerX = 110; // the head under the floor: rows 110..141
    state_->playerY = 110;
    state_->airborne = 1;
    SwitchOn();
    // 2: the floor shows through the cell, behind the character.
    MarkUnderBody();
    ASSERT_EQ(state_->floors[4].dirty, 2);
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
    EXPECT_EQ(state_->floors[4].dirty, 1);
    // 1: the character has gone; the floor is whole again where it stood.
    state_->playerY = 150;
    ScribbleOver(4, 9);
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
    EXPECT_EQ(state_->floors[4].dirty, 0);
    // 0: left alone.
    ScribbleOver(4, 9);
    Draw();
    const Rect d = SlotDrawRect(*state_, 4);
    EXPECT_EQ(Mismatches(Window(), d.x + 24, d.y + 64, d.width, d.height,
                         [](std::int32_t, std::int32_t) { return std::uint8_t{9}; }),
              0);
}

TEST_F(PartialFrame, UnchangedSlotsStayInFrontAndBlackLandsOnlyWhereSomethingLeft) {
    state_->floors[2] = {FloorKind::Normal, 100, 100, 0, 0, 0};
    state_->floors[5] = {FloorKind::MovingLR, 250, 100, 0, 0, 0};
    state_->floors[7] = {FloorKind::MovingLR, 200, 108, 0, 0, 0};
    state_->playerX = 40;
    state_->playerY = 200;
    SwitchOn();
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

TEST_F(PartialFrame, TheStandingCharacterShowsOverTheFloorsBehindItAndAStillFrameChangesNothing) {
    state_->floors[3] = {FloorKind::Normal, 100, 200, 0, 0, 0}; // under the feet
    state_->floors[4] = {FloorKind::Normal, 80, 168, 0, 0, 0};  // across the body
    state_->playerX = 110;
    state_->playerY = 168;
    SwitchOn();
    MarkUnderBody();
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
    const std::vector<std::uint8_t> before = Screen();
    MarkUnderBody();
    Draw();
    EXPECT_EQ(ChangedSince(before), 0);
    // A step along the floor: the old place is blackened, the floors stay.
    state_->playerX += 4;
    state_->animFrame = 1;
    MarkUnderBody();
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
}

TEST_F(PartialFrame, PausingShowsTheSignResumingBlackensItAndTheNextFramesRestoreTheField) {
    state_->floors[6] = {FloorKind::Spring, 150, 180, 0, 0, 0}; // partly under the sign
    state_->playerX = 200;
    state_->playerY = 150; // under the sign too
    SwitchOn();
    state_->mode = GameMode::Paused;
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
    // Resuming: exactly the sign's place is blackened.
    state_->mode = GameMode::Playing;
    std::vector<std::uint8_t> want = Screen();
    for (std::int32_t y = 208; y < 256; ++y) {
        for (std::int32_t x = 168; x < 296; ++x) {
            want[y * 634 + x] = 0;
        }
    }
    FillWindowRectBlack(*state_, 168, 208, 296, 256);
    ScrollField(*state_, 0);
    EXPECT_EQ(ChangedSince(want), 0);
    MarkUnderBody(); // the next tick
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
    // The game is abandoned: the character's last place goes black, and the
    // spring it overlapped is whole again.
    state_->mode = GameMode::Title;
    state_->playerY = fieldHeight;
    Draw();
    EXPECT_EQ(Composed().Mismatches(Window()), 0);
}

} // namespace
} // namespace render_test
