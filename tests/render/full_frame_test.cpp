// DrawFullFrame: the back wall, the slots, the character with its sparkles
// and the pause sign, composed and shown at (24, 64).

#include "core/ports.h"
#include "tests/render/render_fixture.h"

#include <vector>

namespace render_test {
namespace {

constexpr std::int32_t fieldX = 24, fieldY = 64;

class FullFrame : public RenderTest {
  protected:
    // The field as DrawFullFrame should leave it when only the back wall and
    // the sprites drawn through Stamp show: columns 0..15 and 400..415 are
    // the walls' (no wall is in sight in these tests, so they are not
    // compared).
    void StartExpectedField() {
        expected_.assign(static_cast<std::size_t>(fieldWidth * fieldHeight), 0);
        for (std::int32_t y = 0; y < fieldHeight; ++y) {
            for (std::int32_t x = 16; x < 400; ++x) {
                Expected(x, y) = BackWallAt(x, y);
            }
        }
    }
    std::uint8_t& Expected(std::int32_t x, std::int32_t y) {
        return expected_[static_cast<std::size_t>(y * fieldWidth + x)];
    }
    // The transparency rule, worked from the decoded sheets.
    void Stamp(std::int32_t x, std::int32_t y, const Rect& sprite, std::int32_t maskX,
               std::int32_t maskY) {
        for (std::int32_t dy = 0; dy < sprite.height; ++dy) {
            for (std::int32_t dx = 0; dx < sprite.width; ++dx) {
                if (x + dx < 0 || x + dx >= fieldWidth || y + dy < 0 || y + dy >= fieldHeight) {
                    continue;
                }
                std::uint8_t& pixel = Expected(x + dx, y + dy);
                pixel = Masked(pixel, Masks().at(maskX + dx, maskY + dy),
                               Sprites().at(sprite.x + dx, sprite.y + dy));
            }
        }
    }
    int FieldMismatches() const {
        int mismatches = 0;
        for (std::int32_t y = 0; y < fieldHeight; ++y) {
            for (std::int32_t x = 16; x < 400; ++x) {
                mismatches += WindowPixel(fieldX + x, fieldY + y) !=
                              expected_[static_cast<std::size_t>(y * fieldWidth + x)];
            }
        }
        return mismatches;
    }

