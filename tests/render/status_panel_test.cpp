// The status panel: the gauge, the rolling floor counter, the labels, the
// best score and the jump counter, each copied from the sheet to its well.

#include "core/floor_counter.h"
#include "core/ports.h"
#include "render/window_drawing.h"
#include "tests/render/render_fixture.h"

#include <array>

namespace render_test {
namespace {

using Four = std::array<std::int32_t, 4>;

class StatusPanel : public RenderTest {
  protected:
    // Whether the w x h client block at (x, y) shows the sheet's at (sheetX, sheetY).
    bool Shows(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t sheetX,
               std::int32_t sheetY) const {
        return Mismatches(Window(), x, y, w, h, [&](std::int32_t dx, std::int32_t dy) {
                   return Art().sprites.at(sheetX + dx, sheetY + dy);
               }) == 0;
    }
    // Four w x h wells from (x, y), well i showing the sheet column at sheetX from row rows[i].
    bool Wells(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t sheetX,
               const Four& rows) const {
        return Shows(x, y, w, h, sheetX, rows[0]) && Shows(x + w, y, w, h, sheetX, rows[1]) &&
               Shows(x + 2 * w, y, w, h, sheetX, rows[2]) &&
               Shows(x + 3 * w, y, w, h, sheetX, rows[3]);
    }
    // The counter against the big-digit strip (0..9 downwards, 32 rows each,
    // and a second 0 after the 9) from these rows.
    bool Counter(const Four& rows) const { return Wells(216, 16, 30, 32, 288, rows); }
    bool Small(std::int32_t x, std::int32_t y, const Four& d) const {
        return Wells(x, y, 13, 14, 320, {14 * d[0], 14 * d[1], 14 * d[2], 14 * d[3]});
    }
};

TEST_F(StatusPanel, CounterShowsFourDigitsAndRollsThoseThatChange) {
    const struct {
        std::int32_t shownFloor, rollPhase;
        Four rows;
    } cases[] = {
        {1, 0, {0, 0, 0, 32}},           // leading zeros at rest
        {12345, 0, {64, 96, 128, 160}},  // five digits show their last four
        {9999, 3, {300, 300, 300, 300}}, // all four roll
        {9999, 8, {320, 320, 320, 320}}, // shift 32: the second 0
        {199, 8, {0, 64, 320, 320}},     // the thousands stay
    };
    for (const auto& c : cases) {
        state_->shownFloor = c.shownFloor;
        state_->rollPhase = c.rollPhase;
        DrawFloorCounter(*state_);
        EXPECT_TRUE(Counter(c.rows)) << c.shownFloor << " at phase " << c.rollPhase;
    }
    // Rolling from 9 to 10 moves four rows a phase, then stops and draws no more.
    state_->shownFloor = 9;
    state_->floorCount = 10;
    state_->rollPhase = 0;
    for (std::int32_t phase = 0; phase <= 8; ++phase) {
        RollFloorCounter(*state_);
        EXPECT_TRUE(Counter({0, 0, 4 * phase, 288 + 4 * phase})) << "phase " << phase;
    }
    FillWindow(7);
    RollFloorCounter(*state_);
    EXPECT_EQ(WindowPixel(216, 16), 7);
    EXPECT_EQ(std::pair(state_->shownFloor, state_->rollPhase), std::pair(10, 0));
}

TEST_F(StatusPanel, GaugeLabelsAndNumbersFollowTheStateAndNeverGoNegative) {
    for (std::int32_t power : {0, 5, 12}) {
        state_->jumpPower = power;
        DrawJumpGauge(*state_);
        EXPECT_TRUE(Shows(88, 32, 96, 16, 192, 160 + 16 * power)) << power;
    }
    state_->records[0][0].score = 7;
    state_->records[1][0].score = -45; // only a hand-edited file gives one
    state_->records[2][0].score = 45678;
    const Four shown[] = {{0, 0, 0, 7}, {0, 0, 0, 0}, {5, 6, 7, 8}};
    for (std::int32_t difficulty = 1; difficulty <= 3; ++difficulty) {
        state_->difficulty = difficulty;
        DrawDifficultyAndBest(*state_);
        EXPECT_TRUE(Shows(512, 116, 100, 16, 100 * (difficulty - 1), 368));
        EXPECT_TRUE(Small(543, 165, shown[difficulty - 1])) << difficulty;
    }
    // Practice plays Normal: the practice label with Normal's best.
    state_->practiceDifficulty = 3;
    state_->difficulty = 2;
    state_->records[1][0].score = 123;
    DrawDifficultyAndBest(*state_);
    EXPECT_TRUE(Shows(512, 116, 100, 16, 0, 384));
    EXPECT_TRUE(Small(543, 165, {0, 1, 2, 3}));
    // The jump count with its label, or the blank texture over both.
    state_->showJumpCount = 1;
    for (auto [count, digits] : {std::pair{42, Four{0, 0, 4, 2}}, {-3, Four{0, 0, 0, 0}}}) {
        state_->jumpCount = count;
        DrawJumpCountLabel(*state_);
        EXPECT_TRUE(Shows(464, 192, 64, 16, 100, 384));
        EXPECT_TRUE(Small(560, 213, digits)) << count;
    }
    state_->showJumpCount = 0;
    DrawJumpCountLabel(*state_);
    EXPECT_TRUE(Shows(464, 192, 64, 16, 164, 384));
    EXPECT_TRUE(Shows(560, 213, 52, 14, 228, 384));
}

} // namespace
} // namespace render_test
