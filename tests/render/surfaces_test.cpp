// The surfaces and the palette CreateSurfaces makes from the committed art,
// realizing that palette, and ReleaseSurfaces.

#include "platform/user/user.h"
#include "render/palette.h"
#include "render/window_drawing.h"
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
        {state_->spriteSheet, 384, 432, 432, [&](int x, int y) { return art.sprites.at(x, y); }},
        {state_->maskSheet, art.masks.width, art.masks.height, art.masks.height,
         [&](int x, int y) { return art.masks.at(x, y); }},
        {state_->backdrop, 384, 512, 512, // the tile three across and four down
         [&](int x, int y) { return art.backWall.at(x % 128, y % 128); }},
        {state_->panelImage, 288, 560, 140, [&](int x, int y) { return art.title.at(x, y); }},
        {state_->backBuffer, 416, 352, 0, nullptr},
    };
    for (const auto& c : cases) {
        const BitmapHandle bitmap = c.surface.bitmap;
        EXPECT_EQ(GetSelectedBitmap(c.surface.context), bitmap);
        EXPECT_EQ(std::pair(BitmapWidth(bitmap), BitmapHeight(bitmap)),
                  std::pair(c.width, c.height));
        EXPECT_EQ(Mismatches(bitmap, 0, 0, c.width, c.comparedRows, c.expected), 0) << c.width;
    }
    EXPECT_EQ(GetBitmapFormat(state_->maskSheet.bitmap), BitmapFormat::Mono);
    EXPECT_EQ(state_->maskSheet.bits, nullptr);
    // Released, nothing is left but the window's own context, still drawing.
    ReleaseSurfaces(*state_);
    for (const auto& c : cases) {
        EXPECT_TRUE(!c.surface.context && !c.surface.bitmap && !c.surface.bits);
    }
    EXPECT_EQ(state_->palette, nullptr);
    FillWindow(7);
    EXPECT_EQ(WindowPixel(0, 0), 7);
}

// The entries 10..245 of a palette that show the sheet's colours.
int GameColours(const PaletteEntries& palette) {
    int same = 0;
    for (int i = 10; i <= 245; ++i) {
        const auto& c = Art().sprites.table.at(static_cast<std::size_t>(i));
        same += palette[i].red == c.r && palette[i].green == c.g && palette[i].blue == c.b;
    }
    return same;
}

TEST_F(Surfaces, PaletteTakesTheGameColoursBetweenTheDisplaysStaticOnes) {
    // Twenty static colours keep the system's at 0..9 and 246..255, flags 0;
    // a display without a palette (-1) takes every entry from the sheet.
    const auto file = asset_readers::ReadAsset("bitmaps/sprites.bmp");
    StoredBitmap sheet{};
    ASSERT_TRUE(ParseStoredBitmap(file, sheet));
    for (std::int32_t statics : {20, -1}) {
        SetStaticColorCountForTesting(statics);
        const PaletteHandle palette = BuildGamePalette(sheet);
        for (int i = 0; i < 256; ++i) {
            const PaletteEntry& e = GetPaletteEntries(palette)[i];
            const PaletteEntry& system = GetSystemPalette()[i];
            const auto& c = Art().sprites.table.at(static_cast<std::size_t>(i));
            const std::array want =
                statics < 0 || (i >= 10 && i <= 245)
                    ? std::array{c.r, c.g, c.b, pcNoCollapse}
                    : std::array{system.red, system.green, system.blue, std::uint8_t{0}};
            EXPECT_EQ((std::array{e.red, e.green, e.blue, e.flags}), want) << statics << ", " << i;
        }
        DeletePalette(palette);
    }
}

TEST_F(Surfaces, RealizingChangesTheSystemPaletteOnceAndRepaintsThen) {
    // Whether the window waits for a repaint; takes the paint away if so.
    const auto repaintPending = [this] {
        Message message{};
        const bool pending = PeekMessage(message) && message.message == wm::paint;
        BeginPaint(state_->window);
        EndPaint(state_->window);
        return pending;
    };
    ShowWindow(state_->window, true);
    repaintPending();
    // CreateSurfaces left the system palette black: the first realization
    // maps the game's colours, index for index, and asks for a repaint; the
    // second changes nothing and asks for nothing.
    const int blackShowsGameColours = GameColours(GetSystemPalette());
    EXPECT_LT(blackShowsGameColours, 236);
    EXPECT_EQ(RealizeGamePalette(*state_), 1);
    EXPECT_TRUE(repaintPending());
    EXPECT_EQ(GameColours(GetSystemPalette()), 236);
    EXPECT_EQ(RealizeGamePalette(*state_), 0);
    EXPECT_FALSE(repaintPending());
    ResetSystemPalette();
    EXPECT_EQ(GameColours(GetSystemPalette()), blackShowsGameColours);
    EXPECT_EQ(RealizeGamePalette(*state_), 1);
}

} // namespace
} // namespace render_test
