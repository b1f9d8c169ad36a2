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
    // The field expected where only the back wall and what Stamp adds show.
    // No wall is in sight in these tests, so x 0..15 and 400..415 are not
    // compared.
    void ExpectBackWall() {
        expected_.assign(fieldWidth * fieldHeight, 0);
        for (std::int32_t y = 0; y < fieldHeight; ++y) {
            for (std::int32_t x = 16; x < 400; ++x) {
                Expected(x, y) = BackWallAt(x, y);
            }
        }
    }
    std::uint8_t& Expected(std::int32_t x, std::int32_t y) {
        return expected_[static_cast<std::size_t>(y * fieldWidth + x)];
    }
    // The transparency rule worked from the decoded sheets, the mask at
    // (s.x, maskY) of the mask sheet.
    void Stamp(std::int32_t x, std::int32_t y, const Rect& s, std::int32_t maskY) {
        for (std::int32_t dy = 0; dy < s.height; ++dy) {
            for (std::int32_t dx = 0; dx < s.width; ++dx) {
                std::uint8_t& pixel = Expected(x + dx, y + dy);
                pixel = Masked(pixel, Masks().at(s.x + dx, maskY + dy),
                               Sprites().at(s.x + dx, s.y + dy));
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

TEST_F(FullFrame, BackWallScrollsThroughTheTiledBackdropAndShowsAtTheFieldOnly) {
    // scrollPhase 0 shows backdrop rows 128..479, 127 rows 1..352.
    for (std::int32_t phase : {0, 1, 127}) {
        state_->scrollPhase = phase;
        FillWindow(7);
        DrawFullFrame(*state_);
        ExpectBackWall();
        EXPECT_EQ(FieldMismatches(), 0) << "scrollPhase " << phase;
    }
    // The ring of pixels around the field keeps what was there.
    int touched = 0;
    for (std::int32_t i = 0; i < 418; ++i) {
        touched += (WindowPixel(23 + i, 63) != 7) + (WindowPixel(23 + i, 416) != 7);
        touched += i < 354 ? (WindowPixel(23, 63 + i) != 7) + (WindowPixel(440, 63 + i) != 7) : 0;
    }
    EXPECT_EQ(touched, 0);
}

TEST_F(FullFrame, EverySlotKindIsDrawnFromItsImageAtItsPlace) {
    const struct {
        const char* what;
        FloorSlot slot;
        std::int32_t animFrame;
        Rect drawn; // in the field
        std::int32_t sheetX, sheetY;
    } cases[] = {
        {"plain", {FloorKind::Normal, 100, 50, 0, 0, 0}, 0, {100, 50, 96, 16}, 0, 160},
        {"belt left", {FloorKind::ConveyorLeft, 40, 100, 0, 0, 0}, 7, {40, 100, 96, 16}, 0, 288},
        {"belt right", {FloorKind::ConveyorRight, 200, 2, 0, 0, 0}, 5, {200, 2, 96, 16}, 0, 192},
        {"slid -32.5", {FloorKind::MovingLR, 150, 80, -325, 0, 0}, 0, {118, 80, 96, 16}, 0, 160},
        {"slid +30", {FloorKind::MovingLR, 150, 80, 300, 0, 0}, 0, {180, 80, 96, 16}, 0, 160},
        {"lift +2.9", {FloorKind::MovingUD, 60, 200, 29, 0, 0}, 0, {60, 202, 96, 16}, 0, 160},
        {"spring in", {FloorKind::Spring, 120, 150, 4, 0, 0}, 0, {120, 154, 96, 12}, 96, 304},
        {"spring out", {FloorKind::Spring, 120, 150, -8, 0, 0}, 0, {120, 142, 96, 24}, 96, 160},
        {"ground", {FloorKind::Ground, 16, 320, 0, 0, 0}, 0, {16, 320, 384, 32}, 0, 400},
    };
    for (const auto& c : cases) {
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
                EXPECT_EQ(WindowPixel(fieldX + x, fieldY + y), BackWallAt(x, y)) << c.what;
            }
        }
    }
}

TEST_F(FullFrame, WallsComeLastAndHigherSlotsInFront) {
    state_->floors[2] = {FloorKind::Normal, 100, 100, 0, 0, 0};
    state_->floors[5] = {FloorKind::ConveyorRight, 148, 100, 0, 0, 0};
    state_->floors[4] = {FloorKind::Normal, -40, 200, 0, 0, 0}; // partly under the wall
    state_->floors[12] = {FloorKind::Wall, 0, -10, 0, 0, 0};
    state_->floors[13] = {FloorKind::Wall, 400, 0, 0, 0, 0};
    DrawFullFrame(*state_);
    EXPECT_EQ(SheetMismatches(fieldX + 148, fieldY + 100, 96, 16, 0, 176), 0);
    EXPECT_EQ(SheetMismatches(fieldX + 100, fieldY + 100, 48, 16, 0, 160), 0);
    EXPECT_EQ(SheetMismatches(fieldX, fieldY, 16, 352, 352, 10), 0);
    EXPECT_EQ(SheetMismatches(fieldX + 400, fieldY, 16, 352, 352, 0), 0);
    EXPECT_EQ(SheetMismatches(fieldX + 16, fieldY + 200, 40, 16, 56, 160), 0);
}

TEST_F(FullFrame, CharacterShowsItsColumnFramePoseAndSparklesByTheRules) {
    const struct {
        const char* what;
        GameMode mode;
        std::int32_t facing, airborne, charging, animFrame;
        std::int32_t column, row; // -1: no character
        bool sparkles;
    } cases[] = {
        // In the air: frame 0 in walking colours, no sparkles though charging.
        {"airborne", GameMode::Playing, 1, 1, 1, 3, 4, 0, false},
        {"walking left", GameMode::Playing, -1, 0, 0, 7, 3, 0, false},
        {"charging, frame 2", GameMode::Playing, 1, 0, 1, 2, 6, 32, true},
        {"charging, frame 5", GameMode::Playing, -1, 0, 1, 5, 1, 32, true},
        {"title", GameMode::Title, 1, 0, 1, 0, -1, 0, false},
        {"game over", GameMode::GameOver, 1, 0, 1, 0, -1, 0, false},
    };
    state_->playerX = 40;
    state_->playerY = 260;
    for (const auto& c : cases) {
        state_->mode = c.mode;
        state_->facing = c.facing;
        state_->airborne = c.airborne;
        state_->charging = c.charging;
        state_->animFrame = c.animFrame;
        DrawFullFrame(*state_);
        ExpectBackWall();
        if (c.sparkles) {
            const std::int32_t a = c.animFrame;
            const std::int32_t band = 64 + 48 * (a / 4);
            Stamp(40, 244, {64 * (a % 4), band, 64, 48}, band);
        }
        if (c.column >= 0) {
            Stamp(56, 260, {32 * c.column, c.row, 32, 32}, 0); // the walking mask
        }
        EXPECT_EQ(FieldMismatches(), 0) << c.what;
    }
}

TEST_F(FullFrame, PauseSignCoversTheMiddleOverTheCharacter) {
    state_->mode = GameMode::Paused;
    state_->playerX = 140; // body at field (156, 170), its top under the sign
    state_->playerY = 170;
    state_->facing = 1;
    DrawFullFrame(*state_);
    EXPECT_EQ(SheetMismatches(168, 208, 128, 48, 0, 320), 0);
    ExpectBackWall();
    Stamp(156, 170, {128, 0, 32, 32}, 0);
    for (std::int32_t y = 144; y < 192; ++y) {
        for (std::int32_t x = 144; x < 272; ++x) {
            Expected(x, y) = Sprites().at(x - 144, 320 + y - 144);
        }
    }
    EXPECT_EQ(FieldMismatches(), 0);
}

} // namespace
} // namespace render_test
