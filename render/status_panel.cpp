#include "core/ports.h"
#include "platform/gdi/gdi.h"
#include "four_digits.h"
#include "render/window_drawing.h"

// Every element is a plain copy of a sprite sheet rectangle straight to the
// window, with the game palette selected around it.

namespace {

constexpr std::int32_t digitCount = 4;

// The jump gauge: image p has p of its twelve segments lit.
constexpr std::int32_t gaugeX = 88, gaugeY = 32, gaugeWidth = 96, gaugeHeight = 16;
constexpr std::int32_t gaugeSheetX = 192, gaugeSheetY = 160;

// The floor counter: 30 x 32 windows of the big-digit strip, which holds
// 0..9 downwards and a second 0 after the 9.
constexpr std::int32_t counterX = 216, counterY = 16, bigDigitWidth = 30, bigDigitHeight = 32;
constexpr std::int32_t bigDigitSheetX = 288;
constexpr std::int32_t rollShiftPerPhase = 4;

// The small digits of the best score and the jump counter.
constexpr std::int32_t smallDigitWidth = 13, smallDigitHeight = 14;
constexpr std::int32_t smallDigitSheetX = 320;
constexpr std::int32_t bestScoreX = 543, bestScoreY = 165;
constexpr std::int32_t jumpCountX = 560, jumpCountY = 213;

// The labels: difficulties in the sheet row at y 368, the practice, jump
// count and blank labels in the row at y 384.
constexpr std::int32_t difficultyLabelX = 512, difficultyLabelY = 116;
constexpr std::int32_t difficultyLabelWidth = 100, labelHeight = 16;
constexpr std::int32_t difficultyLabelSheetY = 368;
constexpr std::int32_t practiceLabelSheetX = 0, labelRowSheetY = 384;
constexpr std::int32_t jumpCountLabelX = 464, jumpCountLabelY = 192, jumpCountLabelWidth = 64;
constexpr std::int32_t jumpCountLabelSheetX = 100, blankLabelSheetX = 164;
constexpr std::int32_t blankDigitsSheetX = 228, blankDigitsWidth = 52;

void CopyFromSheet(GameState& state, std::int32_t sheetX, std::int32_t sheetY, std::int32_t width,
                   std::int32_t height, std::int32_t x, std::int32_t y) {
    BitBlt(state.windowDC, x, y, width, height, state.spriteSheet.context, sheetX, sheetY,
           RasterOp::SrcCopy);
}

void DrawSmallDigits(GameState& state, std::int32_t value, std::int32_t x, std::int32_t y) {
    for (int i = 0; i < digitCount; ++i) {
        CopyFromSheet(state, smallDigitSheetX, smallDigitHeight * DigitOf(value, i),
                      smallDigitWidth, smallDigitHeight, x + smallDigitWidth * i, y);
    }
}

} // namespace

void DrawJumpGauge(GameState& state) {
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    CopyFromSheet(state, gaugeSheetX, gaugeSheetY + gaugeHeight * state.jumpPower, gaugeWidth,
                  gaugeHeight, gaugeX, gaugeY);
    SelectPalette(state.windowDC, previous, false);
}

void DrawFloorCounter(GameState& state) {
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    for (int i = 0; i < digitCount; ++i) {
        // 1. The digit shown and the one that follows when the counter goes up.
        const std::int32_t d = DigitOf(state.shownFloor, i);
        const std::int32_t n = DigitOf(state.shownFloor + 1, i);
        // 2. Every digit that will change rolls, the others stay still.
        const std::int32_t rollShift = n != d ? rollShiftPerPhase * state.rollPhase : 0;
        // 3.
        CopyFromSheet(state, bigDigitSheetX, bigDigitHeight * d + rollShift, bigDigitWidth,
                      bigDigitHeight, counterX + bigDigitWidth * i, counterY);
    }
    SelectPalette(state.windowDC, previous, false);
}

void DrawDifficultyAndBest(GameState& state) {
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    // 1. The label: practice during a practice game, else the difficulty's.
    if (state.practiceDifficulty != 0) {
        CopyFromSheet(state, practiceLabelSheetX, labelRowSheetY, difficultyLabelWidth, labelHeight,
                      difficultyLabelX, difficultyLabelY);
    } else {
        CopyFromSheet(state, difficultyLabelWidth * (state.difficulty - 1), difficultyLabelSheetY,
                      difficultyLabelWidth, labelHeight, difficultyLabelX, difficultyLabelY);
    }
    // 2. The best score of the current difficulty's table. During practice
    //    difficulty holds Normal, so Normal's best is shown.
    const RecordEntry& best = state.records[static_cast<std::size_t>(state.difficulty - 1)][0];
    DrawSmallDigits(state, best.score, bestScoreX, bestScoreY);
    SelectPalette(state.windowDC, previous, false);
}

void DrawJumpCount(GameState& state) {
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    DrawSmallDigits(state, state.jumpCount, jumpCountX, jumpCountY);
    SelectPalette(state.windowDC, previous, false);
}

void DrawJumpCountLabel(GameState& state) {
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    if (state.showJumpCount != 0) {
        // 1. The label, then the counter.
        CopyFromSheet(state, jumpCountLabelSheetX, labelRowSheetY, jumpCountLabelWidth, labelHeight,
                      jumpCountLabelX, jumpCountLabelY);
        DrawJumpCount(state);
    } else {
        // 2. The blank texture over the label and over all four digit places.
        CopyFromSheet(state, blankLabelSheetX, labelRowSheetY, jumpCountLabelWidth, labelHeight,
                      jumpCountLabelX, jumpCountLabelY);
        CopyFromSheet(state, blankDigitsSheetX, labelRowSheetY, blankDigitsWidth, smallDigitHeight,
                      jumpCountX, jumpCountY);
    }
    SelectPalette(state.windowDC, previous, false);
}
