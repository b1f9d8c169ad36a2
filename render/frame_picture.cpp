#include "assets/resources.h"
#include "render/palette.h"

namespace {

constexpr int framePictureId = 125;

} // namespace

void DrawFramePicture(GameState& state) {
    // 1. The palette goes in first and is realized: a repaint is where the
    //    window takes its colours back.
    PaletteHandle previous = SelectPalette(state.windowDC, state.palette, false);
    RealizePalette(state.windowDC);

    // 2. Find the picture. Its pixel values are palette indices already, which
    //    is all the identity colour table would make of them, so the embedded
    //    (read-only) colour table is left as it is.
    const auto file = FindResource(ResourceKind::Bitmap, framePictureId);
    StoredBitmap picture{};
    if (file && ParseStoredBitmap(*file, picture)) {
        // 3. A 1:1 copy of the whole picture at the client's origin.
        DrawStoredBitmap(state.windowDC, 0, 0, picture);
    }

    // 4.
    SelectPalette(state.windowDC, previous, false);
}
