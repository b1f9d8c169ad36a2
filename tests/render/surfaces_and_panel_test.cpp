// The surfaces made from the committed art, the palette's realization, and
// the status panel's pieces, each copied from the sheet to its well.

#include "render/palette.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

using Surfaces = RenderTest;

TEST_F(Surfaces, HoldTheStoredPicturesAsPaletteIndicesAndAreReleasedWhole) {
    const auto& art = Art();
    const struct {
        const Surface& surface;
        std::int32_t width, height, comparedRows; // the panel's first page is the title
        Expected expected;
    } cases[] = {
        {screen_.spriteSheet, 384, 432, 432, [&](int x, int y) { return art.sprites.at(x, y); }},
        {screen_.maskSheet, 256, 160, 160, [&](int x, int y) { return art.masks.at(x, y); }},
        {screen_.backdrop, 384, 512, 512, // the tile three across and four down
         [&](int x, int y) { return art.backWall.at(x % 128, y % 128); }},
        {screen_.panelImage, 288, 560, 140, [&](int x, int y) { return art.title.at(x, y); }},
        {screen_.backBuffer, 416, 352, 0, nullptr},
    };
    for (const auto& c : cases) {
        const BitmapHandle bitmap = c.surface.bitmap;
        EXPECT_EQ(GetSelectedBitmap(c.surface.context), bitmap);
        EXPECT_EQ(std::pair(BitmapWidth(bitmap), BitmapHeight(bitmap)),
                  std::pair(c.width, c.height));
        EXPECT_EQ(Mismatches(bitmap, 0, 0, c.width, c.comparedRows, c.expected), 0) << c.width;
    }
    EXPECT_EQ(GetBitmapFormat(screen_.maskSheet.bitmap), BitmapFormat::Mono);
    // Released, nothing is left but the window's own context, still drawing.
    ReleaseSurfaces(screen_);
    for (const auto& c : cases)
        EXPECT_TRUE(!c.surface.context && !c.surface.bitmap && !c.surface.bits);
    EXPECT_EQ(screen_.palette, nullptr);
    FillWindow(7);
    EXPECT_EQ(WindowPixel(0, 0), 7);
}

TEST_F(Surfaces, RealizingChangesTheSystemPaletteOnceAndRepaintsThen) {
    const auto gameColours = [] {
        int same = 0;
        for (int i = 10; i <= 245; ++i) {
            const auto& c = Art().sprites.table.at(static_cast<std::size_t>(i));
            const PaletteEntry& e = GetSystemPalette()[i];
            same += e.red == c.r && e.green == c.g && e.blue == c.b;
        }
        return same;
    };
    // Whether the window waits for a repaint; takes the paint away if so.
    const auto repaintPending = [this] {
        Message message{};
        const bool pending = PeekMessage(message) && message.message == wm::paint;
        window_.BeginPaint();
        window_.EndPaint();
        return pending;
    };
    ShowWindow(window_.handle, true);
    repaintPending();
    // From black, the first realization maps the game's colours index for
    // index and asks for a repaint; the second changes and asks nothing.
    const int blackShowsGameColours = gameColours();
    EXPECT_LT(blackShowsGameColours, 236);
    EXPECT_EQ(RealizeGamePalette(screen_), 1);
    EXPECT_TRUE(repaintPending());
    EXPECT_EQ(gameColours(), 236);
    EXPECT_EQ(RealizeGamePalette(screen_), 0);
    EXPECT_FALSE(repaintPending());
}

using Four = std::array<std::int32_t, 4>;

class StatusPanel : public RenderTest {
  protected:
    // Whether client block b shows the sheet's block at (sheetX, sheetY).
    bool Shows(const Rect& b, std::int32_t sheetX, std::int32_t sheetY) const {
        return Mismatches(Window(), b.x, b.y, b.width, b.height,
                          [&](std::int32_t x, std::int32_t y) {
                              return Art().sprites.at(sheetX + x, sheetY + y);
                          }) == 0;
    }
    // The small digits of the best score and the jump counter: 0..9 downwards, 14 rows each.
    bool Small(std::int32_t x, std::int32_t y, const Four& digits) const {
        bool all = true;
        for (int i = 0; i < 4; ++i)
            all = Shows({x + 13 * i, y, 13, 14}, 320, 14 * digits[i]) && all;
        return all;
    }
};

TEST_F(StatusPanel, GaugeLabelsAndNumbersFollowTheStateAndNeverGoNegative) {
    for (std::int32_t power : {0, 5, 12}) {
        state_.jumpPower = power;
        DrawJumpGauge(state_, screen_);
        EXPECT_TRUE(Shows({88, 32, 96, 16}, 192, 160 + 16 * power)) << power;
    }
    state_.records[0][0].score = 7;
    state_.records[1][0].score = -45; // only a hand-edited file gives one
    state_.records[2][0].score = 45678;
    const Four shown[] = {{0, 0, 0, 7}, {0, 0, 0, 0}, {5, 6, 7, 8}};
    for (std::int32_t difficulty = 1; difficulty <= 3; ++difficulty) {
        state_.difficulty = difficulty;
        DrawDifficultyAndBest(state_, screen_);
        EXPECT_TRUE(Shows({512, 116, 100, 16}, 100 * (difficulty - 1), 368));
        EXPECT_TRUE(Small(543, 165, shown[difficulty - 1])) << difficulty;
    }
    // Practice plays Normal: the practice label with Normal's best.
    state_.practiceDifficulty = 3;
    state_.difficulty = 2;
    state_.records[1][0].score = 123;
    DrawDifficultyAndBest(state_, screen_);
    EXPECT_TRUE(Shows({512, 116, 100, 16}, 0, 384));
    EXPECT_TRUE(Small(543, 165, {0, 1, 2, 3}));
    // The jump count with its label, or the blank texture over both.
    state_.showJumpCount = 1;
    for (auto [count, digits] : {std::pair{42, Four{0, 0, 4, 2}}, {-3, Four{0, 0, 0, 0}}}) {
        state_.jumpCount = count;
        DrawJumpCountLabel(state_, screen_);
        EXPECT_TRUE(Shows({464, 192, 64, 16}, 100, 384));
        EXPECT_TRUE(Small(560, 213, digits)) << count;
    }
    state_.showJumpCount = 0;
    DrawJumpCountLabel(state_, screen_);
    EXPECT_TRUE(Shows({464, 192, 64, 16}, 164, 384));
    EXPECT_TRUE(Shows({560, 213, 52, 14}, 228, 384));
}

} // namespace
} // namespace render_test
