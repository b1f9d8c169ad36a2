// DrawFullFrame against a small model of the field: the back wall, then
// opaque copies and masked stamps from the decoded sheets, in the game's order.

#include "core/ports.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

class FullFrame : public RenderTest {
  protected:
    // The back wall for the state's scrollPhase: field x 16 shows the tile's
    // column 0, field row y the backdrop row y + 128 - scrollPhase, and the
    // tile repeats every 128 rows.
    void ExpectBackWall() {
        field_.Fill(0);
        for (std::int32_t y = 0; y < fieldHeight; ++y) {
            for (std::int32_t x = 16; x < 400; ++x) {
                field_.At(x, y) =
                    Art().backWall.at((x - 16) % 128, (y + 128 - state_->scrollPhase) % 128);
            }
        }
    }
    void Put(std::int32_t x, std::int32_t y, const Rect& s, std::int32_t maskY = -1) {
        field_.Put(x, y, s, maskY);
    }
    // x 0..15 and 400..415 are known only where a wall covers them.
    int FieldMismatches(std::int32_t from = 16, std::int32_t to = 400) {
        return field_.Mismatches(Window(), from, to);
    }

    FieldModel field_;
};

TEST_F(FullFrame, SlotsAreCopiedFromTheirImagesInIndexOrderTheWallsLastOverTheBackWall) {
    // Around slot 3: a plain slot to its left, one partly under the left
    // wall and a belt overlapping the plain one, all drawn after it.
    state_->floors[2] = {FloorKind::Normal, 100, 100, 0, 0, 0};
    state_->floors[4] = {FloorKind::Normal, -40, 200, 0, 0, 0};
    state_->floors[5] = {FloorKind::ConveyorRight, 148, 100, 0, 0, 0};
    state_->floors[12] = {FloorKind::Wall, 0, -10, 0, 0, 0};
    state_->floors[13] = {FloorKind::Wall, 400, 0, 0, 0, 0};
    const struct {
        const char* what;
        FloorSlot slot;
        std::int32_t animFrame, x, y; // where it shows in the field
        Rect sheet;
    } cases[] = {
        {"belt left", {FloorKind::ConveyorLeft, 40, 100, 0, 0, 0}, 7, 40, 100, {0, 288, 96, 16}},
        {"belt right", {FloorKind::ConveyorRight, 200, 2, 0, 0, 0}, 5, 200, 2, {0, 192, 96, 16}},
        {"slid -32.5", {FloorKind::MovingLR, 150, 80, -325, 0, 0}, 0, 118, 80, {0, 160, 96, 16}},
        {"slid +30", {FloorKind::MovingLR, 150, 80, 300, 0, 0}, 0, 180, 80, {0, 160, 96, 16}},
        {"lift +2.9", {FloorKind::MovingUD, 60, 200, 29, 0, 0}, 0, 60, 202, {0, 160, 96, 16}},
        {"spring in", {FloorKind::Spring, 120, 150, 4, 0, 0}, 0, 120, 154, {96, 304, 96, 12}},
        {"spring out", {FloorKind::Spring, 120, 150, -8, 0, 0}, 0, 120, 142, {96, 160, 96, 24}},
        {"ground", {FloorKind::Ground, 16, 320, 0, 0, 0}, 0, 16, 320, {0, 400, 384, 32}},
    };
    int n = 0;
    for (const auto& c : cases) {
        state_->scrollPhase = std::array{0, 1, 127}[n++ % 3];
        state_->floors[3] = c.slot;
        state_->animFrame = c.animFrame;
        FillWindow(7);
        DrawFullFrame(*state_);
        ExpectBackWall();
        Put(100, 100, {0, 160, 96, 16});
        Put(c.x, c.y, c.sheet);
        Put(-40, 200, {0, 160, 96, 16});
        Put(148, 100, {0, 176 + 16 * (c.animFrame % 4), 96, 16});
        Put(0, -10, {352, 0, 16, 384});
        Put(400, 0, {352, 0, 16, 384});
        EXPECT_EQ(FieldMismatches(0, fieldWidth), 0)
            << c.what << " at scrollPhase " << state_->scrollPhase;
        for (auto [x, y] : {std::pair{23, 64}, {24, 63}, {440, 415}, {439, 416}}) {
            EXPECT_EQ(WindowPixel(x, y), 7) << "outside the field at " << x << "," << y;
        }
    }
}

TEST_F(FullFrame, CharacterSparklesAndPauseSignFollowTheRulesInOrder) {
    const struct {
        const char* what;
        GameMode mode;
        std::int32_t facing, airborne, charging, animFrame;
        std::int32_t column, row; // -1: no character
    } cases[] = {
        // In the air: frame 0 in walking colours, no sparkles though charging.
        {"airborne", GameMode::Playing, 1, 1, 1, 3, 4, 0},
        {"walking left", GameMode::Playing, -1, 0, 0, 7, 3, 0},
        {"charging, frame 2", GameMode::Playing, 1, 0, 1, 2, 6, 32},
        {"charging, frame 5", GameMode::Playing, -1, 0, 1, 5, 1, 32},
        {"paused: the sign over all", GameMode::Paused, 1, 0, 0, 0, 4, 0},
        {"title", GameMode::Title, 1, 0, 1, 0, -1, 0},
        {"game over", GameMode::GameOver, 1, 0, 1, 0, -1, 0},
    };
    // The body at field (156, 170), its top and the sparkles under the sign.
    state_->playerX = 140;
    state_->playerY = 170;
    for (const auto& c : cases) {
        state_->mode = c.mode;
        state_->facing = c.facing;
        state_->airborne = c.airborne;
        state_->charging = c.charging;
        state_->animFrame = c.animFrame;
        DrawFullFrame(*state_);
        ExpectBackWall();
        if (c.row == 32) { // sparkles with the charging pose, in two bands of four
            const std::int32_t band = 64 + 48 * (c.animFrame / 4);
            Put(140, 154, {64 * (c.animFrame % 4), band, 64, 48}, band);
        }
        if (c.column >= 0) {
            Put(156, 170, {32 * c.column, c.row, 32, 32}, 0); // the walking mask
        }
        if (c.mode == GameMode::Paused) {
            Put(144, 144, {0, 320, 128, 48});
        }
        EXPECT_EQ(FieldMismatches(), 0) << c.what;
    }
}

} // namespace
} // namespace render_test
