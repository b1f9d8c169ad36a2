// The surfaces and the palette CreateSurfaces makes from the committed art.

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "render/palette.h"
#include "shell/shell_ports.h"
#include "tests/render/render_fixture.h"

namespace render_test {
namespace {

using Surfaces = RenderTest;

// Every pixel of a surface against a decoded picture; the count of those
// that differ.
int Mismatches(const Surface& surface, const Bitmap& picture, std::int32_t surfaceTop = 0) {
    int mismatches = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            mismatches += GetPixelIndex(surface.bitmap, x, y + surfaceTop) != picture.at(x, y);
        }
    }
    return mismatches;
}

TEST_F(Surfaces, HoldTheStoredPicturesAsPaletteIndices) {
    EXPECT_EQ(BitmapWidth(state_->spriteSheet.bitmap), 384);
    EXPECT_EQ(BitmapHeight(state_->spriteSheet.bitmap), 432);
    EXPECT_EQ(Mismatches(state_->spriteSheet, Sprites()), 0);

    EXPECT_EQ(GetBitmapFormat(state_->maskSheet.bitmap), BitmapFormat::Mono);
    EXPECT_EQ(Mismatches(state_->maskSheet, Masks()), 0);

    // The title picture is the panel's first page, rows 0..139 from the top.
    EXPECT_EQ(BitmapWidth(state_->panelImage.bitmap), 288);
    EXPECT_EQ(BitmapHeight(state_->panelImage.bitmap), 560);
    EXPECT_EQ(Mismatches(state_->panelImage, Title()), 0);

    EXPECT_EQ(BitmapWidth(state_->backBuffer.bitmap), 416);
    EXPECT_EQ(BitmapHeight(state_->backBuffer.bitmap), 352);

    for (const Surface* s : {&state_->spriteSheet, &state_->maskSheet, &state_->backdrop,
                             &state_->backBuffer, &state_->panelImage}) {
        EXPECT_EQ(GetSelectedBitmap(s->context), s->bitmap);
    }
    EXPECT_EQ(state_->maskSheet.bits, nullptr);
}

TEST_F(Surfaces, BackdropRepeatsTheTileThreeAcrossAndFourDown) {
    ASSERT_EQ(BitmapWidth(state_->backdrop.bitmap), 384);
    ASSERT_EQ(BitmapHeight(state_->backdrop.bitmap), 512);
    int mismatches = 0;
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 384; ++x) {
            mismatches +=
                GetPixelIndex(state_->backdrop.bitmap, x, y) != BackWall().at(x % 128, y % 128);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Palette entries against the sprite sheet's colour table.
void ExpectGameColour(const PaletteEntry& entry, int i) {
    const auto& colour = Sprites().table.at(static_cast<std::size_t>(i));
    EXPECT_EQ(entry.red, colour.r) << "entry " << i;
    EXPECT_EQ(entry.green, colour.g) << "entry " << i;
    EXPECT_EQ(entry.blue, colour.b) << "entry " << i;
    EXPECT_EQ(entry.flags, pcNoCollapse) << "entry " << i;
}

TEST_F(Surfaces, PaletteKeepsTheStaticColoursOfADisplayThatHasThem) {
    // Twenty static colours: the system's at 0..9 and 246..255, flags 0.
    const PaletteEntries& palette = GetPaletteEntries(state_->palette);
    for (int i = 0; i < 256; ++i) {
        if (i >= 10 && i <= 245) {
            ExpectGameColour(palette[i], i);
        } else {
            const PaletteEntry& system = GetSystemPalette()[i];
            EXPECT_EQ(
                (std::array{palette[i].red, palette[i].green, palette[i].blue, palette[i].flags}),
                (std::array{system.red, system.green, system.blue, std::uint8_t{0}}))
                << "entry " << i;
        }
    }
    // A display without a palette (-1): every entry from the sheet.
    SetStaticColorCountForTesting(-1);
    const auto file = asset_readers::ReadAsset("bitmaps/sprites.bmp");
    StoredBitmap sheet{};
    ASSERT_TRUE(ParseStoredBitmap(file, sheet));
    PaletteHandle fromSheet = BuildGamePalette(sheet);
    for (int i = 0; i < 256; ++i) {
        ExpectGameColour(GetPaletteEntries(fromSheet)[i], i);
    }
    DeletePalette(fromSheet);
}

// Whether the window waits for a repaint; takes the paint away if so.
bool RepaintPending(WindowHandle window) {
    Message message{};
    const bool pending =
        PeekMessage(message) && message.message == wm::paint && message.window == window;
    BeginPaint(window);
    EndPaint(window);
    return pending;
}

TEST_F(Surfaces, RealizingChangesTheSystemPaletteOnceAndRepaintsThen) {
    ShowWindow(state_->window, true);
    RepaintPending(state_->window);
    // The system palette was reset to black: the first realization maps the
    // game's colours, index for index, and asks for a repaint.
    EXPECT_EQ(RealizeGamePalette(*state_), 1);
    EXPECT_TRUE(RepaintPending(state_->window));
    for (int i = 10; i <= 245; ++i) {
        const PaletteEntry& entry = GetSystemPalette()[i];
        const auto& colour = Sprites().table.at(static_cast<std::size_t>(i));
        EXPECT_EQ((std::array{entry.red, entry.green, entry.blue}),
                  (std::array{colour.r, colour.g, colour.b}))
            << "entry " << i;
    }
    // Nothing changes the second time: no repaint.
    EXPECT_EQ(RealizeGamePalette(*state_), 0);
    EXPECT_FALSE(RepaintPending(state_->window));

    ResetSystemPalette();
    for (int i = 10; i <= 245; ++i) {
        const PaletteEntry& entry = GetSystemPalette()[i];
        EXPECT_EQ(entry.red | entry.green | entry.blue, 0) << "entry " << i;
    }
    EXPECT_EQ(RealizeGamePalette(*state_), 1);
}

} // namespace
} // namespace render_test