    std::vector<std::uint8_t> expected_;
};

TEST_F(FullFrame, BackWallScrollsAtHalfSpeedThroughTheTiledBackdrop) {
    // scrollPhase 0 shows backdrop rows 128..479, 127 rows 1..352.
    for (std::int32_t phase : {0, 1, 64, 127}) {
        state_->scrollPhase = phase;
        DrawFullFrame(*state_);
        StartExpectedField();
        EXPECT_EQ(FieldMismatches(), 0) << "scrollPhase " << phase;
    }
}

TEST_F(FullFrame, FieldIsShownAtTwentyFourSixtyFourAndNowhereElse) {
    FillWindow(7);
    DrawFullFrame(*state_);
    for (std::int32_t y = 63; y <= 416; ++y) {
        EXPECT_EQ(WindowPixel(23, y), 7) << "left of the field, y " << y;
        EXPECT_EQ(WindowPixel(440, y), 7) << "right of the field, y " << y;
    }
    for (std::int32_t x = 23; x <= 440; ++x) {
        EXPECT_EQ(WindowPixel(x, 63), 7) << "above the field, x " << x;
        EXPECT_EQ(WindowPixel(x, 416), 7) << "below the field, x " << x;
    }
    // Field (16, 0) is the back wall's top-left, tile row 128 % 128.
    EXPECT_EQ(WindowPixel(24 + 16, 64), BackWall().at(0, 0));
    EXPECT_EQ(WindowPixel(24 + 399, 64 + 351), BackWall().at(383 % 128, 479 % 128));
}

struct SlotCase {
    const char* what;
    FloorSlot slot;
    std::int32_t animFrame;
    Rect drawn; // in the field
    std::int32_t sheetX, sheetY;
};

TEST_F(FullFrame, EverySlotKindIsDrawnFromItsImageAtItsPlace) {
    const SlotCase cases[] = {
        {"plain", {FloorKind::Normal, 100, 50, 0, 0, 0}, 0, {100, 50, 96, 16}, 0, 160},
        {"belt left, frame 3",
         {FloorKind::ConveyorLeft, 40, 100, 0, 0, 0},
         7,
         {40, 100, 96, 16},
         0,
         288},
        {"belt right, frame 1",
         {FloorKind::ConveyorRight, 200, 20, 0, 0, 0},
         5,
         {200, 20, 96, 16},
         0,
         192},
        {"sliding left by 32.5",
         {FloorKind::MovingLR, 150, 80, -325, 0, 0},
         0,
         {118, 80, 96, 16},
         0,
         160},
        {"sliding right by 30",
         {FloorKind::MovingLR, 150, 80, 300, 0, 0},
         0,
         {180, 80, 96, 16},
         0,
         160},
        {"lift down by 2.9",
         {FloorKind::MovingUD, 60, 200, 29, 0, 0},
         0,
         {60, 202, 96, 16},
         0,
         160},
        {"spring pressed in",
         {FloorKind::Spring, 120, 150, 4, 0, 0},
         0,
         {120, 154, 96, 12},
         96,
         304},
        {"spring stretched",
         {FloorKind::Spring, 120, 150, -8, 0, 0},
         0,
         {120, 142, 96, 24},
         96,
         160},
        {"ground", {FloorKind::Ground, 16, 320, 0, 0, 0}, 0, {16, 320, 384, 32}, 0, 400},
    };
    for (const SlotCase& c : cases) {
        ClearField(*state_);
        state_->floors[3] = c.slot;
        state_->animFrame = c.animFrame;
        DrawFullFrame(*state_);
        const Rect& d = c.drawn;
        EXPECT_EQ(
            SheetMismatches(fieldX + d.x, fieldY + d.y, d.width, d.height, c.sheetX, c.sheetY), 0)
            << c.what;
        // Just outside the box the back wall shows: the box is exactly there.
        for (const auto& [x, y] : {std::pair{d.x - 1, d.y}, std::pair{d.x + d.width, d.y},
                                   std::pair{d.x, d.y - 1}, std::pair{d.x, d.y + d.height}}) {
            if (x >= 16 && x < 400 && y >= 0 && y < fieldHeight) {
                EXPECT_EQ(WindowPixel(fieldX + x, fieldY + y), BackWallAt(x, y))
                    << c.what << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(FullFrame, WallsComeLastAndHigherSlotsInFront) {
    state_->floors[2] = {FloorKind::Normal, 100, 100, 0, 0, 0};
    state_->floors[5] = {FloorKind::ConveyorRight, 148, 100, 0, 0, 0};
    state_->floors[12] = {FloorKind::Wall, 0, -10, 0, 0, 0};
    state_->floors[13] = {FloorKind::Wall, 400, 0, 0, 0, 0};
    state_->floors[4] = {FloorKind::Normal, -40, 200, 0, 0, 0}; // partly under the left wall
    DrawFullFrame(*state_);
    EXPECT_EQ(SheetMismatches(fieldX + 148, fieldY + 100, 96, 16, 0, 176), 0);
    EXPECT_EQ(SheetMismatches(fieldX + 100, fieldY + 100, 48, 16, 0, 160), 0);
    EXPECT_EQ(SheetMismatches(fieldX, fieldY, 16, 352, 352, 10), 0);
    EXPECT_EQ(SheetMismatches(fieldX + 400, fieldY, 16, 352, 352, 0), 0);
    EXPECT_EQ(SheetMismatches(fieldX + 16, fieldY + 200, 40, 16, 56, 160), 0);
}

TEST_F(FullFrame, AirborneCharacterShowsFrameZeroInWalkingColoursWithoutSparkles) {
    state_->mode = GameMode::Playing;
    state_->playerX = 100;
    state_->playerY = 120;
    state_->facing = 1;
    state_->airborne = 1;
    state_->charging = 1; // left set from the launch: no pose, no sparkles
    state_->animFrame = 3;
    DrawFullFrame(*state_);
    StartExpectedField();
    Stamp(116, 120, {128, 0, 32, 32}, 128, 0); // column 4: facing right, frame 0
    EXPECT_EQ(FieldMismatches(), 0);
}

TEST_F(FullFrame, WalkingCharacterFacingLeftFollowsTheAnimation) {
    state_->mode = GameMode::Playing;
    state_->playerX = 200;
    state_->playerY = 288;
    state_->facing = -1;
    state_->animFrame = 7; // frame 3 of the left half
    DrawFullFrame(*state_);
    StartExpectedField();
    Stamp(216, 288, {96, 0, 32, 32}, 96, 0);
    EXPECT_EQ(FieldMismatches(), 0);
}

TEST_F(FullFrame, ChargingShowsThePoseWithTheWalkingMaskOverTheSparkles) {
    state_->mode = GameMode::Playing;
    state_->playerX = 40;
    state_->playerY = 200;
    state_->facing = 1;
    state_->charging = 1;
    for (std::int32_t frame = 0; frame < 8; ++frame) {
        state_->animFrame = frame;
        DrawFullFrame(*state_);
        StartExpectedField();
        const std::int32_t sx = 64 * (frame % 4), sy = 64 + 48 * (frame / 4);
        Stamp(40, 184, {sx, sy, 64, 48}, sx, sy);
        const std::int32_t column = 4 + frame % 4;
        Stamp(56, 200, {32 * column, 32, 32, 32}, 32 * column, 0);
        EXPECT_EQ(FieldMismatches(), 0) << "animFrame " << frame;
    }
}

TEST_F(FullFrame, TitleAndGameOverShowNoCharacter) {
    state_->playerX = 100;
    state_->playerY = 120;
    state_->facing = 1;
    state_->charging = 1;
    for (GameMode mode : {GameMode::Title, GameMode::GameOver}) {
        state_->mode = mode;
        DrawFullFrame(*state_);
        StartExpectedField();
        EXPECT_EQ(FieldMismatches(), 0) << static_cast<int>(mode);
    }
}

TEST_F(FullFrame, PauseSignCoversTheMiddleOverTheCharacter) {
    state_->mode = GameMode::Paused;
    state_->playerX = 140; // body at field (156, 170), its top under the sign
    state_->playerY = 170;
    state_->facing = 1;
    DrawFullFrame(*state_);
    EXPECT_EQ(SheetMismatches(168, 208, 128, 48, 0, 320), 0);
    // The character shows where the sign leaves it: its rows below y 192.
    StartExpectedField();
    Stamp(156, 170, {128, 0, 32, 32}, 128, 0);
    for (std::int32_t y = 144; y < 192; ++y) {
        for (std::int32_t x = 144; x < 272; ++x) {
            Expected(x, y) = Sprites().at(x - 144, 320 + y - 144);
        }
    }
    EXPECT_EQ(FieldMismatches(), 0);
}

} // namespace
} // namespace render_test
