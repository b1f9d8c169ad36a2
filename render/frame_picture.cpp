#include "assets/resources.h"
#include "render/palette.h"

namespace {

constexpr int framePictureId = 125;

} // namespace

void DrawFramePicture(RenderResources& screen) {
    // A repaint is where the window takes its colours back, so the palette
    // goes in and is realized before anything is drawn.
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    RealizePalette(screen.windowDC);

    // The picture's pixel values are palette indices already, which is all
    // the identity colour table would make of them, so its embedded
    // (read-only) colour table is left as it is. It is copied 1:1 at the
    // client's origin.
    const auto file = FindResource(ResourceKind::Bitmap, framePictureId);
    StoredBitmap picture{};
    if (file && ParseStoredBitmap(*file, picture)) {
        DrawStoredBitmap(screen.windowDC, 0, 0, picture);
    }

    SelectPalette(screen.windowDC, previous, false);
}
