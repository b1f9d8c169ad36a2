#include "render/palette.h"

PaletteHandle BuildGamePalette(const StoredBitmap& header) {
    // Start from the current system palette in all 256 entries; the display
    // itself stands in for the screen's context, so there is nothing to
    // release.
    PaletteEntries entries{};
    const std::int32_t staticColors = GetStaticColorCount();
    entries = GetSystemPalette();

    // Half the static colours the display reserves sit at each end: 20 give
    // 10; a display without a palette reports -1, which gives 0.
    const std::int32_t half = staticColors / 2;

    // The game's colours in the middle, asking for entries of their own; the
    // system's at both ends, as they are.
    for (std::int32_t i = 0; i < header.colorCount && i < paletteSize; ++i) {
        PaletteEntry& entry = entries[i];
        if (half <= i && i <= 255 - half) {
            const PaletteEntry& colour = header.colors[i];
            entry = {colour.red, colour.green, colour.blue, pcNoCollapse};
        } else {
            entry.flags = 0;
        }
    }

    return CreatePalette(entries);
}

void ResetSystemPalette() {
    // Every entry black, each one asking for a system entry of its own.
    PaletteEntries black{};
    for (PaletteEntry& entry : black) {
        entry = {0, 0, 0, pcNoCollapse};
    }

    // A context of its own stands in for the screen's: realizing in the
    // foreground maps into the one system palette whatever context does it.
    ContextHandle screen = CreateMemoryContext();
    PaletteHandle blackPalette = CreatePalette(black);
    if (blackPalette != nullptr) {
        PaletteHandle previous = SelectPalette(screen, blackPalette, false);
        RealizePalette(screen);
        SelectPalette(screen, previous, false);
        DeletePalette(blackPalette);
    }
    DeleteContext(screen);
}

std::int32_t RealizeGamePalette(RenderResources& screen) {
    PaletteHandle previous = SelectPalette(screen.windowDC, screen.palette, false);
    const std::int32_t changed = RealizePalette(screen.windowDC);
    // A changed system palette means every pixel on screen may look
    // different: repaint the whole client.
    if (changed != 0) {
        screen.window->InvalidateClient();
    }
    // The previous palette goes back in the background, which maps nothing.
    SelectPalette(screen.windowDC, previous, true);
    RealizePalette(screen.windowDC);
    return changed != 0 ? 1 : 0;
}
