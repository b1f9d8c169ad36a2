#include "four_digits.h"
#include "platform/gdi/gdi.h"
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

void CopyFromSheet(RenderResources& screen, std::int32_t sheetX, std::int32_t sheetY,
                   std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y) {
    BitBlt(screen.windowDC, x, y, width, height, screen.spriteSheet.context, sheetX, sheetY,
           RasterOp::SrcCopy);
}

void DrawSmallDigits(RenderResources& screen, std::int32_t value, std::int32_t x, std::int32_t y) {
    for (int i = 0; i < digitCount; ++i) {
        CopyFromSheet(screen, smallDigitSheetX, smallDigitHeight * DigitOf(value, i),
                      smallDigitWidth, smallDigitHeight, x + smallDigitWidth * i, y);
    }
}

} // namespace

void DrawJumpGauge(const GameState& state, RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    CopyFromSheet(screen, gaugeSheetX, gaugeSheetY + gaugeHeight * state.jumpPower, gaugeWidth,
                  gaugeHeight, gaugeX, gaugeY);
    SelectPalette(screen.windowDC, previous, false);
}

void DrawFloorCounter(const GameState& state, RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    for (int i = 0; i < digitCount; ++i) {
        // The digit shown and the one that follows when the counter goes up:
        // every digit that will change rolls, the others stay still.
        const std::int32_t d = DigitOf(state.shownFloor, i);
        const std::int32_t n = DigitOf(state.shownFloor + 1, i);
        const std::int32_t rollShift = n != d ? rollShiftPerPhase * state.rollPhase : 0;
        CopyFromSheet(screen, bigDigitSheetX, bigDigitHeight * d + rollShift, bigDigitWidth,
                      bigDigitHeight, counterX + bigDigitWidth * i, counterY);
    }
    SelectPalette(screen.windowDC, previous, false);
}

void DrawDifficultyAndBest(const GameState& state, RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    // The label: practice during a practice game, else the difficulty's.
    if (state.practiceDifficulty != 0) {
        CopyFromSheet(screen, practiceLabelSheetX, labelRowSheetY, difficultyLabelWidth,
                      labelHeight, difficultyLabelX, difficultyLabelY);
    } else {
        CopyFromSheet(screen, difficultyLabelWidth * (state.difficulty - 1), difficultyLabelSheetY,
                      difficultyLabelWidth, labelHeight, difficultyLabelX, difficultyLabelY);
    }
    // The best score of the current difficulty's table. During practice
    // difficulty holds Normal, so Normal's best is shown.
    const RecordEntry& best = state.records[static_cast<std::size_t>(state.difficulty - 1)][0];
    DrawSmallDigits(screen, best.score, bestScoreX, bestScoreY);
    SelectPalette(screen.windowDC, previous, false);
}

void DrawJumpCount(const GameState& state, RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    DrawSmallDigits(screen, state.jumpCount, jumpCountX, jumpCountY);
    SelectPalette(screen.windowDC, previous, false);
}

void DrawJumpCountLabel(const GameState& state, RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    if (state.showJumpCount != 0) {
        CopyFromSheet(screen, jumpCountLabelSheetX, labelRowSheetY, jumpCountLabelWidth,
                      labelHeight, jumpCountLabelX, jumpCountLabelY);
        DrawJumpCount(state, screen);
    } else {
        // The blank texture over the label and over all four digit places.
        CopyFromSheet(screen, blankLabelSheetX, labelRowSheetY, jumpCountLabelWidth, labelHeight,
                      jumpCountLabelX, jumpCountLabelY);
        CopyFromSheet(screen, blankDigitsSheetX, labelRowSheetY, blankDigitsWidth, smallDigitHeight,
                      jumpCountX, jumpCountY);
    }
    SelectPalette(screen.windowDC, previous, false);
}
