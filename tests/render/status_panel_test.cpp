// The status panel: the gauge, the rolling floor counter, the labels, the
// best score and the jump counter, each copied from the sheet to its well.

#include "core/floor_counter.h"
#include "core/ports.h"
#include "shell/shell_ports.h"
#include "tests/render/render_fixture.h"

#include <array>

namespace render_test {
namespace {

// The big-digit strip's y for each of the counter's four digits.
using StripRows = std::array<std::int32_t, 4>;

class StatusPanel : public RenderTest {
  protected:
    // Mismatches of the four counter wells against the strip at these rows.
    int CounterMismatches(const StripRows& rows) const {
        int mismatches = 0;
        for (int i = 0; i < 4; ++i) {
            mismatches += SheetMismatches(216 + 30 * i, 16, 30, 32, 288, rows[i]);
        }
        return mismatches;
    }
    int SmallDigitMismatches(std::int32_t x, std::int32_t y, const std::array<int, 4>& d) const {
        int mismatches = 0;
        for (int i = 0; i < 4; ++i) {
            mismatches += SheetMismatches(x + 13 * i, y, 13, 14, 320, 14 * d[i]);
        }
        return mismatches;
    }
};

TEST_F(StatusPanel, ShowsLeadingZerosAtRest) {
    state_->shownFloor = 1;
    DrawFloorCounter(*state_);
    EXPECT_EQ(CounterMismatches({0, 0, 0, 32}), 0);
    state_->shownFloor = 12345; // five digits show their last four
    DrawFloorCounter(*state_);
    EXPECT_EQ(CounterMismatches({64, 96, 128, 160}), 0);
}

TEST_F(StatusPanel, RollsEveryDigitThatChangesFromNineToTen) {
    state_->shownFloor = 9;
    state_->floorCount = 10;
    for (std::int32_t phase = 0; phase <= 8; ++phase) {
        RollFloorCounter(*state_);
        // The tens slide from 0 towards 1, the units from 9 towards the second 0.
        EXPECT_EQ(CounterMismatches({0, 0, 4 * phase, 288 + 4 * phase}), 0) << "phase " << phase;
    }
    EXPECT_EQ(state_->shownFloor, 10);
    EXPECT_EQ(state_->rollPhase, 0);
    // Caught up: the counter is neither moved nor redrawn.
    FillWindow(7);
    RollFloorCounter(*state_);
    EXPECT_EQ(WindowPixel(216, 16), 7);
    EXPECT_EQ(state_->rollPhase, 0);
    // At rest the next drawing shows the picture phase 8 already showed.
    DrawFloorCounter(*state_);
    EXPECT_EQ(CounterMismatches({0, 0, 32, 0}), 0);
    EXPECT_EQ(SheetMismatches(216 + 90, 16, 30, 32, 288, 320), 0);
}

TEST_F(StatusPanel, RollsAllFourDigitsFrom9999AndShowsTheNextDigitAtPhaseEight) {
    state_->shownFloor = 9999;
    state_->rollPhase = 3;
    DrawFloorCounter(*state_);
    EXPECT_EQ(CounterMismatches({300, 300, 300, 300}), 0);
    state_->rollPhase = 8; // shift 32: the second 0, the next number 0000
    DrawFloorCounter(*state_);
    EXPECT_EQ(CounterMismatches({320, 320, 320, 320}), 0);
    // 0199 rolls the hundreds, tens and units; the thousands stay.
    state_->shownFloor = 199;
    DrawFloorCounter(*state_);
    EXPECT_EQ(CounterMismatches({0, 64, 320, 320}), 0);
}

TEST_F(StatusPanel, GaugeShowsTheImageForItsPower) {
    for (std::int32_t power : {0, 5, 12}) {
        state_->jumpPower = power;
        DrawJumpGauge(*state_);
        EXPECT_EQ(SheetMismatches(88, 32, 96, 16, 192, 160 + 16 * power), 0) << power;
    }
}

TEST_F(StatusPanel, LabelAndBestScoreFollowTheDifficultyOrPractice) {
    state_->records[0][0].score = 7;
    state_->records[1][0].score = 123;
    state_->records[2][0].score = 45678;
    const std::array<int, 4> shown[] = {{0, 0, 0, 7}, {0, 1, 2, 3}, {5, 6, 7, 8}};
    for (std::int32_t difficulty = 1; difficulty <= 3; ++difficulty) {
        state_->difficulty = difficulty;
        DrawDifficultyAndBest(*state_);
        EXPECT_EQ(SheetMismatches(512, 116, 100, 16, 100 * (difficulty - 1), 368), 0);
        EXPECT_EQ(SmallDigitMismatches(543, 165, shown[difficulty - 1]), 0) << difficulty;
    }
    // Practice plays Normal: the practice label with Normal's best.
    state_->practiceDifficulty = 3;
    state_->difficulty = 2;
    DrawDifficultyAndBest(*state_);
    EXPECT_EQ(SheetMismatches(512, 116, 100, 16, 0, 384), 0);
    EXPECT_EQ(SmallDigitMismatches(543, 165, {0, 1, 2, 3}), 0);
}

TEST_F(StatusPanel, NegativeNumbersShowZerosInsteadOfReadingOutsideTheDigits) {
    state_->records[1][0].score = -45;
    state_->jumpCount = -3;
    state_->showJumpCount = 1;
    DrawDifficultyAndBest(*state_);
    DrawJumpCountLabel(*state_);
    EXPECT_EQ(SmallDigitMismatches(543, 165, {0, 0, 0, 0}), 0);
    EXPECT_EQ(SmallDigitMismatches(560, 213, {0, 0, 0, 0}), 0);
}

TEST_F(StatusPanel, JumpCountLabelShowsTheCounterOrTheBlankTexture) {
    state_->jumpCount = 42;
    state_->showJumpCount = 1;
    DrawJumpCountLabel(*state_);
    EXPECT_EQ(SheetMismatches(464, 192, 64, 16, 100, 384), 0);
    EXPECT_EQ(SmallDigitMismatches(560, 213, {0, 0, 4, 2}), 0);

    state_->showJumpCount = 0;
    DrawJumpCountLabel(*state_);
    EXPECT_EQ(SheetMismatches(464, 192, 64, 16, 164, 384), 0);
    EXPECT_EQ(SheetMismatches(560, 213, 52, 14, 228, 384), 0);
}

} // namespace
} // namespace render_test
